#include "data/Progress.h"
#include "data/Sql.h"
#include "receivables/Balance.h"
#include "receivables/ReceivablesFixture.h"
#include "receivables/YearClosing.h"

#include <QTest>

namespace {

// One closing row as "misu hap hyun au gi hal dea lee", or "-" when there is none.
QString row(const QString& table, const QString& grcd, const QString& code, const QString& key)
{
    const Rows r = Sql::select(QString("select misu, hap, hyun, au, gi, hal, dea, lee from %1"
                                       " where grcd = ? and code = ? and ilja = ?").arg(table),
                               {grcd, code, key});
    if (r.isEmpty())
        return "-";
    QStringList f;
    for (const char* c : {"misu", "hap", "hyun", "au", "gi", "hal", "dea", "lee"})
        f << QString::number(r.number(0, c), 'f', 1);
    return f.join(' ');
}

int count(const QString& table) { return Sql::scalar(QString("select count(*) from %1").arg(table)).toInt(); }

class Recorder final : public Progress {
public:
    void start(int gauge, int maximum) override { events << QString("start %1 %2").arg(gauge).arg(maximum); }
    void step(int, int position) override { last = position; }
    void finish(int gauge) override { events << QString("finish %1").arg(gauge); }
    QStringList events;
    int last = 0;
};

} // namespace

class TestYearClosing : public QObject {
    Q_OBJECT
private slots:
    void closingYear_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("year"); // 0: refused
        QTest::newRow("a year") << "2003" << 2003;
        QTest::newRow("spaces around") << " 2003 " << 2003;
        QTest::newRow("letters") << "2003a" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("five digits") << "20031" << 0;
        QTest::newRow("negative") << "-2003" << 0;
    }
    void closingYear()
    {
        QFETCH(QString, text);
        QFETCH(int, year);
        QCOMPARE(ClosingYear(text).value_or(0), year);
    }

    void startYearFromOpeningBalances()
    {
        TestDb db;
        fixture::smallOffice();
        Sql::exec("delete from makam");
        Recorder progress;
        Progress::install(&progress);
        const int written = YearClosing(2003);
        Progress::install(nullptr);
        // A001: 1000 + 500 - 116; lee (999 + 5000) recorded, not deducted.
        QCOMPARE(row("makam", "A001", "001", "2003-13"), QString("1384.0 500.0 100.0 10.0 1.0 2.0 3.0 5999.0"));
        // Site 000 collects the class-G sales: 500 + 150 - 70.
        QCOMPARE(row("makam", "B001", "000", "2003-13"), QString("580.0 150.0 70.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("makam", "C001", "001", "2003-13"), QString("999.0 999.0 0.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("makam", "D001", "001", "2003-13"), QString("-"));  // nothing: no row
        QCOMPARE(row("makam", "E001", "001", "2003-13"), QString("77.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0")); // opening only
        QCOMPARE(row("makam", "B001", "001", "2003-13"), QString("-"));  // class-G sites have none
        QCOMPARE(written, 4);
        QCOMPARE(count("makam"), 4);
        QCOMPARE(progress.events, QStringList({"start 0 5", "finish 0"}));
        QCOMPARE(progress.last, 5);
        QVERIFY(YearClosed(2003));
        QVERIFY(!YearClosed(2004));

        // The balance at the first day of the next year is the closing balance.
        for (const auto& [grcd, code] : {std::pair{"A001", "001"}, {"B001", "000"}, {"C001", "001"}, {"E001", "001"}})
            QCOMPARE(BalanceBeforeDay(grcd, code, "2004-01-01"),
                     Sql::scalar("select misu from makam where grcd = ? and code = ? and ilja = '2003-13'",
                                 {grcd, code}).toDouble());
        QCOMPARE(CarriedBalance("C001", "001", "2004"), 999.0);
    }

    void laterYearFromClosingRows()
    {
        TestDb db;
        fixture::smallOffice();
        QCOMPARE(YearClosing(2004), 3);
        // A001 carries 100.5 unrounded; B001 580 + the 2004 sale of 20; C001 had no 2003 row: 40.
        QCOMPARE(row("makam", "A001", "001", "2004-13"), QString("100.5 0.0 0.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("makam", "B001", "000", "2004-13"), QString("600.0 20.0 0.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("makam", "C001", "001", "2004-13"), QString("40.0 40.0 0.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("makam", "E001", "001", "2004-13"), QString("-")); // r_misu counts only in the start year
    }

    void reclosingReplacesTheYear()
    {
        TestDb db;
        fixture::smallOffice();
        fixture::closing("makam", "D001", "001", "2003-13", 5); // stale row of a holder that has nothing
        fixture::closing("makam", "A001", "001", "2003-05", 9); // any key of the year goes
        fixture::closing("makam", "A001", "001", "2002-13", 9); // other years stay
        QVERIFY(YearClosed(2003));
        QCOMPARE(YearClosing(2003), 4);
        QCOMPARE(row("makam", "D001", "001", "2003-13"), QString("-"));
        QCOMPARE(row("makam", "A001", "001", "2003-05"), QString("-"));
        QCOMPARE(row("makam", "A001", "001", "2002-13"), QString("9.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("makam", "A001", "001", "2003-13").section(' ', 0, 0), QString("1384.0"));
        QCOMPARE(count("makam"), 5);
    }

    void oneSite()
    {
        TestDb db;
        fixture::smallOffice();
        QVERIFY(SiteYearClosed(2003, "A001", "001"));
        QVERIFY(!SiteYearClosed(2003, "C001", "001"));
        fixture::closing("makam", "A001", "001", "2003-02", 1);
        QCOMPARE(YearClosingOfSite(2003, "A001", "001"), 1);
        // That holder's rows of the year are replaced; the others are untouched.
        const Rows rows = ClosingRows(2003, "A001", "001");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.text(0, "ilja"), QString("2003-13"));
        QCOMPARE(rows.number(0, "misu"), 1384.0);
        QCOMPARE(row("makam", "B001", "000", "2003-13").section(' ', 0, 0), QString("580.0"));
        QCOMPARE(YearClosingOfSite(2003, "B001", "000"), 1);
        QCOMPARE(row("makam", "B001", "000", "2003-13"), QString("580.0 150.0 70.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(YearClosingOfSite(2003, "D001", "001"), 0);
        QVERIFY(!SiteYearClosed(2003, "D001", "001"));
    }

    void taxBookIntoTaxClosing()
    {
        TestDb db;
        fixture::smallOffice();
        fixture::deposit("tax_ipkum", "2003-09-09", "A001", "001", 300);
        const QString before = row("makam", "A001", "001", "2003-13");
        QVERIFY(!YearClosed(2003, 1));
        QCOMPARE(YearClosing(2003, 1), 3);
        QCOMPARE(row("tax_makam", "A001", "001", "2003-13"), QString("707.0 7.0 300.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("tax_makam", "B001", "000", "2003-13"), QString("500.0 0.0 0.0 0.0 0.0 0.0 0.0 0.0"));
        QCOMPARE(row("makam", "A001", "001", "2003-13"), before);
        QCOMPARE(count("makam"), 2);
        QCOMPARE(BalanceBeforeDay("A001", "001", "2004-01-01", 1), 707.0);
    }

    void failureHalfWayKeepsTheOldClosing()
    {
        TestDb db;
        fixture::smallOffice();
        QCOMPARE(YearClosing(2003), 4);
        const QString a = row("makam", "A001", "001", "2003-13");
        // A holder sorted last whose row the database refuses.
        fixture::site("Z001", "001", "H", "S");
        fixture::sale("r_mast", "2003-10-10", "Z001", "001", "H", 10);
        fixture::sale("r_mast", "2003-10-10", "A001", "001", "H", 1000);
        Sql::exec("alter table makam add constraint makam_no_z check (grcd <> 'Z001')");
        Recorder progress;
        Progress::install(&progress);
        QVERIFY_THROWS_EXCEPTION(DbError, YearClosing(2003));
        Progress::install(nullptr);
        QCOMPARE(progress.events.last(), QString("finish 0"));
        QCOMPARE(count("makam"), 4);
        QCOMPARE(row("makam", "A001", "001", "2003-13"), a);
        QCOMPARE(row("makam", "Z001", "001", "2003-13"), QString("-"));
    }
};

QTEST_GUILESS_MAIN(TestYearClosing)
#include "tst_yearclosing.moc"
