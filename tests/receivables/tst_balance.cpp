#include "receivables/Balance.h"
#include "receivables/ReceivablesFixture.h"

#include <QTest>

Q_DECLARE_METATYPE(Cutoff)

class TestBalance : public QObject {
    Q_OBJECT
private slots:
    void holderBalance_data()
    {
        QTest::addColumn<QString>("grcd");
        QTest::addColumn<QString>("code");
        QTest::addColumn<Cutoff>("kind");
        QTest::addColumn<QString>("cutoff");
        QTest::addColumn<int>("book");
        QTest::addColumn<double>("expected");
        QTest::newRow("before the start month") << "A001" << "001" << Cutoff::AtDay << "2003-02-28" << 0 << 0.0;
        QTest::newRow("before the start year") << "A001" << "001" << Cutoff::AtMonth << "2002-12" << 0 << 0.0;
        QTest::newRow("start month, opening only") << "A001" << "001" << Cutoff::BeforeDay << "2003-03-10" << 0 << 1000.0;
        QTest::newRow("at the day of a sale") << "A001" << "001" << Cutoff::AtDay << "2003-03-10" << 0 << 1200.0;
        QTest::newRow("before the day of a deposit") << "A001" << "001" << Cutoff::BeforeDay << "2003-04-01" << 0 << 1200.0;
        QTest::newRow("deposits without lee") << "A001" << "001" << Cutoff::AtDay << "2003-04-01" << 0 << 1384.0;
        QTest::newRow("before month") << "A001" << "001" << Cutoff::BeforeMonth << "2003-04" << 0 << 1200.0;
        QTest::newRow("at month") << "A001" << "001" << Cutoff::AtMonth << "2003-04" << 0 << 1384.0;
        QTest::newRow("lee-only deposit changes nothing") << "A001" << "001" << Cutoff::AtDay << "2003-06-01" << 0 << 1384.0;
        QTest::newRow("first day of a year, 100.5 -> 100") << "A001" << "001" << Cutoff::BeforeDay << "2004-01-01" << 0 << 100.0;
        QTest::newRow("no movements, 100.5 -> 100") << "A001" << "001" << Cutoff::AtMonth << "2004-12" << 0 << 100.0;
        QTest::newRow("site 000 collects class-G sales") << "B001" << "000" << Cutoff::AtDay << "2003-05-31" << 0 << 580.0;
        QTest::newRow("site 000 before its deposit") << "B001" << "000" << Cutoff::BeforeDay << "2003-05-01" << 0 << 600.0;
        QTest::newRow("first day: that day's sale excluded") << "B001" << "000" << Cutoff::BeforeDay << "2004-01-01" << 0 << 580.0;
        QTest::newRow("first day: that day's sale included") << "B001" << "000" << Cutoff::AtDay << "2004-01-01" << 0 << 600.0;
        QTest::newRow("no closing row: the year's movements") << "C001" << "001" << Cutoff::AtDay << "2004-06-30" << 0 << 40.0;
        QTest::newRow("nothing at all") << "D001" << "001" << Cutoff::AtDay << "2003-12-31" << 0 << 0.0;
        QTest::newRow("tax book: r_misu opening, tax sales") << "A001" << "001" << Cutoff::AtDay << "2003-12-31" << 1 << 1007.0;
        QTest::newRow("tax book: no tax_makam row") << "A001" << "001" << Cutoff::AtDay << "2004-12-31" << 1 << 0.0;
    }
    void holderBalance()
    {
        QFETCH(QString, grcd);
        QFETCH(QString, code);
        QFETCH(Cutoff, kind);
        QFETCH(QString, cutoff);
        QFETCH(int, book);
        QFETCH(double, expected);
        TestDb db;
        fixture::smallOffice();
        QCOMPARE(HolderBalance(grcd, code, kind, cutoff, book), expected);
        // The set-based form agrees for this holder.
        for (const HolderBalanceRow& r : HolderBalances(kind, cutoff, book))
            if (r.grcd == grcd && r.code == code)
                QCOMPARE(r.balance, expected);
    }

    void namedRoutinesUseTheirCutoff()
    {
        TestDb db;
        fixture::smallOffice();
        QCOMPARE(BalanceBeforeDay("A001", "001", "2003-04-01"), 1200.0);
        QCOMPARE(BalanceAtDay("A001", "001", "2003-04-01"), 1384.0);
        QCOMPARE(BalanceBeforeMonth("A001", "001", "2003-04"), 1200.0);
        QCOMPARE(BalanceAtMonth("A001", "001", "2003-04"), 1384.0);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, BalanceAtDay("A001", "001", "x003-01-01"));
    }

    void carriedBalance_data()
    {
        QTest::addColumn<QString>("grcd");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("year");
        QTest::addColumn<double>("expected");
        QTest::newRow("closing row, rounded") << "A001" << "001" << "2004" << 100.0;
        QTest::newRow("site 000") << "B001" << "000" << "2004" << 580.0;
        QTest::newRow("no closing row") << "C001" << "001" << "2004" << 0.0;
        QTest::newRow("start year carries nothing") << "A001" << "001" << "2003" << 0.0;
        QTest::newRow("before the start year") << "A001" << "001" << "2002" << 0.0;
        QTest::newRow("year not closed yet") << "A001" << "001" << "2005" << 0.0;
    }
    void carriedBalance()
    {
        QFETCH(QString, grcd);
        QFETCH(QString, code);
        QFETCH(QString, year);
        QFETCH(double, expected);
        TestDb db;
        fixture::smallOffice();
        QCOMPARE(CarriedBalance(grcd, code, year), expected);
        // The year-before movements are inside the closing row and are not added again.
        if (year.toInt() > 2003)
            QCOMPARE(CarriedBalance(grcd, code, year), BalanceBeforeDay(grcd, code, year + "-01-01"));
    }

    void setBasedMatchesPerHolder()
    {
        TestDb db;
        fixture::smallOffice();
        // A holder that only has deposits, and a G-site row booked on 000 itself.
        fixture::site("F001", "001", "H", "S");
        fixture::deposit("r_ipkum", "2003-08-08", "F001", "001", 12);
        fixture::sale("r_mast", "2003-08-08", "B001", "000", "G", 3);
        fixture::sale("r_mast", "2003-08-09", "B001", "000", "T", 4); // not a class-G sale: not collected
        const QList<std::pair<Cutoff, QString>> cutoffs = {
            {Cutoff::BeforeDay, "2003-03-01"}, {Cutoff::AtDay, "2003-03-15"}, {Cutoff::AtDay, "2003-12-31"},
            {Cutoff::BeforeMonth, "2003-05"},  {Cutoff::AtMonth, "2003-08"},  {Cutoff::BeforeDay, "2004-01-01"},
            {Cutoff::AtDay, "2004-12-31"},     {Cutoff::AtMonth, "2002-12"},
        };
        for (int book : {0, 1}) {
            for (const auto& [kind, cutoff] : cutoffs) {
                const QList<HolderBalanceRow> all = HolderBalances(kind, cutoff, book);
                QCOMPARE(all.size(), 6); // every site but the class-G ones
                for (const HolderBalanceRow& r : all)
                    QVERIFY2(r.balance == HolderBalance(r.grcd, r.code, kind, cutoff, book),
                             qPrintable(QString("%1 %2 %3 book %4").arg(r.grcd, r.code, cutoff).arg(book)));
            }
        }
        QCOMPARE(HolderBalance("B001", "000", Cutoff::AtDay, "2003-12-31"), 583.0);
        QCOMPARE(HolderBalance("F001", "001", Cutoff::AtDay, "2003-12-31"), -12.0);
    }

    void setBasedFilters()
    {
        TestDb db;
        fixture::smallOffice();
        auto holders = [](const HolderFilter& f) {
            QStringList out;
            for (const HolderBalanceRow& r : HolderBalances(Cutoff::AtDay, "2003-12-31", 0, f))
                out << r.grcd + "-" + r.code;
            return out;
        };
        QCOMPARE(holders({}), QStringList({"A001-001", "B001-000", "C001-001", "D001-001", "E001-001"}));
        QCOMPARE(holders({"B001", "C001", ""}), QStringList({"B001-000", "C001-001"}));
        QCOMPARE(holders({"", "", "P"}), QStringList({"A001-001", "C001-001", "D001-001", "E001-001"}));
        QCOMPARE(holders({"", "", "R"}), QStringList({"B001-000"}));
        QCOMPARE(holders({"", "B001", "Q"}), QStringList({"A001-001", "B001-000"}));
        const QList<HolderBalanceRow> one = HolderBalances(Cutoff::AtDay, "2003-12-31", 0, {"B001", "B001", ""});
        QCOMPARE(one.size(), 1);
        QCOMPARE(one.first().codeName, QString("B001000현장"));
        QCOMPARE(one.first().balance, 580.0);
    }
};

QTEST_GUILESS_MAIN(TestBalance)
#include "tst_balance.moc"
