#include "reports/engine/ReportLayout.h"
#include "reports/ui/GridExport.h"
#include "reports/ui/ReportOutput.h"
#include "reports/ui/ReportPreview.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QHeaderView>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

ReportJob threePages()
{
    ReportJob job;
    job.def.name = "pages";
    job.def.title = "세 쪽 목록";
    job.def.landscape = false;
    job.def.band(BandKind::PageHeader, 10).text("세 쪽 목록", QRectF(0, 0, 100, 8));
    job.def.band(BandKind::Detail, 5).field("n", QRectF(0, 0, 20, 5), "#,##0");
    job.def.addStandardPageFooter();
    MemTable t;
    t.number("n");
    for (int i = 1; i <= 120; ++i)
        t.append({{"n", i}});
    job.rows = t.rows();
    return job;
}

QString sheetXml(const QString& path)
{
    QProcess unzip;
    unzip.start("unzip", {"-p", path, "xl/worksheets/sheet1.xml"});
    unzip.waitForFinished(30000);
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void init() { Messages::startScript(); }
    void cleanup()
    {
        Messages::stopScript();
        Kit::setModalHook({});
        GridExport::setOpener({});
    }

    void navigationAndZoom()
    {
        ReportPreview preview(layoutReport(threePages()));
        preview.resize(1280, 860);
        preview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&preview));
        auto button = [&](const char* name) { return preview.findChild<QToolButton*>(name); };
        auto* pageEdit = preview.findChild<QSpinBox*>("pageEdit");
        QCOMPARE(preview.page(), 0);
        QVERIFY(!button("prevPage")->isEnabled());
        button("nextPage")->click();
        QCOMPARE(preview.page(), 1);
        button("lastPage")->click();
        QCOMPARE(preview.page(), 2);
        QVERIFY(!button("nextPage")->isEnabled());
        button("nextPage")->click();
        QCOMPARE(preview.page(), 2);
        button("firstPage")->click();
        QCOMPARE(preview.page(), 0);
        pageEdit->setValue(2);
        QCOMPARE(preview.page(), 1);
        QCOMPARE(pageEdit->maximum(), 3);
        QTest::keyClick(&preview, Qt::Key_PageDown);
        QCOMPARE(preview.page(), 2);

        // Fit shows the whole page as large as the window allows, also after
        // the window changed size; page width fills the width; 100 % is the
        // screen's scale.
        auto* scroll = preview.findChild<QWidget*>("pageScroll");
        auto* view = preview.findChild<QWidget*>("pageView");
        QCOMPARE(preview.zoom(), ReportPreview::Zoom::Fit);
        auto fits = [&] {
            return view->width() <= scroll->width() && view->height() <= scroll->height()
                && (view->width() > scroll->width() - 40 || view->height() > scroll->height() - 40);
        };
        QVERIFY(fits());
        preview.resize(1300, 600);
        QTRY_VERIFY(fits());
        preview.resize(700, 900);
        QTRY_VERIFY(fits());
        button("zoomWidth")->click();
        QVERIFY(view->width() <= scroll->width());
        QVERIFY(view->width() > scroll->width() - 60);
        QVERIFY(view->height() > scroll->height());
        button("zoom100")->click();
        QCOMPARE(preview.pixelsPerMm(), preview.logicalDpiX() / 25.4);
    }

    void saveAndReopen()
    {
        ReportDocument doc = layoutReport(threePages());
        QTemporaryDir dir;
        ReportPreview preview(doc);
        QVERIFY(preview.saveTo(dir.filePath("a.vrp")));
        QVERIFY(preview.saveTo(dir.filePath("a.pdf")));
        // This report carries no spreadsheet or text filter.
        QVERIFY(!preview.saveFilters().join(' ').contains("xlsx"));
        QVERIFY(!preview.saveTo(dir.filePath("a.xlsx")));
        QVERIFY(Messages::shownTexts().last().contains("xlsx"));
        QVERIFY(!QFile::exists(dir.filePath("a.xlsx")));

        ReportJob other = threePages();
        other.def.title = "다른 보고서";
        other.rows.data.resize(3);
        ReportPreview second(layoutReport(other));
        second.goToPage(0);
        QVERIFY(second.openFile(dir.filePath("a.vrp")));
        QCOMPARE(second.document().pageCount(), 3);
        QCOMPARE(second.windowTitle(), QString("세 쪽 목록"));
        QVERIFY(!second.openFile(dir.filePath("a.pdf")));
        QCOMPARE(Messages::shown().last().kind, Messages::Kind::Error);
    }

    // The preview is modal and maximised: the caller goes on only after it closed.
    void outputWaitsForThePreview()
    {
        bool wasMaximised = false;
        int opened = 0;
        Kit::setModalHook([&](QDialog* d) {
            ++opened;
            wasMaximised = d->windowState().testFlag(Qt::WindowMaximized);
            QVERIFY(d->isVisible());
            d->findChild<QToolButton*>("closeButton")->click();
        });
        QVERIFY(ReportOutput::run(nullptr, threePages(), ReportDestination::Preview));
        QCOMPARE(opened, 1);
        QVERIFY(wasMaximised);

        // A failing run shows the error and opens nothing.
        ReportJob broken = threePages();
        broken.def.band(BandKind::Detail, 5).field("missing", QRectF(30, 0, 10, 5));
        QVERIFY(!ReportOutput::run(nullptr, broken, ReportDestination::Preview));
        QCOMPARE(opened, 1);
        QCOMPARE(Messages::shown().last().kind, Messages::Kind::Error);
        QVERIFY(Messages::shown().last().text.contains("missing"));
    }

    void printingPaintsEveryPage()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        QVERIFY(ReportOutput::print(nullptr, layoutReport(threePages()), printer));
        QProcess p;
        p.start("pdftotext", {dir.filePath("printed.pdf"), "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        QCOMPARE(text.count("\f"), 3);
        QVERIFY(text.contains("페이지 : 3"));
        QVERIFY(text.contains("120"));
    }

    void gridExport()
    {
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("unzip is not installed");
        // 30 columns, the third hidden: all 29 visible ones are written.
        QStandardItemModel model(2, 30);
        for (int c = 0; c < 30; ++c) {
            model.setHorizontalHeaderItem(c, new QStandardItem(QString("열%1").arg(c + 1)));
            model.setData(model.index(0, c), c == 0 ? QVariant("A001") : QVariant(1000.0 * c));
            model.setData(model.index(1, c), c == 0 ? QVariant("(주)대한") : QVariant(c + 0.25));
        }
        QTableView view;
        view.setModel(&model);
        view.setColumnHidden(2, true);
        QTemporaryDir dir;
        qputenv("VARER_EXPORT_DIR", dir.path().toUtf8());
        QString openedPath;
        GridExport::setOpener([&](const QString& p) {
            openedPath = p;
            return false;
        });
        const QString path = GridExport::toSpreadsheet(nullptr, model, *view.horizontalHeader(), "거래처 원장");
        qunsetenv("VARER_EXPORT_DIR");
        QVERIFY(QFile::exists(path));
        QVERIFY(path.startsWith(dir.path()));
        QCOMPARE(openedPath, path);
        QCOMPARE(Messages::shownTexts(), QStringList{QString("Excel이 설치되어 있지 않습니다.\n파일은 %1 에 저장했습니다.")
                                                         .arg(QDir::toNativeSeparators(path))});

        const QString sheet = sheetXml(path);
        QVERIFY2(!sheet.contains("r=\"A1\""), qPrintable(sheet)); // row 1 stays empty
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"A2\"[^>]*t=\"s\"")));
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"A3\"[^>]*t=\"s\"")));
        // Column C holds the fourth column (the third is hidden): 3000 as a number.
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"C3\"[^>]*><v>3000</v>")));
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"AC4\"[^>]*><v>29.25</v>")));
        QVERIFY(!sheet.contains("r=\"AD"));
        QVERIFY(sheet.contains("<col ")); // columns sized
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
