#include "reports/ui/ReportPreview.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportExport.h"
#include "reports/engine/ReportPaint.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

// Paints the current page on a grey desk at the preview's scale. Only the
// page shown is drawn, so a long report opens at once.
class ReportPageView : public QWidget {
public:
    explicit ReportPageView(ReportPreview* preview) : QWidget(nullptr), preview_(preview)
    {
        setObjectName(QStringLiteral("pageView"));
        setAutoFillBackground(false);
    }
    static constexpr int Desk = 12; // pixels of grey around the paper

    // Takes the preview's current scale; the page is painted at that scale.
    void updateSize()
    {
        const ReportDocument& d = preview_->document();
        scale_ = preview_->pixelsPerMm();
        resize(int(d.paperWidth() * scale_) + 2 * Desk, int(d.paperHeight() * scale_) + 2 * Desk);
        update();
    }
    double scale() const { return scale_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(128, 128, 128));
        const ReportDocument& d = preview_->document();
        const double s = scale_;
        const QRectF paper(Desk, Desk, d.paperWidth() * s, d.paperHeight() * s);
        p.fillRect(paper.translated(3, 3), QColor(60, 60, 60));
        p.fillRect(paper, Qt::white);
        p.translate(paper.topLeft());
        ReportPaint::page(p, d, preview_->page(), s);
    }

private:
    ReportPreview* preview_;
    double scale_ = 1;
};

ReportPreview::ReportPreview(ReportDocument doc, QWidget* parent) : QDialog(parent), doc_(std::move(doc))
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(doc_.title);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    auto* bar = new QHBoxLayout;
    bar->setSpacing(2);
    auto zoomButton = [&](const QString& name, const QString& text, Zoom z) {
        QToolButton* b = button(name, text, text);
        connect(b, &QToolButton::clicked, this, [this, z] { setZoom(z); });
        bar->addWidget(b);
    };
    zoomButton(QStringLiteral("zoomFit"), QStringLiteral("전체 보기"), Zoom::Fit);
    zoomButton(QStringLiteral("zoom100"), QStringLiteral("100 %"), Zoom::Actual);
    zoomButton(QStringLiteral("zoomWidth"), QStringLiteral("폭 맞춤"), Zoom::PageWidth);
    bar->addSpacing(12);
    first_ = button(QStringLiteral("firstPage"), QStringLiteral("|◀"), QStringLiteral("첫 페이지"));
    prev_ = button(QStringLiteral("prevPage"), QStringLiteral("◀"), QStringLiteral("이전 페이지"));
    next_ = button(QStringLiteral("nextPage"), QStringLiteral("▶"), QStringLiteral("다음 페이지"));
    last_ = button(QStringLiteral("lastPage"), QStringLiteral("▶|"), QStringLiteral("마지막 페이지"));
    connect(first_, &QToolButton::clicked, this, [this] { goToPage(0); });
    connect(prev_, &QToolButton::clicked, this, [this] { goToPage(page_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { goToPage(page_ + 1); });
    connect(last_, &QToolButton::clicked, this, [this] { goToPage(doc_.pageCount() - 1); });
    pageBox_ = new QSpinBox;
    pageBox_->setObjectName(QStringLiteral("pageEdit"));
    pageBox_->setToolTip(QStringLiteral("페이지 이동"));
    pageBox_->setKeyboardTracking(false);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int v) { goToPage(v - 1); });
    pageCount_ = new QLabel;
    pageCount_->setObjectName(QStringLiteral("pageCount"));
    bar->addWidget(first_);
    bar->addWidget(prev_);
    bar->addWidget(pageBox_);
    bar->addWidget(pageCount_);
    bar->addWidget(next_);
    bar->addWidget(last_);
    bar->addSpacing(12);
    QToolButton* printButton = button(QStringLiteral("printButton"), QStringLiteral("인쇄"), QStringLiteral("인쇄"));
    QToolButton* saveButton = button(QStringLiteral("saveButton"), QStringLiteral("저장"), QStringLiteral("파일로 저장"));
    QToolButton* openButton = button(QStringLiteral("openButton"), QStringLiteral("열기"), QStringLiteral("보고서 파일 열기"));
    QToolButton* closeButton = button(QStringLiteral("closeButton"), QStringLiteral("닫기"), QStringLiteral("닫기"));
    connect(printButton, &QToolButton::clicked, this, &ReportPreview::print);
    connect(saveButton, &QToolButton::clicked, this, &ReportPreview::save);
    connect(openButton, &QToolButton::clicked, this, &ReportPreview::open);
    connect(closeButton, &QToolButton::clicked, this, &QDialog::accept);
    bar->addWidget(printButton);
    bar->addWidget(saveButton);
    bar->addWidget(openButton);
    bar->addStretch();
    bar->addWidget(closeButton);

    view_ = new ReportPageView(this);
    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("pageScroll"));
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignCenter);
    scroll_->setWidget(view_);
    scroll_->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);
    resize(1000, 760);
    refresh();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::showModal(const ReportDocument& doc, QWidget* parent)
{
    ReportPreview preview(doc, parent);
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    Kit::execModal(&preview);
}

QToolButton* ReportPreview::button(const QString& objectName, const QString& text, const QString& tip)
{
    auto* b = new QToolButton;
    b->setObjectName(objectName);
    b->setText(text);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

double ReportPreview::pixelsPerMm() const
{
    const double screen = logicalDpiX() / 25.4;
    if (zoom_ == Zoom::Actual || !scroll_)
        return screen;
    // The scroll area's own size, not its viewport's, so that a scroll bar
    // coming or going does not change the scale.
    const int pad = 2 * ReportPageView::Desk + 2 * scroll_->frameWidth() + 2;
    const QSize area = scroll_->size() - QSize(pad, pad);
    if (zoom_ == Zoom::PageWidth) {
        const int bar = scroll_->verticalScrollBar()->sizeHint().width();
        return qMax(0.5, (area.width() - bar) / doc_.paperWidth());
    }
    return qMax(0.5, qMin(area.width() / doc_.paperWidth(), area.height() / doc_.paperHeight()));
}

void ReportPreview::setZoom(Zoom z)
{
    zoom_ = z;
    refresh();
}

void ReportPreview::goToPage(int index)
{
    index = qBound(0, index, qMax(0, doc_.pageCount() - 1));
    if (index == page_ && pageBox_->value() == index + 1)
        return;
    page_ = index;
    refresh();
}

void ReportPreview::refresh()
{
    const int n = doc_.pageCount();
    page_ = qBound(0, page_, qMax(0, n - 1));
    {
        const QSignalBlocker block(pageBox_);
        pageBox_->setRange(n > 0 ? 1 : 0, n);
        pageBox_->setValue(page_ + 1);
    }
    pageCount_->setText(QStringLiteral(" / %1").arg(n));
    first_->setEnabled(page_ > 0);
    prev_->setEnabled(page_ > 0);
    next_->setEnabled(page_ < n - 1);
    last_->setEnabled(page_ < n - 1);
    view_->updateSize();
    scroll_->verticalScrollBar()->setValue(0);
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* e)
{
    // Fit and page width follow the space the page has.
    if (watched == scroll_->viewport() && e->type() == QEvent::Resize && zoom_ != Zoom::Actual
        && !qFuzzyCompare(pixelsPerMm(), view_->scale()))
        view_->updateSize();
    return QDialog::eventFilter(watched, e);
}

void ReportPreview::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_PageDown:
        goToPage(page_ + 1);
        return;
    case Qt::Key_PageUp:
        goToPage(page_ - 1);
        return;
    case Qt::Key_Home:
        goToPage(0);
        return;
    case Qt::Key_End:
        goToPage(doc_.pageCount() - 1);
        return;
    default:
        QDialog::keyPressEvent(e);
    }
}

QStringList ReportPreview::saveFilters() const
{
    QStringList f{QStringLiteral("보고서 파일 (*.%1)").arg(ReportFileSuffix), QStringLiteral("PDF 문서 (*.pdf)")};
    if (doc_.spreadsheetFilter)
        f << QStringLiteral("Excel 통합 문서 (*.xlsx)");
    if (doc_.textFilter)
        f << QStringLiteral("텍스트 (*.txt)");
    return f;
}

bool ReportPreview::saveTo(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool offered = suffix == ReportFileSuffix || suffix == QLatin1String("pdf")
        || (suffix == QLatin1String("xlsx") && doc_.spreadsheetFilter)
        || (suffix == QLatin1String("txt") && doc_.textFilter);
    if (!offered) {
        Messages::info(this, QStringLiteral("이 보고서는 %1 형식으로 저장할 수 없습니다.").arg(suffix));
        return false;
    }
    try {
        ReportExport::write(doc_, suffix, path);
        return true;
    } catch (const ReportError& e) {
        Messages::error(this, e.message());
        return false;
    }
}

bool ReportPreview::openFile(const QString& path)
{
    try {
        doc_ = ReportDocument::load(path);
    } catch (const ReportError& e) {
        Messages::error(this, e.message());
        return false;
    }
    setWindowTitle(doc_.title);
    page_ = 0;
    refresh();
    return true;
}

void ReportPreview::save()
{
    const QStringList filters = saveFilters();
    QString selected = filters.first();
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("저장"), doc_.title, filters.join(QStringLiteral(";;")),
                                                &selected);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty()) {
        const int star = int(selected.indexOf(QLatin1String("*.")));
        path += QLatin1Char('.') + selected.mid(star + 2).chopped(1);
    }
    saveTo(path);
}

void ReportPreview::open()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("보고서 열기"), QString(),
                                                      QStringLiteral("보고서 파일 (*.%1)").arg(ReportFileSuffix));
    if (!path.isEmpty())
        openFile(path);
}

void ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, doc_.pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ReportDocument part = doc_;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        const int from = printer.fromPage() - 1;
        const int to = qMin(printer.toPage(), doc_.pageCount());
        part.pages = doc_.pages.mid(from, qMax(0, to - from));
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        part.pages = {doc_.pages.at(page_)};
    }
    try {
        ReportPaint::print(part, printer);
    } catch (const ReportError& e) {
        Messages::error(this, e.message());
    }
}
