#include "reports/ui/ReportOutput.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportPaint.h"
#include "reports/ui/ReportPreview.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QRadioButton>

ReportOutputChoice::ReportOutputChoice(QWidget* parent, const QString& title, const QString& screen,
                                       const QString& printer)
    : QGroupBox(title, parent)
{
    screen_ = new QRadioButton(screen);
    printer_ = new QRadioButton(printer);
    screen_->setObjectName(QStringLiteral("outputScreen"));
    printer_->setObjectName(QStringLiteral("outputPrinter"));
    screen_->setChecked(true);
    auto* l = new QHBoxLayout(this);
    l->addWidget(screen_);
    l->addWidget(printer_);
}

ReportDestination ReportOutputChoice::destination() const
{
    return printer_->isChecked() ? ReportDestination::Printer : ReportDestination::Preview;
}

void ReportOutputChoice::setIndex(int i) { (i == 1 ? printer_ : screen_)->setChecked(true); }

namespace ReportOutput {

bool run(QWidget* parent, const ReportJob& job, ReportDestination to)
{
    ReportDocument doc;
    try {
        doc = layoutReport(job);
    } catch (const ReportError& e) {
        Messages::error(parent, e.message());
        return false;
    }
    return output(parent, doc, to);
}

bool run(QWidget* parent, const QString& report, const ReportParams& params, ReportDestination to)
{
    const RegisteredReport* r = findReport(report);
    if (!r) {
        Messages::error(parent, QStringLiteral("보고서 %1 이(가) 없습니다.").arg(report));
        return false;
    }
    ReportJob job;
    try {
        job = r->build(params);
    } catch (const DbError& e) {
        Messages::error(parent, e.message());
        return false;
    } catch (const ReportError& e) {
        Messages::error(parent, e.message());
        return false;
    }
    return run(parent, job, to);
}

bool output(QWidget* parent, const ReportDocument& doc, ReportDestination to)
{
    if (to == ReportDestination::Preview) {
        ReportPreview::showModal(doc, parent);
        return true;
    }
    if (QPrinterInfo::defaultPrinter().isNull()) {
        Messages::info(parent, QStringLiteral("설치된 프린터가 없습니다."));
        return false;
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setCopyCount(1);
    return print(parent, doc, printer);
}

bool print(QWidget* parent, const ReportDocument& doc, QPrinter& printer)
{
    QProgressDialog progress(QStringLiteral("%1 인쇄 중...").arg(doc.title), QStringLiteral("취소"), 0,
                             doc.pageCount(), parent);
    progress.setObjectName(QStringLiteral("printProgress"));
    progress.setWindowTitle(QStringLiteral("인쇄"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.setValue(0);
    bool completed = true;
    try {
        ReportPaint::print(doc, printer, [&](int done, int total) {
            progress.setValue(done);
            progress.setLabelText(QStringLiteral("%1 인쇄 중... (%2 / %3)").arg(doc.title).arg(done).arg(total));
            QApplication::processEvents();
            if (progress.wasCanceled()) {
                completed = false;
                return false;
            }
            return true;
        });
    } catch (const ReportError& e) {
        progress.close();
        Messages::error(parent, e.message());
        return false;
    }
    progress.setValue(doc.pageCount());
    return completed;
}

} // namespace ReportOutput
