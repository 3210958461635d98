#include "data/Progress.h"
#include "data/Sql.h"
#include "shipping/DailyClosing.h"
#include "support/TestDb.h"

#include <QProcess>
#include <QTest>

namespace {

const QString kDay = QStringLiteral("2024-05-02");

// Staff 589 with password "Ab9", a private and a public customer with one
// site each, spec 1001 priced 70,000 (private) since 2020 and spec 2002
// whose only price row starts after the day.
void office()
{
    insertRow("youngup", {{"code", "589"}, {"man", "출하마감"}, {"pass", "Ab9"}});
    insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "대한건설"},
                           {"kawn_sa", "S"}, {"misu", "H"}, {"vat", "V"}});
    insertRow("customer", {{"grcd", "K001"}, {"cust_set", "K"}, {"cust_seq", "001"}, {"name", "시청"},
                           {"kawn_sa", "K"}, {"misu", "G"}, {"vat", "N"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "역삼현장"}, {"kawn_sa", "S"},
                             {"misu", "H"}, {"man_code", "003"}, {"man_name", "박대리"}});
    insertRow("r_hyunjang", {{"grcd", "K001"}, {"code", "001"}, {"name", "시청사"}, {"kawn_sa", "K"},
                             {"misu", "T"}, {"man_code", "004"}, {"man_name", "이과장"}});
    insertRow("r_size", {{"remi_code", "1001"}, {"ilja", "2020-01-01"}, {"sa_danga", 65000}, {"kwan_danga", 60000}});
    insertRow("r_size", {{"remi_code", "1001"}, {"ilja", "2024-05-02"}, {"sa_danga", 70000}, {"kwan_danga", 61000}});
    insertRow("r_size", {{"remi_code", "1001"}, {"ilja", "2024-05-03"}, {"sa_danga", 99000}, {"kwan_danga", 61000}});
    insertRow("r_size", {{"remi_code", "2002"}, {"ilja", "2024-06-01"}, {"sa_danga", 80000}, {"kwan_danga", 71000}});
}

void order(const QString& seq, const QString& grcd, const QString& remi, double shipped, double danga,
           const QString& vat)
{
    insertRow("r_suju", {{"saup", "01"}, {"ilja", kDay}, {"seq", seq}, {"grcd", grcd}, {"v_inout", grcd + "명"},
                         {"code", "001"}, {"v_station", grcd + "현장"}, {"remi_code", remi},
                         {"v_rule", "25-21-" + remi.right(2)}, {"kind", "레미콘"}, {"order_m3", 10.0},
                         {"danga", danga}, {"vat", vat}, {"v_okno", "OK"}, {"v_outorder", shipped},
                         {"v_state", "YES"}, {"time_", "08:00"}, {"dist", 10.0}});
}

void handRow(const QString& seq, const QString& okno = QString())
{
    insertRow("r_mast", {{"ilja", kDay}, {"seq", seq}, {"grcd", "A001"}, {"code", "001"}, {"m3", 1.0},
                         {"danga", 1.0}, {"vat", "X"}, {"kum", 1.0}, {"vatkum", 0.0}, {"hap", 1.0},
                         {"okno", okno.isNull() ? QVariant() : QVariant(okno)}});
}

// The day's sales rows as comparable text.
QStringList sales()
{
    QStringList out;
    const Rows r = Sql::select("select * from r_mast where ilja = ? order by seq", {kDay});
    for (int i = 0; i < r.size(); ++i) {
        QStringList cols;
        for (const QString& c : r.columns)
            cols << r.text(i, c);
        out << cols.join('|');
    }
    return out;
}

DailyClosing::Result close(const QString& password = "Ab9", bool replace = true, int* asked = nullptr)
{
    return DailyClosing::run(kDay, password, [=] {
        if (asked)
            ++*asked;
        return replace;
    });
}

struct Gauge : Progress {
    QStringList calls;
    void start(int g, int max) override { calls << QString("start %1 %2").arg(g).arg(max); }
    void step(int, int pos) override { calls << QString("step %1").arg(pos); }
    void finish(int g) override { calls << QString("finish %1").arg(g); }
};

} // namespace

class TestDailyClosing : public QObject {
    Q_OBJECT
private slots:
    void writesOneRowPerShippedOrder()
    {
        TestDb db;
        office();
        // seq, customer, spec, shipped, price, VAT; expected m3, kum, vatkum, hap, yul, kawn_sa
        struct Case {
            QString seq, grcd, remi;
            double shipped, danga;
            QString vat;
            double kum, vatkum, hap, yul;
        };
        const QList<Case> cases{
            {"01", "A001", "1001", 6.25, 55555, "N", 315653, 31566, 347219, 21}, // list price of the day: 70,000
            {"02", "A001", "1001", 6.25, 55555, "V", 347219, 34721, 381940, 21},
            {"04", "A001", "1001", -1.0, 56000, "X", -56000, 0, -56000, 20},      // negative shipments are closed
            {"05", "K001", "1001", 0.5, 75555, "N", 34343, 3434, 37778, 100},     // public site
            {"06", "A001", "2002", 2, 70000, "V", 140000, 14000, 154000, 0},      // no price row in force
            {"07", "A001", "1001", 1, 70000, "X", 70000, 0, 70000, 0},           // at the list price
        };
        for (const Case& c : cases)
            order(c.seq, c.grcd, c.remi, c.shipped, c.danga, c.vat);
        order("03", "A001", "1001", 0, 55555, "V"); // nothing shipped
        Gauge gauge;
        Progress::install(&gauge);
        int asked = 0;
        const DailyClosing::Result r = close("Ab9", true, &asked);
        Progress::install(nullptr);
        QCOMPARE(asked, 0); // no sales rows yet: nothing to ask
        QCOMPARE(r.outcome, DailyClosing::Outcome::Closed);
        QCOMPARE(r.written, int(cases.size()));
        QCOMPARE(r.skipped, 1);
        QCOMPARE(gauge.calls.first(), QString("start 0 7"));
        QCOMPARE(gauge.calls.count(), 9);
        QCOMPARE(gauge.calls.last(), QString("finish 0"));

        for (const Case& c : cases) {
            const Rows s = Sql::select("select * from r_mast where ilja = ? and seq = ?", {kDay, c.seq});
            QVERIFY2(s.size() == 1, qPrintable(c.seq));
            QCOMPARE(s.number(0, "m3"), c.shipped);
            QCOMPARE(s.number(0, "danga"), c.danga);
            QCOMPARE(s.text(0, "vat"), c.vat);
            QCOMPARE(s.number(0, "kum"), c.kum);
            QCOMPARE(s.number(0, "vatkum"), c.vatkum);
            QCOMPARE(s.number(0, "hap"), c.hap);
            QCOMPARE(s.number(0, "yul"), c.yul);
        }
        QVERIFY(!Sql::exists("select 1 from r_mast where seq = '03'"));
        // Names and site values come from the order and the site row.
        const Rows s = Sql::select("select * from r_mast where ilja = ? and seq = '05'", {kDay});
        const QStringList expected{"01", "K001", "K001명", "001", "K001현장", "1001", "25-21-01", "2024", "2024-05",
                                   "", "레미콘", "K", "T", "004", "이과장", ""};
        QStringList got;
        for (const char* c : {"saup", "grcd", "grcd_name", "code", "code_name", "remi_code", "standard", "yun", "ul",
                              "memo", "kind", "kawn_sa", "misu", "man_code", "man_name", "okno"})
            got << s.text(0, c);
        QCOMPARE(got, expected);
        QVERIFY(!s.value(0, "memo").isNull());
    }

    void rerunReplacesOwnRowsAndKeepsHandRows()
    {
        TestDb db;
        office();
        order("01", "A001", "1001", 6, 60000, "V");
        order("02", "K001", "1001", 3, 60000, "N");
        handRow("55");
        int asked = 0;
        QCOMPARE(close("Ab9", true, &asked).written, 2);
        QCOMPARE(asked, 1); // row 55 was there
        const QStringList first = sales();
        QCOMPARE(first.size(), 3);

        // A correction of the order and a closing again: the own rows follow,
        // row 55 stays as typed.
        Sql::exec("update r_suju set v_outorder = 7 where seq = '01'");
        Sql::exec("update r_mast set m3 = 99 where seq = '02'");
        const DailyClosing::Result again = close("Ab9", true, &asked);
        QCOMPARE(asked, 2);
        QCOMPARE(again.removed, 2);
        QCOMPARE(again.written, 2);
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = '01'").toDouble(), 7.0);
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = '02'").toDouble(), 3.0);
        QCOMPARE(sales().last(), first.last());

        // Keeping the rows when asked changes nothing.
        Sql::exec("update r_suju set v_outorder = 1 where seq = '01'");
        const QStringList before = sales();
        QCOMPARE(close("Ab9", false).outcome, DailyClosing::Outcome::Declined);
        QCOMPARE(sales(), before);
    }

    void refusals()
    {
        TestDb db;
        office();
        order("01", "A001", "1001", 6, 60000, "V");
        // A wrong password (case counts) writes nothing.
        for (const QString& pw : {QString("ab9"), QString(""), QString("Ab9 ")})
            QCOMPARE(close(pw).outcome, DailyClosing::Outcome::WrongPassword);
        QVERIFY(sales().isEmpty());

        // An approved day is refused before the password is looked at.
        handRow("60", "결재");
        int asked = 0;
        for (const QString& pw : {QString("wrong"), QString("Ab9")})
            QCOMPARE(close(pw, true, &asked).outcome, DailyClosing::Outcome::Approved);
        QCOMPARE(asked, 0);
        QCOMPARE(sales().size(), 1);
        QCOMPARE(DailyClosing::message(DailyClosing::Outcome::Approved),
                 QString("결재가 완료된 자료입니다. 사장님 결재요망"));

        // Without a staff row 589 no password opens the closing.
        Sql::exec("delete from r_mast");
        Sql::exec("delete from youngup");
        QCOMPARE(close("").outcome, DailyClosing::Outcome::WrongPassword);
    }

    void failureHalfWayLeavesTheDayUntouched()
    {
        TestDb db;
        office();
        order("01", "A001", "1001", 6, 60000, "V");
        order("02", "A001", "1001", 2, 60000, "V");
        order("03", "A001", "1001", 2, 60000, "N");
        handRow("55");
        close();
        const QStringList before = sales();
        Sql::exec("update r_suju set v_outorder = 8 where seq = '01'");
        Sql::exec("update r_suju set vat = 'Z' where seq = '03'");
        try {
            close();
            QFAIL("a VAT code Z was closed");
        } catch (const DbError& e) {
            QVERIFY2(e.message().contains("03") && e.message().contains(kDay), qPrintable(e.message()));
        }
        QCOMPARE(sales(), before);
    }

    void highNumbersAreClosedOnce()
    {
        TestDb db;
        office();
        order("01", "A001", "1001", 6, 60000, "V");
        order("51", "A001", "1001", 2, 60000, "V");
        order("55", "A001", "1001", 3, 60000, "V");
        handRow("55");
        DailyClosing::Result r = close();
        QCOMPARE(r.written, 2);
        QCOMPARE(r.kept, QStringList{"55"});
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = '51'").toDouble(), 2.0);
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = '55'").toDouble(), 1.0); // the hand row

        r = close();
        QCOMPARE(r.written, 1);
        QCOMPARE(r.kept, (QStringList{"51", "55"}));
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 3);
    }

    // Orders shipped by the plant stand-in, closed through varer-cli.
    void closesPlantShipmentsFromTheCommandLine()
    {
        TestDb db;
        office();
        insertRow("car_code", {{"code", "81-1001-1"}, {"scode", "1001"}, {"m3", 6}, {"gubun", "6루베"}});
        insertRow("car_code", {{"code", "81-1002-2"}, {"scode", "1002"}, {"m3", 8}, {"gubun", "8루베"}});
        order("01", "A001", "1001", 0, 60000, "V");
        order("02", "K001", "1001", 0, 61000, "N");
        order("03", "A001", "2002", 0, 70000, "X");
        Sql::exec("update r_suju set v_reorder = order_m3, v_ftime = '00:00', v_ltime = '00:00', v_ccount = 0");

        const auto cli = [&](const QStringList& args) {
            QProcess p;
            p.start(cliPath(), QStringList{"--database", db.path()} + args);
            p.waitForFinished(120000);
            return std::make_pair(p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()));
        };
        QCOMPARE(cli({"plant-ship", kDay}).first, 0);
        const int shipped = Sql::scalar("select count(*) from r_suju where v_outorder <> 0").toInt();
        QVERIFY(shipped > 0);

        auto [status, out] = cli({"close-day", kDay, "--password", "Ab9"});
        QCOMPARE(status, 0);
        QVERIFY2(out.startsWith(QString("%1 sales rows written").arg(shipped)), qPrintable(out));
        QCOMPARE(Sql::scalar("select count(*) from r_mast s join r_suju o on o.ilja = s.ilja and o.seq = s.seq "
                             "where s.m3 = o.v_outorder")
                     .toInt(),
                 shipped);

        // Again without --yes: nothing replaced, and it says so.
        Sql::exec("update r_mast set m3 = 0");
        std::tie(status, out) = cli({"close-day", kDay, "--password", "Ab9"});
        QCOMPARE(status, 1);
        QVERIFY2(out.contains("nothing replaced"), qPrintable(out));
        QCOMPARE(Sql::scalar("select sum(m3) from r_mast").toDouble(), 0.0);
        std::tie(status, out) = cli({"close-day", kDay, "--password", "Ab9", "--yes"});
        QCOMPARE(status, 0);
        QVERIFY(Sql::scalar("select sum(m3) from r_mast").toDouble() > 0);
        QCOMPARE(cli({"close-day", kDay, "--password", "nope", "--yes"}).second, QString("암호가 틀렸습니다.\n"));
    }
};

QTEST_GUILESS_MAIN(TestDailyClosing)
#include "tst_dailyclosing.moc"
