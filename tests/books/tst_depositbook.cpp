#include "books/DepositBook.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "support/TestDb.h"

#include <QTest>

Q_DECLARE_METATYPE(DepositAmounts)

namespace {

const QString Day = "2024-03-05";

// A per-site customer with a per-site site, an integrated customer with its
// site 000 (misu T) and a site kept in it (misu G).
void office()
{
    session().SessionSaup = "01";
    session().SessionUser = "김과장";
    insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "대한건설"},
                           {"kawn_sa", "S"}, {"misu", "H"}});
    insertRow("customer", {{"grcd", "B001"}, {"cust_set", "B"}, {"cust_seq", "001"}, {"name", "시청"},
                           {"kawn_sa", "K"}, {"misu", "G"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "역삼현장"}, {"grcode", "A001001"},
                             {"kawn_sa", "S"}, {"misu", "H"}, {"man_code", "003"}, {"man_name", "박대리"}});
    insertRow("r_hyunjang", {{"grcd", "B001"}, {"code", "000"}, {"name", "현장통합"}, {"grcode", "B001000"},
                             {"kawn_sa", "K"}, {"misu", "T"}, {"man_code", "004"}, {"man_name", "최과장"}});
    insertRow("r_hyunjang", {{"grcd", "B001"}, {"code", "001"}, {"name", "도로공사"}, {"grcode", "B001001"},
                             {"kawn_sa", "K"}, {"misu", "G"}, {"man_code", "004"}, {"man_name", "최과장"}});
}

DepositRow deposit(const QString& jun, const DepositAmounts& a, const QString& grcd = "A001",
                   const QString& code = "001", const QString& ilja = Day)
{
    DepositRow d;
    d.ilja = ilja;
    d.jun = jun;
    d.grcd = grcd;
    d.grcd_name = grcd == "A001" ? "대한건설" : "시청";
    d.code = code;
    d.code_name = code == "000" ? "현장통합" : "역삼현장";
    d.amounts = a;
    d.card_num = "가12345";
    d.bank = "국민은행";
    d.last_date = "2024-06-30";
    d.memo = "3월분";
    d.man_code = "003";
    d.man = "박대리";
    return d;
}

// A deposit stored directly, as another station or an earlier run left it.
void store(const QString& table, const QString& ilja, const QString& jun, double hyun, const QString& okno = {})
{
    insertRow(table, {{"saup", "01"}, {"ilja", ilja}, {"ul", ilja.left(7)}, {"yun", ilja.left(4)}, {"jun", jun},
                      {"grcd", "A001"}, {"grcd_name", "대한건설"}, {"code", "001"}, {"code_name", "역삼현장"},
                      {"kawn_sa", "S"}, {"misu", "H"}, {"hyun", hyun}, {"hap_kum", hyun}, {"okno", okno}});
}

int count(const QString& sql, const Sql::Binds& binds = {}) { return Sql::scalar(sql, binds).toInt(); }

} // namespace

class TestDepositBook : public QObject {
    Q_OBJECT
private slots:
    void numberingPerDayAndBook()
    {
        TestDb db;
        QCOMPARE(DepositBook::tableName(0), QString("r_ipkum"));
        QCOMPARE(DepositBook::tableName(1), QString("tax_ipkum"));
        QVERIFY_THROWS_EXCEPTION(DbError, DepositBook::tableName(2));
        DepositBook book(0), tax(1);
        QCOMPARE(book.nextJun(Day), QString("01"));
        store("r_ipkum", Day, "01", 1);
        store("r_ipkum", Day, "09", 1);
        store("r_ipkum", "2024-03-06", "50", 1);
        QCOMPARE(book.nextJun(Day), QString("10"));
        QCOMPARE(tax.nextJun(Day), QString("01"));
        store("tax_ipkum", Day, "99", 1);
        QCOMPARE(tax.nextJun(Day), QString()); // never "00" or a third digit
    }

    // The stored total deducts five kinds; lee never counts.
    void storedTotalLeavesOutLee_data()
    {
        QTest::addColumn<int>("book");
        QTest::addColumn<DepositAmounts>("amounts");
        QTest::addColumn<double>("hapKum");
        QTest::newRow("cash and discount") << 0 << DepositAmounts{1000000, 0, 0, 500000, 0, 0} << 1500000.0;
        QTest::newRow("only lee") << 1 << DepositAmounts{0, 0, 0, 0, 0, 70000} << 0.0;
        QTest::newRow("every kind") << 1 << DepositAmounts{1, 20, 300, 4000, 50000, 600000} << 54321.0;
    }
    void storedTotalLeavesOutLee()
    {
        QFETCH(int, book);
        QFETCH(DepositAmounts, amounts);
        QFETCH(double, hapKum);
        TestDb db;
        office();
        DepositBook b(book);
        QCOMPARE(b.save(deposit(b.nextJun(Day), amounts), DepositBook::Entry::New, {}), DepositResult::Saved);
        const Rows r = Sql::select(QString("select * from %1").arg(b.table()));
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.number(0, "hap_kum"), hapKum);
        QCOMPARE(r.number(0, "lee"), amounts.lee);
        QCOMPARE(r.number(0, "hal"), amounts.hal);
        QCOMPARE(r.text(0, "jun"), QString("01"));
        QCOMPARE(r.text(0, "saup"), QString("01"));
        QCOMPARE(r.text(0, "ul"), QString("2024-03"));
        QCOMPARE(r.text(0, "yun"), QString("2024"));
        QCOMPARE(r.text(0, "kawn_sa"), QString("S"));
        QCOMPARE(r.text(0, "misu"), QString("H"));
        QCOMPARE(r.text(0, "man_name"), QString("박대리"));
        QCOMPARE(r.text(0, "last_date"), QString("2024-06-30"));
        QVERIFY(r.value(0, "okno").isNull());
        QCOMPARE(count("select count(*) from " + DepositBook::tableName(1 - book)), 0);
        QCOMPARE(count("select count(*) from rd_ipkum"), 0);
    }

    // Deposits of an integrated customer go to its site 000; the sites kept
    // in it and unknown sites take none.
    void onlyReceivableSitesTakeDeposits()
    {
        TestDb db;
        office();
        DepositBook book(0);
        const DepositAmounts cash{100000, 0, 0, 0, 0, 0};
        QCOMPARE(book.save(deposit("01", cash, "B001", "000"), DepositBook::Entry::New, {}), DepositResult::Saved);
        QCOMPARE(Sql::scalar("select misu from r_ipkum where jun = '01'").toString(), QString("T"));
        QCOMPARE(Sql::scalar("select kawn_sa from r_ipkum where jun = '01'").toString(), QString("K"));
        QCOMPARE(book.save(deposit("02", cash, "B001", "001"), DepositBook::Entry::New, {}),
                 DepositResult::NoReceivable);
        QCOMPARE(book.save(deposit("02", cash, "A001", "009"), DepositBook::Entry::New, {}),
                 DepositResult::NoReceivable);
        DepositRow incomplete = deposit("", cash);
        QCOMPARE(book.save(incomplete, DepositBook::Entry::New, {}), DepositResult::Incomplete);
        incomplete = deposit("02", cash, "A001", "");
        QCOMPARE(book.save(incomplete, DepositBook::Entry::New, {}), DepositResult::Incomplete);
        QCOMPARE(count("select count(*) from r_ipkum"), 1);
    }

    // Two stations number a new deposit of the same day alike: the later
    // save meets the stored row and writes nothing until the user confirms.
    void concurrentNewRowsNeverOverwriteSilently()
    {
        TestDb db;
        office();
        DepositBook book(1);
        const QString jun = book.nextJun(Day);
        QCOMPARE(book.save(deposit(jun, {500, 0, 0, 0, 0, 0}), DepositBook::Entry::New, {}), DepositResult::Saved);
        const DepositRow second = deposit(jun, {0, 0, 700, 0, 0, 0});
        QCOMPARE(book.save(second, DepositBook::Entry::New, {}), DepositResult::RowExists);
        QCOMPARE(Sql::scalar("select hyun from tax_ipkum").toDouble(), 500.0);
        QCOMPARE(count("select count(*) from rd_ipkum"), 0);

        QCOMPARE(book.save(second, DepositBook::Entry::New, {"덮어씀", {}}, true), DepositResult::Saved);
        QCOMPARE(count("select count(*) from tax_ipkum"), 1);
        QCOMPARE(Sql::scalar("select gi from tax_ipkum").toDouble(), 700.0);
        const QList<DepositRow> history = DepositBook::loadHistory(Day);
        QCOMPARE(history.size(), 1);
        QCOMPARE(history[0].status, QString("E"));
        QCOMPARE(history[0].amounts.hyun, 500.0); // the replaced row as stored
        QCOMPARE(history[0].amounts.gi, 0.0);
        QCOMPARE(history[0].why, QString("덮어씀"));
    }

    void changeAndDeleteLeaveHistoryInBothBooks_data()
    {
        QTest::addColumn<int>("book");
        QTest::newRow("deposit book") << 0;
        QTest::newRow("tax deposit book") << 1;
    }
    void changeAndDeleteLeaveHistoryInBothBooks()
    {
        QFETCH(int, book);
        TestDb db;
        office();
        DepositBook b(book);
        store(b.table(), Day, "01", 300000);
        store(b.table(), Day, "02", 1);
        DepositRow row = b.loadDay(Day)[0];
        const DepositAmounts remembered = row.amounts;
        row.amounts = {0, 250000, 0, 50000, 0, 9000};
        row.card_num = "자00001";
        QCOMPARE(b.save(row, DepositBook::Entry::Edit, {"어음으로 정정", remembered}), DepositResult::Saved);

        const Rows stored = Sql::select(QString("select * from %1 where jun = '01'").arg(b.table()));
        QCOMPARE(stored.number(0, "hyun"), 0.0);
        QCOMPARE(stored.number(0, "au"), 250000.0);
        QCOMPARE(stored.number(0, "hap_kum"), 300000.0);
        QCOMPARE(stored.text(0, "card_num"), QString("자00001"));
        QCOMPARE(count("select count(*) from " + b.table()), 2);

        QCOMPARE(b.remove(b.loadDay(Day)[1], {"중복 입력", {1, 0, 0, 0, 0, 0}}), DepositResult::Saved);
        QCOMPARE(count("select count(*) from " + b.table()), 1);
        QCOMPARE(b.remove(deposit("02", {}), {"다시", {}}), DepositResult::NotStored);

        const Rows h = Sql::select("select * from rd_ipkum order by jun");
        QCOMPARE(h.size(), 2);
        QCOMPARE(h.text(0, "status"), QString("E"));
        QCOMPARE(h.text(0, "why"), QString("어음으로 정정"));
        QCOMPARE(h.number(0, "hyun"), 300000.0); // remembered
        QCOMPARE(h.number(0, "au"), 0.0);        // remembered
        QCOMPARE(h.number(0, "hap_kum"), 300000.0);
        QCOMPARE(h.text(0, "card_num"), QString("자00001")); // the row's texts
        QCOMPARE(h.text(0, "kawn_sa"), QString("S"));
        QCOMPARE(h.text(0, "misu"), QString("H"));
        QCOMPARE(h.text(1, "status"), QString("D"));
        QCOMPARE(h.text(1, "jun"), QString("02"));
        QCOMPARE(h.text(1, "why"), QString("중복 입력"));
        QCOMPARE(DepositBook::loadHistory(Day).size(), 2);
    }

    // A failing insert leaves neither the history row nor the deletion.
    void saveIsOneTransaction()
    {
        TestDb db;
        office();
        store("r_ipkum", Day, "01", 300000);
        Sql::exec("create exception refused 'refused'");
        Sql::exec("create trigger refuse_memo for r_ipkum before insert as begin"
                  " if (new.memo = 'boom') then exception refused; end");
        DepositBook book(0);
        DepositRow row = book.loadDay(Day)[0];
        row.memo = "boom";
        QVERIFY_THROWS_EXCEPTION(DbError, book.save(row, DepositBook::Entry::Edit, {"정정", row.amounts}));
        QCOMPARE(count("select count(*) from rd_ipkum"), 0);
        QCOMPARE(Sql::scalar("select hyun from r_ipkum where jun = '01'").toDouble(), 300000.0);
    }

    void approvalLocksTheDayAndEarlierDaysInBothBooks()
    {
        TestDb db;
        office();
        store("r_ipkum", "2024-03-01", "01", 1);
        store("r_ipkum", Day, "01", 1);
        store("r_ipkum", "2024-03-09", "01", 1);
        store("tax_ipkum", Day, "01", 1);
        QCOMPARE(DepositBook::approvalState(Day), DepositBook::Open);
        DepositBook::setApproval(Day, DepositBook::Approved);
        QCOMPARE(count("select count(*) from r_ipkum where okno = '결재'"), 2);
        QCOMPARE(DepositBook::approvalState("2024-03-01"), DepositBook::Approved);
        QCOMPARE(DepositBook::approvalState("2024-03-09"), DepositBook::Open);
        QVERIFY(Sql::select("select okno from tax_ipkum").text(0, "okno").isEmpty());

        for (int mode : {0, 1}) {
            DepositBook b(mode);
            QCOMPARE(b.save(deposit("02", {5, 0, 0, 0, 0, 0}), DepositBook::Entry::New, {}),
                     DepositResult::DayApproved);
            QCOMPARE(b.remove(b.loadDay(Day)[0], {}), DepositResult::DayApproved);
        }
        QCOMPARE(count("select count(*) from rd_ipkum"), 0);

        // "미결" reopens only that day.
        DepositBook::setApproval(Day, DepositBook::Open);
        QCOMPARE(DepositBook::approvalState(Day), DepositBook::Open);
        QCOMPARE(DepositBook::approvalState("2024-03-01"), DepositBook::Approved);
        QCOMPARE(DepositBook(1).save(deposit("02", {5, 0, 0, 0, 0, 0}), DepositBook::Entry::New, {}),
                 DepositResult::Saved);
    }
};

QTEST_GUILESS_MAIN(TestDepositBook)
#include "tst_depositbook.moc"
