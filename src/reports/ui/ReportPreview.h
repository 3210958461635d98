#pragma once
// The report preview: one page at a time, zoom to fit, 100 % or page width,
// page navigation, print through the printer dialog, save as the previewer's
// own file, PDF and (when the report carries those filters) xlsx and text,
// and reopen a saved report file. Opens maximised; the caller waits.
#include "reports/engine/ReportDocument.h"

#include <QDialog>

class QLabel;
class QScrollArea;
class QSpinBox;
class QToolButton;
class ReportPageView;

class ReportPreview : public QDialog {
    Q_OBJECT
public:
    enum class Zoom { Fit, Actual, PageWidth };

    explicit ReportPreview(ReportDocument doc, QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Shows the document maximised and returns when the window is closed.
    static void showModal(const ReportDocument& doc, QWidget* parent = nullptr);

    const ReportDocument& document() const { return doc_; }
    int page() const { return page_; } // 0-based
    void goToPage(int index);
    Zoom zoom() const { return zoom_; }
    void setZoom(Zoom z);
    double pixelsPerMm() const;

    // Save by the file's suffix (vrp, pdf, xlsx, txt); false with a message shown on failure.
    bool saveTo(const QString& path);
    // Replaces the shown report with a saved report file.
    bool openFile(const QString& path);

    // The save dialog's filters for this report.
    QStringList saveFilters() const;

private slots:
    void print();
    void save();
    void open();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QToolButton* button(const QString& objectName, const QString& text, const QString& tip);
    void refresh();

    ReportDocument doc_;
    int page_ = 0;
    Zoom zoom_ = Zoom::Fit;
    QScrollArea* scroll_ = nullptr;
    ReportPageView* view_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QToolButton *first_, *prev_, *next_, *last_;
};
