#include "data/Config.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportExport.h"
#include "reports/engine/ReportLayout.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QDateTime At(QDate(2024, 3, 5), QTime(9, 30, 0));

QStringList texts(const ReportDocument& d, int page)
{
    QStringList out;
    for (const ReportItem& i : d.pages.at(page).items)
        if (i.kind == ReportItem::Text)
            out << i.text;
    return out;
}

int countKind(const ReportDocument& d, int page, ReportItem::Kind kind)
{
    int n = 0;
    for (const ReportItem& i : d.pages.at(page).items)
        n += i.kind == kind;
    return n;
}

// A portrait list of numbered rows: a 10 mm page header, 5 mm rows and the
// standard footer (14 mm) leave 253 mm, room for 50 rows a page.
ReportJob numberedRows(int count)
{
    ReportJob job;
    job.def.name = "numbered";
    job.def.title = "번호 목록";
    job.def.landscape = false;
    job.def.band(BandKind::PageHeader, 10).text("번호 목록", QRectF(0, 0, 100, 8));
    job.def.band(BandKind::Detail, 5).field("n", QRectF(0, 0, 20, 5));
    job.def.addStandardPageFooter();
    MemTable t;
    t.number("n");
    for (int i = 1; i <= count; ++i)
        t.append({{"n", i}});
    job.rows = t.rows();
    job.labels.set("namel", "대성레미콘");
    return job;
}

// Row numbers that have the row rule under them.
QList<int> ruledRows(const ReportDocument& d)
{
    QList<int> out;
    for (const ReportPage& p : d.pages)
        for (const ReportItem& line : p.items) {
            if (line.kind != ReportItem::Line)
                continue;
            for (const ReportItem& t : p.items)
                if (t.kind == ReportItem::Text && qAbs(t.rect.bottom() - line.rect.top()) < 1e-6
                    && t.rect.left() == line.rect.left())
                    out << t.text.toInt();
        }
    return out;
}

QList<int> steps(int first, int last, int step)
{
    QList<int> out;
    for (int i = first; i <= last; i += step)
        out << i;
    return out;
}

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    void rowRules_data()
    {
        QTest::addColumn<int>("reset");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("reset 0, 30 rows") << 0 << 30 << steps(3, 30, 3);
        QTest::newRow("reset 1, 30 rows") << 1 << 30 << steps(2, 29, 3);
        // The counter starts again on page 2 (rows 51-60).
        QTest::newRow("reset 0, two pages") << 0 << 60 << steps(3, 48, 3) + QList<int>{53, 56, 59};
        QTest::newRow("reset 1, two pages") << 1 << 60 << steps(2, 50, 3) + QList<int>{52, 55, 58};
    }
    void rowRules()
    {
        QFETCH(int, reset);
        QFETCH(int, rows);
        QFETCH(QList<int>, expected);
        ReportJob job = numberedRows(rows);
        job.def.rowRule = true;
        job.def.ruleReset = reset;
        job.def.find(BandKind::PageFooter); // the footer's own line is not under a row
        const ReportDocument d = layoutReport(job, At);
        QCOMPARE(ruledRows(d), expected);
    }

    void longReportPages()
    {
        const ReportDocument d = layoutReport(numberedRows(120), At);
        QCOMPARE(d.pageCount(), 3);
        QCOMPARE(texts(d, 0).count("번호 목록"), 1);
        QVERIFY(texts(d, 1).contains("51"));
        QVERIFY(texts(d, 1).contains("100"));
        QVERIFY(!texts(d, 1).contains("101"));
        QVERIFY(texts(d, 2).contains("페이지 : 3"));
        QVERIFY(texts(d, 2).contains("출력일자 : 2024-03-05 09:30:00"));
        QVERIFY(texts(d, 2).contains("A4.(210*297)"));
        QVERIFY(texts(d, 2).contains("대성레미콘"));
        QCOMPARE(d.printedRows.size(), 120);
        // A band taller than the page still ends (one band a page).
        ReportJob tall = numberedRows(3);
        tall.def.band(BandKind::Detail, 0).height = 400;
        QCOMPARE(layoutReport(tall, At).pageCount(), 3);
    }

    void groupsAndSums()
    {
        ReportJob job;
        ReportDefinition& d = job.def;
        d.name = "sums";
        d.landscape = false;
        ReportBand& detail = d.band(BandKind::Detail, 5);
        detail.field("grcd", QRectF(0, 0, 20, 5));
        detail.field("kum", QRectF(20, 0, 30, 5), "#,##0");
        detail.sum("kum", QRectF(50, 0, 30, 5), "#,##0", SumReset::Never); // running total
        ReportGroup& g = d.group("grcd", 5, 5);
        g.header.field("grcd", QRectF(0, 0, 30, 5)).text = QString();
        g.header.text("거래처", QRectF(40, 0, 30, 5));
        g.footer.sum("kum", QRectF(20, 0, 30, 5), "#,##0");
        g.footer.count(QRectF(60, 0, 20, 5));
        ReportBand& sum = d.band(BandKind::Summary, 5);
        sum.sum("kum", QRectF(20, 0, 30, 5), "#,##0", SumReset::Never).figure = "total";
        d.band(BandKind::PageFooter, 5).sum("kum", QRectF(20, 0, 30, 5), "#,##0"); // page sum
        MemTable t;
        t.text("grcd", 4).number("kum");
        t.append({{"grcd", "A001"}, {"kum", 1000}});
        t.append({{"grcd", "A001"}, {"kum", -250.5}});
        t.append({{"grcd", "B001"}, {"kum", 500}});
        job.rows = t.rows();

        ReportDocument doc = layoutReport(job, At);
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(texts(doc, 0),
                 (QStringList{"A001", "거래처", "A001", "1,000", "1,000", "A001", "-251", "750", "750", "2",
                              "B001", "거래처", "B001", "500", "1,250", "500", "1", "1,250", "1,250"}));
        QCOMPARE(doc.figures, (QList<QPair<QString, QString>>{{"total", "1,250"}}));

        // Each group on its own page: the page sums follow the pages.
        g.header.newPage = true;
        doc = layoutReport(job, At);
        QCOMPARE(doc.pageCount(), 2);
        QCOMPARE(texts(doc, 0).last(), QString("750"));
        QCOMPARE(texts(doc, 1).last(), QString("500"));
        QVERIFY(texts(doc, 1).contains("1,250"));
    }

    void textExport()
    {
        ReportJob job;
        job.def.title = "목록";
        ReportBand& detail = job.def.band(BandKind::Detail, 5);
        detail.field("name", QRectF(0, 0, 40, 5)).withCaption("거래처");
        detail.field("kum", QRectF(40, 0, 30, 5), "#,##0").withCaption("금액");
        job.def.band(BandKind::Summary, 5).sum("kum", QRectF(40, 0, 30, 5), "#,##0", SumReset::Never).figure =
            "total";
        MemTable t;
        t.text("name", 20).number("kum");
        t.append({{"name", "가나건설"}, {"kum", 1234567}});
        t.append({{"name", "AB"}, {"kum", -5}});
        job.rows = t.rows();
        job.labels.set("namel", "대성레미콘");
        QCOMPARE(QString::fromUtf8(ReportExport::text(layoutReport(job, At))),
                 QString("목록\n\n"
                         "거래처         금액\n"
                         "가나건설  1,234,567\n"
                         "AB               -5\n"
                         "\nnamel : 대성레미콘\ntotal : 1,234,562\n"));
    }

    void emptyReportPrintsHeadersZeroSumsAndFooter()
    {
        ReportJob job = numberedRows(0);
        job.def.band(BandKind::ColumnHeader, 6).text("번호", QRectF(0, 0, 20, 5));
        job.def.band(BandKind::Summary, 6).sum("n", QRectF(0, 0, 20, 5), "#,##0", SumReset::Never).figure = "total";
        job.def.group("n", 5, 5).footer.text("소계", QRectF(0, 0, 20, 5));
        const ReportDocument d = layoutReport(job, At);
        QCOMPARE(d.pageCount(), 1);
        QCOMPARE(texts(d, 0), (QStringList{"번호 목록", "번호", "0", "출력일자 : 2024-03-05 09:30:00", "대성레미콘",
                                           "페이지 : 1", "A4.(210*297)"}));
        QCOMPARE(QString::fromUtf8(ReportExport::csv(d)), QString("n\n\nnamel,대성레미콘\ntotal,0\n"));
    }

    void textIsCutToItsField()
    {
        ReportJob job;
        job.def.name = "cut";
        job.def.band(BandKind::Detail, 5).field("name", QRectF(0, 0, 12, 5));
        MemTable t;
        t.text("name", 16); // at most 16 bytes: eight syllables
        const QString full = "대한민국레미콘주식회사";
        t.append({{"name", full}});
        QCOMPARE(t.rows().text(0, "name"), QString("대한민국레미콘주"));
        job.rows = t.rows();
        const ReportDocument d = layoutReport(job, At);
        const QString printed = d.printedRows.at(0).at(0);
        QVERIFY2(!printed.isEmpty() && printed.size() < 8, qPrintable(printed));
        QVERIFY(full.startsWith(printed));
        QVERIFY(reportTextWidth(d.fontFamily, ReportFont{}, printed) <= 12);
        QVERIFY(reportTextWidth(d.fontFamily, ReportFont{}, full.left(printed.size() + 1)) > 12);
        // The export keeps the whole value.
        QCOMPARE(d.rowValues.at(0).at(0).toString(), QString("대한민국레미콘주"));
    }

    void approvalBox()
    {
        ReportJob job = numberedRows(120);
        ReportElement& box = job.def.band(BandKind::PageHeader, 0).approvalBox(QRectF(100, 0, 60, 10));
        ReportDocument d = layoutReport(job, At);
        QCOMPARE(countKind(d, 0, ReportItem::Picture), 1);
        QCOMPARE(countKind(d, 1, ReportItem::Picture), 0);
        QCOMPARE(countKind(d, 2, ReportItem::Picture), 0);
        QVERIFY(!d.pictures.at(0).isNull());
        const QSize shipped = d.pictures.at(0).size();

        box.firstPageOnly = false;
        d = layoutReport(job, At);
        QCOMPARE(countKind(d, 2, ReportItem::Picture), 1);

        // A site picture in the configured folder replaces the shipped one.
        QTemporaryDir dir;
        Config::setOverride("picture_dir", dir.path());
        QImage site(40, 12, QImage::Format_RGB32);
        site.fill(Qt::red);
        QVERIFY(site.save(dir.filePath("결재.bmp"), "BMP"));
        d = layoutReport(job, At);
        QCOMPARE(d.pictures.at(0).size(), QSize(40, 12));
        QVERIFY(shipped != QSize(40, 12));
        // One that cannot be read ends the run.
        QFile bad(dir.filePath("결재.bmp"));
        QVERIFY(bad.open(QIODevice::WriteOnly | QIODevice::Truncate));
        bad.write("not a picture");
        bad.close();
        QVERIFY_THROWS_EXCEPTION(ReportError, layoutReport(job, At));
        Config::clearOverrides();
    }

    void missingColumnEndsTheRun()
    {
        ReportJob job = numberedRows(2);
        job.def.band(BandKind::Detail, 5).field("kum", QRectF(30, 0, 20, 5), "#,##0");
        try {
            layoutReport(job, At);
            QFAIL("no error");
        } catch (const ReportError& e) {
            QVERIFY(e.message().contains("kum"));
        }
    }

    // Laying the same job out twice gives the same pages: no counter, sum,
    // flag or row survives a run.
    void secondRunStartsFresh()
    {
        ReportJob job = numberedRows(70);
        job.def.rowRule = true;
        job.def.band(BandKind::Summary, 5).sum("n", QRectF(0, 0, 30, 5), "#,##0", SumReset::Never);
        job.def.band(BandKind::PageHeader, 10).approvalBox(QRectF(100, 0, 60, 10));
        const ReportDocument first = layoutReport(job, At);
        const ReportDocument second = layoutReport(job, At);
        QCOMPARE(ReportExport::csv(second), ReportExport::csv(first));
        QCOMPARE(second.pageCount(), first.pageCount());
        for (int p = 0; p < first.pageCount(); ++p) {
            QCOMPARE(texts(second, p), texts(first, p));
            QCOMPARE(countKind(second, p, ReportItem::Line), countKind(first, p, ReportItem::Line));
            QCOMPARE(countKind(second, p, ReportItem::Picture), countKind(first, p, ReportItem::Picture));
        }
        QCOMPARE(first.figures.last().second, QString("2,485"));
    }

    void reportFileRoundTrip()
    {
        ReportJob job = numberedRows(60);
        job.def.band(BandKind::PageHeader, 10).approvalBox(QRectF(100, 0, 60, 10));
        const ReportDocument d = layoutReport(job, At);
        QTemporaryDir dir;
        const QString path = dir.filePath("list.vrp");
        d.save(path);
        const ReportDocument back = ReportDocument::load(path);
        QCOMPARE(back.pageCount(), 2);
        QCOMPARE(back.title, d.title);
        QCOMPARE(back.printedAt, d.printedAt);
        QCOMPARE(texts(back, 1), texts(d, 1));
        QCOMPARE(back.pictures.at(0).size(), d.pictures.at(0).size());
        QCOMPARE(ReportExport::csv(back), ReportExport::csv(d));

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        f.resize(f.size() / 2);
        f.close();
        QVERIFY_THROWS_EXCEPTION(ReportError, ReportDocument::load(path));
        QVERIFY_THROWS_EXCEPTION(ReportError, ReportDocument::load(dir.filePath("none.vrp")));
    }
};

QTEST_MAIN(TestEngine)
#include "tst_engine.moc"
