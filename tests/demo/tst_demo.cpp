#include "books/AmountRule.h"
#include "data/Db.h"
#include "data/Sql.h"
#include "demo/DemoOffice.h"
#include "demo/PlantShip.h"
#include "support/TestDb.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <memory>
#include <optional>

namespace {

// A Thursday: the books run from 2024-01-02 to 2024-03-14.
const QDate kToday(2024, 3, 14);
const QString kLastDay = QStringLiteral("2024-03-14");

// Sites by grcd + code.
QHash<QString, int> siteIndex(const Rows& sites)
{
    QHash<QString, int> index;
    for (int i = 0; i < sites.size(); ++i)
        index.insert(sites.text(i, "grcd") + sites.text(i, "code"), i);
    return index;
}

// The private list price of a spec in force on a day.
std::optional<double> listPrice(const Rows& versions, const QString& remiCode, const QString& day)
{
    std::optional<double> price;
    for (int i = 0; i < versions.size(); ++i) // ordered by remi_code, ilja
        if (versions.text(i, "remi_code") == remiCode && versions.text(i, "ilja") <= day)
            price = versions.number(i, "sa_danga");
    return price;
}

// Checks that each order's non-returned loads add up to its shipped quantity.
void verifyLoadsMatchOrders(const QString& where = QString(), const QVariantList& binds = {})
{
    const Rows r = Sql::select(
        QStringLiteral("select s.ilja, s.seq, s.order_m3, s.v_outorder, s.v_reorder, s.v_state, s.v_ccount,"
                       " (select coalesce(sum(c.o_outorder), 0) from cholha c where c.o_fdate = s.ilja"
                       "   and c.o_scode = s.seq and coalesce(c.o_return, '') <> '회차') as loaded,"
                       " (select count(*) from cholha c where c.o_fdate = s.ilja and c.o_scode = s.seq) as loads"
                       " from r_suju s")
            + where,
        binds);
    QVERIFY(r.size() > 0);
    for (int i = 0; i < r.size(); ++i) {
        const QString order = r.text(i, "ilja") + "/" + r.text(i, "seq");
        QVERIFY2(qAbs(r.number(i, "loaded") - r.number(i, "v_outorder")) < 1e-9, qPrintable(order));
        QCOMPARE(r.number(i, "v_ccount"), r.number(i, "loads"));
        QVERIFY2(r.number(i, "v_outorder") <= r.number(i, "order_m3") + 1e-9, qPrintable(order));
        QCOMPARE(r.number(i, "v_reorder"), qMax(0.0, std::round((r.number(i, "order_m3") - r.number(i, "v_outorder")) * 100) / 100));
        if (r.text(i, "v_state") == PlantShip::Closed)
            QVERIFY2(r.number(i, "v_reorder") == 0, qPrintable(order));
    }
}

// Runs varer-cli (the build's, named by CTest) to the end.
void runCli(QProcess& cli, const QStringList& args)
{
    QVERIFY2(!cliPath().isEmpty(), "VARER_CLI does not name varer-cli (run the test through ctest)");
    cli.start(cliPath(), args);
    QVERIFY(cli.waitForFinished(120000));
}

} // namespace

class TestDemo : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDb> db_;
    DemoSummary summary_;

private slots:
    void initTestCase()
    {
        db_ = std::make_unique<TestDb>();
        QElapsedTimer t;
        t.start();
        summary_ = DemoOffice::fill(kToday);
        qInfo("demo office filled in %lld ms", t.elapsed());
        QCOMPARE(summary_.firstDay, QString("2024-01-02")); // New Year's Day is a holiday
        QCOMPARE(summary_.lastDay, kLastDay);
    }

    void refusesADatabaseWithData()
    {
        QVERIFY_THROWS_EXCEPTION(DbError, DemoOffice::fill(kToday));
        QCOMPARE(Sql::scalar("select count(*) from enrol").toInt(), 1);
    }

    void staffAndLogins()
    {
        const std::pair<QString, QString> logins[] = {{"관리자", "1234"}, {"admin", "1234"}, {"김영수", "1111"}};
        for (const auto& [man, pass] : logins)
            QVERIFY2(Sql::exists("select 1 from youngup where man = ? and pass = ?", {man, pass}), qPrintable(man));
        for (const char* code : {"100", "111", "589", "001", "301", "501"})
            QVERIFY2(Sql::exists("select 1 from youngup where code = ?", {QString(code)}), code);
        QVERIFY(Sql::scalar("select max(char_length(pass)) from youngup").toInt() <= 5);
        QVERIFY(!Sql::scalar("select num from iso where code = 1").toString().isEmpty());
    }

    void customersAndSites()
    {
        const Rows customers = Sql::select("select * from customer order by grcd");
        QCOMPARE(customers.size(), 40);
        QSet<QString> classes, bases, vats, cuts, ranks;
        static const QRegularExpression code(QStringLiteral("^[A-Z][0-9]{3}$"));
        for (int i = 0; i < customers.size(); ++i) {
            const QString grcd = customers.text(i, "grcd");
            QVERIFY(code.match(grcd).hasMatch());
            QCOMPARE(customers.text(i, "cust_set") + customers.text(i, "cust_seq"), grcd);
            classes << customers.text(i, "kawn_sa");
            bases << customers.text(i, "misu");
            vats << customers.text(i, "vat");
            cuts << customers.text(i, "julsa");
            ranks << customers.text(i, "rank");

            const Rows sites = Sql::select("select s.*, y.man from r_hyunjang s left join youngup y on y.code = s.man_code"
                                           " where s.grcd = ? order by s.code", {grcd});
            QVERIFY(sites.size() >= 1);
            const bool integrated = customers.text(i, "misu") == "G";
            int integratedSites = 0;
            for (int j = 0; j < sites.size(); ++j) {
                const QString where = grcd + sites.text(j, "code");
                QCOMPARE(sites.text(j, "grcd_name"), customers.text(i, "name"));
                QCOMPARE(sites.text(j, "kawn_sa"), customers.text(i, "kawn_sa"));
                QCOMPARE(sites.text(j, "grcode"), where);
                QVERIFY2(!sites.text(j, "man").isEmpty() && sites.text(j, "man") == sites.text(j, "man_name"),
                         qPrintable(where));
                if (sites.text(j, "code") == "000") {
                    ++integratedSites;
                    QCOMPARE(sites.text(j, "misu"), QString("T"));
                    QCOMPARE(sites.text(j, "name"), QString("현장통합"));
                } else {
                    QCOMPARE(sites.text(j, "misu"), QString(integrated ? "G" : "H"));
                }
            }
            QCOMPARE(integratedSites, integrated ? 1 : 0);
            if (integrated) // the integrated site's staff and rate are shared by the others
                QCOMPARE(Sql::scalar("select count(distinct man_code || '/' || order_nul) from r_hyunjang where grcd = ?",
                                     {grcd}).toInt(), 1);
        }
        QCOMPARE(classes, (QSet<QString>{"K", "L", "S", "T"}));
        QCOMPARE(bases, (QSet<QString>{"H", "G"}));
        QCOMPARE(vats, (QSet<QString>{"V", "N", "X"}));
        QVERIFY(cuts.contains(QSet<QString>{"", "1", "10", "100"}));
        QCOMPARE(ranks, (QSet<QString>{"A", "B", "C", "D", "E", "F"}));
        // Contracts belong to class K sites and name specs that exist.
        QCOMPARE(Sql::scalar("select count(*) from r_hyun_order o join r_hyunjang s on s.grcd = o.grcd and s.code = o.code"
                             " where s.kawn_sa <> 'K' or not exists (select 1 from r_size z where z.standard = o.standard)")
                     .toInt(), 0);
        QVERIFY(Sql::scalar("select count(*) from r_hyun_order").toInt() > 0);
    }

    void specsAndBalances()
    {
        QCOMPARE(Sql::scalar("select count(distinct remi_code) from r_size").toInt(), 30);
        QVERIFY(Sql::scalar("select count(*) from r_size").toInt() > 60);
        // Exactly one current version per code, and it is the latest.
        const Rows current = Sql::select(
            "select remi_code, sum(case when gubun = '0' then 1 else 0 end) as n,"
            " max(ilja) as latest, max(case when gubun = '0' then ilja end) as current_day"
            " from r_size group by remi_code");
        for (int i = 0; i < current.size(); ++i) {
            QCOMPARE(current.value(i, "n").toInt(), 1);
            QCOMPARE(current.text(i, "current_day"), current.text(i, "latest"));
        }
        // An opening balance for every receivable holder, and only for them.
        QCOMPARE(Sql::scalar("select min(ilja) from r_misu").toString(), QString("2024-01"));
        QCOMPARE(Sql::scalar("select count(*) from r_hyunjang s where s.misu <> 'G' and not exists"
                             " (select 1 from r_misu m where m.grcd = s.grcd and m.code = s.code and m.ilja = '2024-01')")
                     .toInt(), 0);
        QCOMPARE(Sql::scalar("select count(*) from r_misu m join r_hyunjang s on s.grcd = m.grcd and s.code = m.code"
                             " where s.misu = 'G'").toInt(), 0);
        QVERIFY(Sql::scalar("select count(*) from zipcode").toInt() >= 200);
        QVERIFY(!Sql::exists("select 1 from zipcode where post not similar to '[0-9]{3}-[0-9]{3}'"));
    }

    void trucksAndHaulage()
    {
        const Rows trucks = Sql::select("select * from car_code");
        QVERIFY(trucks.size() >= 10);
        static const QRegularExpression mask(QStringLiteral("^[0-9]{2}-[0-9]{4}-[0-9]$"));
        for (int i = 0; i < trucks.size(); ++i) {
            QVERIFY(mask.match(trucks.text(i, "code")).hasMatch());
            QCOMPARE(trucks.text(i, "scode"), trucks.text(i, "code").mid(3, 4));
            QVERIFY(Sql::exists("select 1 from car_cust where code = ?", {trucks.text(i, "carco")}));
        }
        // Every distance an order names has a price; distance 0 has agreed prices per truck class.
        QCOMPARE(Sql::scalar("select count(*) from r_suju s where s.dist > 0 and not exists"
                             " (select 1 from carry c where c.code = cast(cast(s.dist as integer) as varchar(10)))")
                     .toInt(), 0);
        QCOMPARE(Sql::scalar("select count(*) from r_suju s join car_code t on 1 = 1 where s.dist = 0 and not exists"
                             " (select 1 from cont_carry c where c.ilja = s.ilja and c.seq = s.seq and c.gubun = t.gubun)")
                     .toInt(), 0);
    }

    void salesFollowTheClosingAndTheAmountRule()
    {
        const Rows sites = Sql::select("select * from r_hyunjang");
        const QHash<QString, int> site = siteIndex(sites);
        const Rows versions = Sql::select("select remi_code, ilja, sa_danga from r_size order by remi_code, ilja");
        const Rows sales = Sql::select(
            "select m.*, s.v_outorder, s.danga as order_danga, s.vat as order_vat, s.v_inout, s.v_station"
            " from r_mast m left join r_suju s on s.ilja = m.ilja and s.seq = m.seq order by m.ilja, m.seq");
        QVERIFY(sales.size() > 300);
        int handRows = 0;
        for (int i = 0; i < sales.size(); ++i) {
            const QString row = sales.text(i, "ilja") + "/" + sales.text(i, "seq");
            const int s = site.value(sales.text(i, "grcd") + sales.text(i, "code"), -1);
            QVERIFY2(s >= 0, qPrintable(row));
            for (const char* col : {"grcd_name", "kawn_sa", "misu", "man_code", "man_name"})
                QCOMPARE(sales.text(i, col), sites.text(s, col));
            QCOMPARE(sales.text(i, "code_name"), sites.text(s, "name"));
            QCOMPARE(sales.text(i, "ul"), sales.text(i, "ilja").left(7));
            QCOMPARE(sales.text(i, "yun"), sales.text(i, "ilja").left(4));
            QVERIFY(sales.text(i, "misu") != "T"); // integrated customers sell on their ordinary sites
            QVERIFY(sales.text(i, "ilja") < kLastDay);

            const double m3 = sales.number(i, "m3"), danga = sales.number(i, "danga");
            const QString vat = sales.text(i, "vat");
            const auto price = listPrice(versions, sales.text(i, "remi_code"), sales.text(i, "ilja"));
            std::optional<AmountRule::Amounts> expected;
            double yul;
            if (sales.text(i, "seq") < "51") {
                // One row per shipped order, as the daily closing makes it.
                QCOMPARE(m3, sales.number(i, "v_outorder"));
                QVERIFY(m3 != 0);
                QCOMPARE(danga, sales.number(i, "order_danga"));
                QCOMPARE(vat, sales.text(i, "order_vat"));
                QCOMPARE(sales.text(i, "grcd_name"), sales.text(i, "v_inout"));
                QCOMPARE(sales.text(i, "code_name"), sales.text(i, "v_station"));
                expected = AmountRule::closingAmounts(m3, danga, vat);
                yul = AmountRule::closingRate(sales.text(i, "kawn_sa"), danga, price);
            } else {
                ++handRows;
                expected = AmountRule::amountsFromPrice(m3, danga, vat);
                yul = AmountRule::rateOfTypedPrice(danga, sales.text(i, "kawn_sa"), price.value_or(0));
            }
            QVERIFY2(expected.has_value(), qPrintable(row));
            QCOMPARE(sales.number(i, "kum"), expected->kum);
            QCOMPARE(sales.number(i, "vatkum"), expected->vatkum);
            QCOMPARE(sales.number(i, "hap"), expected->hap);
            QCOMPARE(sales.number(i, "yul"), yul);
        }
        QVERIFY(handRows > 0);
        // Every shipped order of a past day was closed.
        QCOMPARE(Sql::scalar("select count(*) from r_suju s where s.ilja < ? and s.v_outorder <> 0 and not exists"
                             " (select 1 from r_mast m where m.ilja = s.ilja and m.seq = s.seq)", {kLastDay}).toInt(), 0);
        // Approved up to a week ago, open since.
        QCOMPARE(Sql::scalar("select count(*) from r_mast where ilja <= '2024-03-07' and okno is distinct from '결재'").toInt(), 0);
        QCOMPARE(Sql::scalar("select count(*) from r_mast where ilja > '2024-03-07' and okno = '결재'").toInt(), 0);
        QVERIFY(Sql::exists("select 1 from r_mast where ilja > '2024-03-07'"));
        // The tax book holds copies of sales rows.
        QVERIFY(Sql::scalar("select count(*) from tax_mast").toInt() > 0);
        QCOMPARE(Sql::scalar("select count(*) from tax_mast t where not exists (select 1 from r_mast m where m.ilja = t.ilja"
                             " and m.seq = t.seq and m.hap = t.hap and m.grcd = t.grcd)").toInt(), 0);
    }

    void depositsKeepTheRules()
    {
        const Rows sites = Sql::select("select * from r_hyunjang");
        const QHash<QString, int> site = siteIndex(sites);
        for (const char* book : {"r_ipkum", "tax_ipkum"}) {
            const Rows d = Sql::select(QStringLiteral("select * from %1").arg(QLatin1String(book)));
            QVERIFY(d.size() > 0);
            for (int i = 0; i < d.size(); ++i) {
                const int s = site.value(d.text(i, "grcd") + d.text(i, "code"), -1);
                QVERIFY(s >= 0);
                for (const char* col : {"grcd_name", "kawn_sa", "misu", "man_code", "man_name"})
                    QCOMPARE(d.text(i, col), sites.text(s, col));
                QCOMPARE(d.text(i, "code_name"), sites.text(s, "name"));
                QVERIFY(d.text(i, "misu") == "H" || d.text(i, "misu") == "T"); // a receivable holder, 000 when integrated
                QCOMPARE(d.text(i, "ul"), d.text(i, "ilja").left(7));
                QCOMPARE(d.number(i, "hap_kum"), d.number(i, "hyun") + d.number(i, "au") + d.number(i, "gi")
                                                     + d.number(i, "hal") + d.number(i, "dea"));
            }
        }
        for (const char* kind : {"hyun", "au", "gi", "hal", "dea", "lee"})
            QVERIFY2(Sql::exists(QStringLiteral("select 1 from r_ipkum where %1 > 0").arg(QLatin1String(kind))), kind);
        QCOMPARE(Sql::scalar("select count(*) from r_ipkum where au > 0 and (card_num = '' or last_date <= ilja)").toInt(), 0);
        QCOMPARE(Sql::scalar("select count(*) from r_ipkum where gi > 0 and bank = ''").toInt(), 0);
        QCOMPARE(Sql::scalar("select count(*) from r_ipkum where ilja <= '2024-03-07' and okno is distinct from '결재'").toInt(), 0);
    }

    void loadsAddUpToShippedQuantities()
    {
        verifyLoadsMatchOrders();
        QVERIFY(Sql::exists("select 1 from cholha where o_return = '회차'"));
        // Orders not approved for shipping got nothing.
        QCOMPARE(Sql::scalar("select coalesce(sum(v_outorder), 0) from r_suju where v_okno = 'NO'").toDouble(), 0.0);
        // The last day waits for the plant.
        QCOMPARE(Sql::scalar("select count(*) from cholha where o_fdate = ?", {kLastDay}).toInt(), 0);
        QVERIFY(Sql::scalar("select count(*) from r_suju where ilja = ? and v_okno = 'OK' and v_state = 'YES'",
                            {kLastDay}).toInt() > 0);
    }

    void plantShipFromTheCommandLine()
    {
        const QString path = db_->path();
        Db::close();
        QProcess cli;
        runCli(cli, {"--database", path, "plant-ship", kLastDay, "--seed", "3"});
        const QString out = QString::fromUtf8(cli.readAllStandardOutput());
        QVERIFY2(cli.exitCode() == 0, qPrintable(QString::fromUtf8(cli.readAllStandardError())));
        DbSettings s;
        s.database = path;
        Db::open(s);
        const int loads = Sql::scalar("select count(*) from cholha where o_fdate = ?", {kLastDay}).toInt();
        QVERIFY(loads > 0);
        QVERIFY2(out.startsWith(QString::number(loads) + " loads written"), qPrintable(out));
        verifyLoadsMatchOrders(" where s.ilja = ?", {kLastDay});
        QVERIFY(Sql::exists("select 1 from r_suju where ilja = ? and v_state = ?", {kLastDay, PlantShip::Closed}));
    }

    void commandLineRefusesBadInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad date") << QStringList{"plant-ship", "2024-13-01"} << "not a date YYYY-MM-DD: 2024-13-01";
        QTest::newRow("no date") << QStringList{"plant-ship"} << "needs one DATE";
        QTest::newRow("bad seed") << QStringList{"plant-ship", "2024-03-14", "--seed", "x"} << "--seed: not a whole number";
    }
    void commandLineRefusesBadInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QProcess cli;
        runCli(cli, QStringList{"--database", db_->path()} + args);
        QCOMPARE(cli.exitCode(), 2);
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(err.contains(message) && err.count('\n') == 1, qPrintable(err));
        QCOMPARE(cli.readAllStandardOutput(), QByteArray());
    }

    void cleanupTestCase() { db_.reset(); }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "tst_demo.moc"
