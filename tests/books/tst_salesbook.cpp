#include "books/SalesBook.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "support/TestDb.h"

#include <QTest>

namespace {

// A private customer with one site and one spec, and the session of user
// "김과장".
void office()
{
    session().SessionSaup = "01";
    session().SessionUser = "김과장";
    insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "대한건설"},
                           {"kawn_sa", "S"}, {"misu", "H"}, {"vat", "V"}, {"julsa", "10"}});
    insertRow("customer", {{"grcd", "K001"}, {"cust_set", "K"}, {"cust_seq", "001"}, {"name", "시청"},
                           {"kawn_sa", "K"}, {"misu", "H"}, {"vat", "V"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "역삼현장"}, {"grcode", "A001001"},
                             {"kawn_sa", "S"}, {"misu", "H"}, {"man_code", "003"}, {"man_name", "박대리"},
                             {"order_nul", 93.0}});
    insertRow("r_size", {{"remi_code", "1001"}, {"ilja", "2020-01-01"}, {"gubun", "0"}, {"kind", "레미콘"},
                         {"standard", "25-21-15"}, {"kwan_danga", 60000}, {"sa_danga", 70000}});
}

SalesRow newRow(const QString& ilja, const QString& seq)
{
    SalesRow r;
    r.ilja = ilja;
    r.seq = seq;
    r.grcd = "A001";
    r.grcd_name = "대한건설";
    r.code = "001";
    r.code_name = "역삼현장";
    r.remi_code = "1001";
    r.kind = "레미콘";
    r.standard = "25-21-15";
    r.m3 = 6.5;
    r.danga = 55555;
    r.vat = "V";
    r.man = "박대리";
    r.man_code = "003";
    r.yul = 79;
    SalesBook::computeAmounts(r);
    return r;
}

// A stored row of a book, given by its key.
void storeRow(const QString& table, const QString& ilja, const QString& seq, double m3, double danga,
              const QString& taxIlja = QString(), const QString& taxSeq = QString())
{
    insertRow(table, {{"ilja", ilja}, {"ul", ilja.left(7)}, {"yun", ilja.left(4)}, {"seq", seq},
                      {"grcd", "A001"}, {"grcd_name", "대한건설"}, {"code", "001"}, {"code_name", "역삼현장"},
                      {"remi_code", "1001"}, {"kind", "레미콘"}, {"standard", "25-21-15"}, {"m3", m3},
                      {"danga", danga}, {"vat", "V"}, {"kum", m3 * danga}, {"vatkum", 0.0}, {"hap", m3 * danga},
                      {"kawn_sa", "S"}, {"misu", "H"}, {"man_code", "003"}, {"man_name", "박대리"},
                      {"tax_ilja", taxIlja}, {"tax_seq", taxSeq}});
}

int count(const QString& sql, const Sql::Binds& binds = {}) { return Sql::scalar(sql, binds).toInt(); }

} // namespace

class TestSalesBook : public QObject {
    Q_OBJECT
private slots:
    void tablesComeFromTheFixedList()
    {
        QCOMPARE(SalesBook::tableName(0), QString("r_mast"));
        QCOMPARE(SalesBook::tableName(1), QString("tax_mast"));
        QCOMPARE(SalesBook::tableName(2), QString("jo_mast"));
        QCOMPARE(SalesBook::tableName(3), QString("in_mast"));
        QVERIFY_THROWS_EXCEPTION(DbError, SalesBook::tableName(4));
        QVERIFY_THROWS_EXCEPTION(DbError, SalesBook::tableName(-1));
    }

    void numberingPerDayAndBook()
    {
        TestDb db;
        office();
        SalesBook sales(0), tax(1);
        QCOMPARE(sales.nextSeq("2024-03-05"), QString("01"));
        storeRow("r_mast", "2024-03-05", "01", 1, 1);
        storeRow("r_mast", "2024-03-05", "51", 1, 1);
        storeRow("r_mast", "2024-03-06", "77", 1, 1);
        QCOMPARE(sales.nextSeq("2024-03-05"), QString("52"));
        QCOMPARE(tax.nextSeq("2024-03-05"), QString("01"));
        storeRow("tax_mast", "2024-03-05", "99", 1, 1);
        QCOMPARE(tax.nextSeq("2024-03-05"), QString()); // never "00" or a third digit
    }

    void newRowIsStoredWithTheSitesClass()
    {
        TestDb db;
        office();
        // The site was reclassed since the customer was picked: the row takes the site's values.
        Sql::exec("update r_hyunjang set kawn_sa = 'T', misu = 'G'");
        SalesBook book(0);
        SalesRow row = newRow("2024-03-05", book.nextSeq("2024-03-05"));
        QCOMPARE(book.save(row, SalesBook::Entry::New, {}), SalesResult::Saved);

        const Rows r = Sql::select("select * from r_mast");
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.text(0, "seq"), QString("01"));
        QCOMPARE(r.text(0, "saup"), QString("01"));
        QCOMPARE(r.text(0, "ul"), QString("2024-03"));
        QCOMPARE(r.text(0, "yun"), QString("2024"));
        QCOMPARE(r.text(0, "kawn_sa"), QString("T"));
        QCOMPARE(r.text(0, "misu"), QString("G"));
        QCOMPARE(r.text(0, "man_name"), QString("박대리"));
        QCOMPARE(r.number(0, "kum"), 361108.0);
        QCOMPARE(r.number(0, "vatkum"), 36110.0);
        QCOMPARE(r.number(0, "hap"), 397218.0);
        QCOMPARE(r.number(0, "yul"), 79.0);
        QVERIFY(r.text(0, "okno").isEmpty());
        QCOMPARE(count("select count(*) from rd_mast"), 0);

        const QList<SalesRow> day = book.loadDay("2024-03-05");
        QCOMPARE(day.size(), 1);
        QCOMPARE(day[0].man, QString("박대리"));
        QCOMPARE(day[0].yul.value_or(-1), 79.0);
    }

    void rateIsLoadedInTheSalesBookOnly()
    {
        TestDb db;
        office();
        for (const char* table : {"r_mast", "tax_mast"}) {
            storeRow(table, "2024-03-05", "01", 1, 1);
            Sql::exec(QString("update %1 set yul = 90").arg(table));
        }
        QCOMPARE(SalesBook(0).loadDay("2024-03-05")[0].yul.value_or(-1), 90.0);
        QVERIFY(!SalesBook(1).loadDay("2024-03-05")[0].yul.has_value());
    }

    // Two stations number a new row of the same day alike: the later save
    // meets the stored row and writes nothing until the user confirms.
    void concurrentNewRowsNeverOverwriteSilently()
    {
        TestDb db;
        office();
        SalesBook book(0);
        const QString seq = book.nextSeq("2024-03-05");
        SalesRow first = newRow("2024-03-05", seq);
        SalesRow second = newRow("2024-03-05", seq);
        second.memo = "두번째";
        second.m3 = 3;
        SalesBook::computeAmounts(second);
        QCOMPARE(book.save(first, SalesBook::Entry::New, {}), SalesResult::Saved);
        QCOMPARE(book.save(second, SalesBook::Entry::New, {}), SalesResult::RowExists);
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = ?", {seq}).toDouble(), 6.5);
        QCOMPARE(count("select count(*) from rd_mast"), 0);

        // Confirmed: the stored row goes into the history as it was.
        QCOMPARE(book.save(second, SalesBook::Entry::New, {"덮어씀", 0, 0}, true), SalesResult::Saved);
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = ?", {seq}).toDouble(), 3.0);
        const QList<SalesRow> history = SalesBook::loadHistory("2024-03-05");
        QCOMPARE(history.size(), 1);
        QCOMPARE(history[0].status, QString("E"));
        QCOMPARE(history[0].m3, 6.5);
        QCOMPARE(history[0].danga, 55555.0);
        QCOMPARE(history[0].why, QString("덮어씀"));
    }

    void changeKeepsTheRememberedFiguresInTheHistory()
    {
        TestDb db;
        office();
        storeRow("r_mast", "2024-03-05", "03", 4, 50000);
        storeRow("r_mast", "2024-03-05", "04", 1, 1);
        SalesBook book(0);
        SalesRow row = book.loadDay("2024-03-05")[0];
        const SalesBook::Change change{"수량 정정", row.m3, row.danga};
        row.m3 = 5;
        row.danga = 52000;
        row.memo = "정정";
        SalesBook::computeAmounts(row);
        QCOMPARE(book.save(row, SalesBook::Entry::Edit, change), SalesResult::Saved);

        QCOMPARE(count("select count(*) from r_mast"), 2);
        const Rows stored = Sql::select("select * from r_mast where seq = '03'");
        QCOMPARE(stored.number(0, "m3"), 5.0);
        QCOMPARE(stored.number(0, "kum"), 260000.0);
        QCOMPARE(stored.text(0, "memo"), QString("정정"));

        const Rows h = Sql::select("select * from rd_mast");
        QCOMPARE(h.size(), 1);
        QCOMPARE(h.text(0, "status"), QString("E"));
        QCOMPARE(h.text(0, "why"), QString("수량 정정"));
        QCOMPARE(h.text(0, "dam_name"), QString("김과장"));
        QCOMPARE(h.text(0, "dam_code"), QString());
        QCOMPARE(h.number(0, "m3"), 4.0);        // remembered
        QCOMPARE(h.number(0, "danga"), 50000.0); // remembered
        QCOMPARE(h.number(0, "kum"), 260000.0);  // the row's
        QCOMPARE(h.text(0, "memo"), QString("정정"));
        QCOMPARE(h.text(0, "kawn_sa"), QString("S"));
        QCOMPARE(h.text(0, "seq"), QString("03"));
    }

    void deletionLeavesAHistoryRowInTheSalesBookOnly()
    {
        TestDb db;
        office();
        for (int mode = 0; mode < SalesBook::BookCount; ++mode) {
            SalesBook book(mode);
            storeRow(book.table(), "2024-03-05", "02", 2, 60000);
            const SalesRow row = book.loadDay("2024-03-05")[0];
            QCOMPARE(book.remove(row, {"중복", row.m3, row.danga}), SalesResult::Saved);
            QCOMPARE(count(QString("select count(*) from %1").arg(book.table())), 0);
        }
        const QList<SalesRow> history = SalesBook::loadHistory("2024-03-05");
        QCOMPARE(history.size(), 1);
        QCOMPARE(history[0].status, QString("D"));
        QCOMPARE(history[0].why, QString("중복"));
        QCOMPARE(history[0].m3, 2.0);
    }

    void changeInTheOtherBooksLeavesNoHistory()
    {
        TestDb db;
        office();
        for (int mode = 1; mode < SalesBook::BookCount; ++mode) {
            SalesBook book(mode);
            storeRow(book.table(), "2024-03-05", "01", 2, 60000);
            SalesRow row = book.loadDay("2024-03-05")[0];
            row.m3 = 3;
            QCOMPARE(book.save(row, SalesBook::Entry::Edit, {"x", 2, 60000}), SalesResult::Saved);
            QCOMPARE(Sql::scalar(QString("select m3 from %1").arg(book.table())).toDouble(), 3.0);
        }
        QCOMPARE(count("select count(*) from rd_mast"), 0);
    }

    // A save that fails half-way leaves the stored row and no history.
    void failedChangeWritesNothing()
    {
        TestDb db;
        office();
        storeRow("r_mast", "2024-03-05", "01", 2, 60000);
        SalesBook book(0);
        SalesRow row = book.loadDay("2024-03-05")[0];
        row.m3 = 9;
        row.memo = QString(31, QChar(u'가')); // wider than the column
        QVERIFY_THROWS_EXCEPTION(DbError, book.save(row, SalesBook::Entry::Edit, {"x", 2, 60000}));
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = '01'").toDouble(), 2.0);
        QCOMPARE(count("select count(*) from rd_mast"), 0);
    }

    void refusals()
    {
        TestDb db;
        office();
        storeRow("r_mast", "2024-03-05", "01", 2, 60000, "2024-03-31", "01-01");
        storeRow("r_mast", "2024-03-05", "02", 2, 60000);
        SalesBook book(0);
        const QList<SalesRow> day = book.loadDay("2024-03-05");
        const SalesBook::Change change{"x", 2, 60000};

        // Covered by a tax invoice: neither saved nor deleted.
        QVERIFY(day[0].taxLocked());
        QCOMPARE(book.save(day[0], SalesBook::Entry::Edit, change), SalesResult::TaxLocked);
        QCOMPARE(book.remove(day[0], change), SalesResult::TaxLocked);
        // Covered meanwhile by another station: the stored row decides.
        SalesRow stale = day[1];
        Sql::exec("update r_mast set tax_ilja = '2024-03-31', tax_seq = '01-02' where seq = '02'");
        QCOMPARE(book.save(stale, SalesBook::Entry::Edit, change), SalesResult::TaxLocked);
        QCOMPARE(book.remove(stale, change), SalesResult::TaxLocked);
        QCOMPARE(count("select count(*) from r_mast"), 2);

        // Every key field is needed.
        for (QString SalesRow::*field : {&SalesRow::ilja, &SalesRow::grcd, &SalesRow::code, &SalesRow::remi_code,
                                         &SalesRow::seq}) {
            SalesRow r = newRow("2024-03-07", "01");
            r.*field = QString();
            QCOMPARE(book.save(r, SalesBook::Entry::New, {}), SalesResult::Incomplete);
        }
        QCOMPARE(count("select count(*) from r_mast"), 2);
        QCOMPARE(count("select count(*) from rd_mast"), 0);
    }

    // The approval mark of the sales book locks that day in every book.
    void approvedDayRefusesSavesAndDeletionsInEveryBook()
    {
        TestDb db;
        office();
        storeRow("r_mast", "2024-03-05", "01", 2, 60000);
        SalesBook::setApproval("2024-03-05", SalesBook::Approved);
        for (int mode = 0; mode < SalesBook::BookCount; ++mode) {
            SalesBook book(mode);
            if (mode > 0)
                storeRow(book.table(), "2024-03-05", "01", 2, 60000);
            const SalesRow row = book.loadDay("2024-03-05")[0];
            QCOMPARE(book.save(newRow("2024-03-05", "09"), SalesBook::Entry::New, {}), SalesResult::DayApproved);
            QCOMPARE(book.save(row, SalesBook::Entry::Edit, {}), SalesResult::DayApproved);
            QCOMPARE(book.remove(row, {}), SalesResult::DayApproved);
            QCOMPARE(count(QString("select count(*) from %1").arg(book.table())), 1);
        }
        QCOMPARE(count("select count(*) from rd_mast"), 0);
        // The day after is still open.
        QCOMPARE(SalesBook(1).save(newRow("2024-03-06", "01"), SalesBook::Entry::New, {}), SalesResult::Saved);
    }

    void approvalMarksEarlierDaysAndReopensOneDay()
    {
        TestDb db;
        office();
        for (const char* d : {"2024-02-28", "2024-03-04", "2024-03-05", "2024-03-06"})
            storeRow("r_mast", d, "01", 1, 1);
        QCOMPARE(SalesBook::approvalState("2024-03-05"), SalesBook::Open);
        QCOMPARE(SalesBook::approvalState("2024-03-09"), SalesBook::Open); // no rows at all

        SalesBook::setApproval("2024-03-05", SalesBook::Approved);
        QVERIFY(SalesBook::dayApproved("2024-02-28"));
        QVERIFY(SalesBook::dayApproved("2024-03-04"));
        QVERIFY(SalesBook::dayApproved("2024-03-05"));
        QVERIFY(!SalesBook::dayApproved("2024-03-06"));

        SalesBook::setApproval("2024-03-04", SalesBook::Open);
        QVERIFY(!SalesBook::dayApproved("2024-03-04"));
        QVERIFY(SalesBook::dayApproved("2024-02-28"));
        QVERIFY(SalesBook::dayApproved("2024-03-05"));
        QCOMPARE(Sql::scalar("select okno from r_mast where ilja = '2024-03-04'").toString(), SalesBook::Open);
    }

    // A typed unit price takes its rate from the customer's class and the
    // spec's private price as stored now.
    void typedUnitPriceSetsTheRate()
    {
        TestDb db;
        office();
        SalesRow row = newRow("2024-03-05", "01");
        row.danga = 63000;
        SalesBook::unitPriceTyped(row);
        QCOMPARE(row.yul.value_or(-1), 90.0); // 63,000 / 70,000
        QCOMPARE(row.kum, 409500.0);

        row.grcd = "K001";
        row.danga = 61000;
        SalesBook::unitPriceTyped(row);
        QCOMPARE(row.yul.value_or(-1), 100.0);
        QCOMPARE(row.hap, double(396500 + 39650));
    }

    // The proposal keeps an empty rate empty where the rule leaves the rate alone.
    void proposalLeavesAnEmptyRateAlone()
    {
        SalesRow row;
        row.vat = "x";
        SalesBook::proposeUnitPrice(row, {"S", "10", 93, 60000, 70000});
        QCOMPARE(row.vat, QString("X"));
        QCOMPARE(row.danga, 70000.0);
        QVERIFY(!row.yul.has_value());
        row.vat = "V";
        SalesBook::proposeUnitPrice(row, {"S", "10", 93.5, 60000, 70000});
        QCOMPARE(row.danga, 65400.0);
        QCOMPARE(row.yul.value_or(-1), 93.0);
    }
};

QTEST_GUILESS_MAIN(TestSalesBook)
#include "tst_salesbook.moc"
