#pragma once
// Where a report goes once its selector has gathered the values: the preview
// (the caller waits until it closes) or straight to the current printer with
// a progress window.
#include "reports/engine/ReportData.h"
#include "reports/engine/ReportDocument.h"
#include "reports/engine/ReportRegistry.h"

#include <QGroupBox>

class QPrinter;
class QRadioButton;

enum class ReportDestination { Preview = 0, Printer = 1 };

// The selectors' output choice: "출력구분" with '화면' and '프린트' (or the
// titles a window passes). index() is 0 for the preview, 1 for the printer.
class ReportOutputChoice : public QGroupBox {
    Q_OBJECT
public:
    explicit ReportOutputChoice(QWidget* parent = nullptr, const QString& title = QStringLiteral("출력구분"),
                                const QString& screen = QStringLiteral("화면"),
                                const QString& printer = QStringLiteral("프린트"));
    ReportDestination destination() const;
    int index() const { return int(destination()); }
    void setIndex(int i);
private:
    QRadioButton* screen_;
    QRadioButton* printer_;
};

namespace ReportOutput {

// Lays the run out and sends it on. A failure (database, missing field,
// unreadable picture) is shown in an error box and nothing is output;
// returns false then.
bool run(QWidget* parent, const ReportJob& job, ReportDestination to = ReportDestination::Preview);
// The same for a registered report, built from the options.
bool run(QWidget* parent, const QString& report, const ReportParams& params,
         ReportDestination to = ReportDestination::Preview);

// Sends a laid-out report to the preview or the current (default) printer.
bool output(QWidget* parent, const ReportDocument& doc, ReportDestination to);

// Prints on the given printer, one copy, with a progress window that can
// stop it. Returns false when stopped or failed.
bool print(QWidget* parent, const ReportDocument& doc, QPrinter& printer);

} // namespace ReportOutput
