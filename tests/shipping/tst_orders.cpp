#include "data/Session.h"
#include "data/Sql.h"
#include "reports/engine/ReportRegistry.h"
#include "shipping/Orders.h"
#include "support/TestDb.h"

#include <QTest>

namespace {

const QString kDay = QStringLiteral("2024-05-02");

void storedOrder(const QString& ilja, const QString& seq, const QString& grcd = "A001", const QString& code = "001",
                 const QString& remi = "1001", double danga = 60000)
{
    insertRow("r_suju", {{"ilja", ilja}, {"seq", seq}, {"grcd", grcd}, {"code", code}, {"remi_code", remi},
                         {"danga", danga}, {"order_m3", 10.0}, {"vat", "V"}});
}

OrderRow typed(const QString& seq = "01")
{
    OrderRow o;
    o.ilja = kDay;
    o.seq = seq;
    o.grcd = "A001";
    o.v_inout = "대한건설";
    o.code = "001";
    o.v_station = "역삼현장";
    o.saup = "01";
    o.time_ = "08:30";
    o.dist = 12.9;
    o.remi_code = "1001";
    o.v_rule = "25-21-15";
    o.kind = "레미콘";
    o.order_m3 = 10;
    o.danga = 60000;
    o.vat = "V";
    o.cement = "포틀랜드1종";
    return o;
}

void salesRow(const QString& ilja, const QString& seq, const QString& standard, double m3, double hap,
              const QString& grcd = "K001")
{
    insertRow("r_mast", {{"ilja", ilja}, {"seq", seq}, {"grcd", grcd}, {"code", "001"}, {"standard", standard},
                         {"kind", "레미콘"}, {"remi_code", "1001"}, {"m3", m3}, {"kum", hap}, {"vatkum", 0.0},
                         {"hap", hap}});
}

void contract(const QString& standard, const QString& demand1, const QString& demand2, double amount, double cost)
{
    insertRow("r_hyun_order", {{"grcd", "K001"}, {"code", "001"}, {"standard", standard}, {"kind", "레미콘"},
                               {"demand1", demand1}, {"demand2", demand2}, {"amount", amount}, {"cost", cost},
                               {"order_num", "N-" + demand1}});
}

} // namespace

class TestOrders : public QObject {
    Q_OBJECT
private slots:
    void nextNumber()
    {
        TestDb db;
        QCOMPARE(Orders::nextNumber(kDay), QString("01"));
        storedOrder(kDay, "09");
        storedOrder("2024-05-03", "42");
        QCOMPARE(Orders::nextNumber(kDay), QString("10"));
        storedOrder(kDay, "99");
        QCOMPARE(Orders::nextNumber(kDay), QString("00"));
    }

    void insertUpdateAndTheNumberOfAnotherStation()
    {
        TestDb db;
        // Keys that must be typed.
        for (QString OrderRow::*key : {&OrderRow::ilja, &OrderRow::seq, &OrderRow::grcd, &OrderRow::code,
                                       &OrderRow::remi_code, &OrderRow::vat}) {
            OrderRow o = typed();
            o.*key = " ";
            QCOMPARE(Orders::save(o, false, {}), Orders::SaveResult::MissingKeys);
        }
        QVERIFY(!Sql::exists("select 1 from r_suju"));

        QCOMPARE(Orders::save(typed(), false, {}), Orders::SaveResult::Inserted);
        Rows r = Sql::select("select * from r_suju");
        QCOMPARE(r.number(0, "dist"), 12.0);
        QCOMPARE(r.number(0, "v_reorder"), 10.0);
        QCOMPARE(r.number(0, "v_outorder"), 0.0);
        QCOMPARE(r.text(0, "v_state"), QString("YES"));
        QCOMPARE(r.text(0, "v_ftime") + r.text(0, "v_ltime") + r.text(0, "v_cincout"), QString("00:0000:0000:00"));
        QCOMPARE(r.text(0, "cement"), QString("포틀랜드1종"));

        // A second station saving the same number meets the stored order.
        OrderRow other = typed();
        other.grcd = "B001";
        bool asked = false;
        QCOMPARE(Orders::save(other, false, [&] { return asked = true; }), Orders::SaveResult::NumberTaken);
        QVERIFY(!asked);
        QCOMPARE(Sql::scalar("select grcd from r_suju").toString(), QString("A001"));

        // The plant ships 12 m3; the office lowers the order to 10 and then
        // raises it to 20. Cancel keeps the stored order.
        Sql::exec("update r_suju set v_outorder = 12, v_state = '마감', v_ftime = '07:10', v_ccount = 2");
        OrderRow edit = typed();
        edit.order_m3 = 11;
        QCOMPARE(Orders::save(edit, true, [] { return false; }), Orders::SaveResult::Declined);
        QCOMPARE(Sql::scalar("select order_m3 from r_suju").toDouble(), 10.0);
        for (const auto& [m3, reorder] : {std::pair{11.0, 0.0}, std::pair{20.0, 8.0}}) {
            edit.order_m3 = m3;
            QCOMPARE(Orders::save(edit, true, [] { return true; }), Orders::SaveResult::Updated);
            r = Sql::select("select * from r_suju");
            QCOMPARE(r.number(0, "order_m3"), m3);
            QCOMPARE(r.number(0, "v_reorder"), reorder);
            QCOMPARE(r.number(0, "v_outorder"), 12.0);
            QCOMPARE(r.text(0, "v_state") + r.text(0, "v_ftime") + QString::number(r.number(0, "v_ccount")), QString("마감07:102"));
        }
    }

    void loadWithCustomerAndSite()
    {
        TestDb db;
        insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "대한건설"},
                               {"kawn_sa", "S"}, {"misu", "H"}, {"vat", "N"}, {"rank", "F"}, {"julsa", "10"}});
        insertRow("youngup", {{"code", "003"}, {"man", "박대리"}, {"pass", "x"}});
        insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "역삼현장"}, {"man_code", "003"},
                                 {"misu", "G"}, {"order_nul", 93.5}, {"ground_tel", "02-555"}, {"build", "시공"}});
        QCOMPARE(Orders::save(typed("07"), false, {}), Orders::SaveResult::Inserted);
        QVERIFY(!Orders::load(kDay, "7"));
        const std::optional<LoadedOrder> l = Orders::load(kDay, "07");
        QVERIFY(l);
        QCOMPARE(l->order.v_station, QString("역삼현장"));
        QCOMPARE(l->order.time_, QString("08:30"));
        QCOMPARE(l->customerVat + l->rank + l->kawnSa + l->julsa, QString("NFS10"));
        QCOMPARE(l->siteMan + l->groundTel + l->build + l->siteMisu, QString("박대리02-555시공G"));
        QCOMPARE(l->orderNul, 93.5);
        QCOMPARE(Orders::gradeMessage(l->rank), QString("이 거래처의 등급은 F입니다."));
        QCOMPARE(Orders::gradeMessage("A"), QString());
        QCOMPARE(Orders::usedValues("cement"), QStringList{"포틀랜드1종"});
        QVERIFY(Orders::usedValues("grcd; drop table r_suju").isEmpty());
    }

    void deleteTakesTheHaulagePrices()
    {
        TestDb db;
        storedOrder(kDay, "01");
        storedOrder(kDay, "02");
        for (const char* seq : {"01", "02"})
            for (const char* gubun : {"8루베", "6루베"})
                insertRow("cont_carry", {{"ilja", kDay}, {"seq", seq}, {"gubun", gubun}, {"danga", 5000.0}});
        QCOMPARE(Orders::remove(kDay, "01"), 1);
        QCOMPARE(Sql::scalar("select count(*) from r_suju").toInt(), 1);
        QCOMPARE(Sql::select("select seq from cont_carry").size(), 2);
        QCOMPARE(Sql::scalar("select count(*) from cont_carry where seq = '02'").toInt(), 2);
    }

    void priceProposal()
    {
        TestDb db;
        struct Case {
            const char* name;
            QString kawnSa, julsa, vat;
            double rate;
            std::optional<double> price;
        };
        const QList<Case> cases{
            {"private V to hundreds", "S", "10", "V", 100, 75500},
            {"private V to the won", "S", "0", "V", 100, 75555},
            {"private N to thousands", "T", "100", "N", 100, 83000},
            {"private X list price", "S", "10", "X", 50, 75555},
            {"public price", "L", "10", "V", 93, 61000},
            {"unknown cut", "S", "5", "V", 100, std::nullopt},
        };
        for (const Case& c : cases) {
            AmountRule::PriceBasis b;
            b.kawnSa = c.kawnSa;
            b.julsa = c.julsa;
            b.orderNul = c.rate;
            b.kwanDanga = 61000;
            b.saDanga = 75555;
            QVERIFY2(Orders::proposePrice("A001", "001", "1001", b, c.vat) == c.price, c.name);
        }
        // The last order of the same customer, site and spec wins, unless its
        // price is 0.
        storedOrder("2024-04-01", "01", "A001", "001", "1001", 58000);
        storedOrder("2024-04-02", "01", "A001", "001", "1001", 59000);
        storedOrder("2024-04-03", "01", "A001", "002", "1001", 1);
        storedOrder("2024-04-03", "02", "A001", "001", "2002", 2);
        AmountRule::PriceBasis b;
        b.kawnSa = "L";
        b.kwanDanga = 61000;
        QVERIFY(Orders::proposePrice("A001", "001", "1001", b, "V") == 59000.0);
        storedOrder("2024-04-05", "01", "A001", "001", "1001", 0);
        QVERIFY(Orders::proposePrice("A001", "001", "1001", b, "V") == 61000.0);
    }

    void quantityCheck()
    {
        QVERIFY(Orders::fittedQuantity(15, 70000, 1000000) == 14.0);
        QVERIFY(!Orders::fittedQuantity(14, 70000, 1000000));
        QVERIFY(!Orders::fittedQuantity(5, 0, -10));
        QVERIFY(Orders::fittedQuantity(1, 1000, -500) == 0.0); // Round(-0.5) to even
    }

    void contractPosition()
    {
        TestDb db;
        // 25-21-15: 100 m3 at 60,000 until 2024-03-01, then 0 m3 at 62,000.
        contract("25-21-15", "2024-01-01", "2024-03-01", 100, 60000);
        contract("25-21-15", "2024-03-01", "2024-12-31", 0, 62000);
        salesRow("2024-02-01", "01", "25-21-15", 40, 2400000);
        salesRow("2024-03-01", "01", "25-21-15", 10, 620000); // the end day of row 1 counts for row 2
        salesRow("2024-03-02", "01", "30-24-15", 5, 350000);  // outside the contract
        salesRow("2024-03-02", "02", "25-21-15", 1, 1, "A001");
        insertRow("r_misu", {{"grcd", "K001"}, {"code", "001"}, {"ilja", "2024-01"}, {"kum", 1000.0}});

        const QList<ContractLine> d = Orders::contractDetail("K001", "001", "25-21-15");
        QCOMPARE(d.size(), 2);
        QCOMPARE(d[0].chul, 40.0);
        QCOMPARE(d[0].hap, 6000000.0);
        QCOMPARE(d[0].michul, 60.0);
        QCOMPARE(d[1].chul, 10.0);
        QCOMPARE(d[1].hap, 120000.0);
        QCOMPARE(d[1].michul, 50.0);

        const QList<ContractLine> s = Orders::contractSummary("K001", "001");
        QCOMPARE(s.size(), 2);
        QCOMPARE(s[0].standard + s[0].demand1 + s[0].demand2 + s[0].orderNum,
                 QString("25-21-152024-01-019999-12-31N-2024-03-01"));
        QCOMPARE(s[0].amount, 100.0);
        QCOMPARE(s[0].chul, 50.0);
        QCOMPARE(s[0].chulkum, 3020000.0);
        QCOMPARE(s[0].michul, 50.0);
        QCOMPARE(s[0].hap, 62000.0 * 50 + 3020000);
        QCOMPARE(s[1].standard, QString("30-24-15"));
        QCOMPARE(s[1].chul, 5.0);
        QCOMPARE(s[1].chulkum, 350000.0);

        const ContractMoney a = Orders::moneyOnSitePick("K001", "001", s);
        QCOMPARE(a.contract, 1000 + 6120000.0);
        QCOMPARE(a.shipped, 3370000.0);
        QCOMPARE(a.unshipped, 6120000.0 - 3370000);
        const ContractMoney b = Orders::moneyOnOrderClick("K001", "001");
        QCOMPARE(b.contract, 6001000.0);
        QCOMPARE(b.shipped, 3370000.0);
        QCOMPARE(b.unshipped, 6001000.0 - 3370000);
        const ContractMoney c = Orders::moneyOnSpecPick("K001", "001");
        QCOMPARE(c.contract, 6000000.0);
        QCOMPARE(c.unshipped, 6000000.0 - 3370000);

        QCOMPARE(Orders::shippedSales("K001", "001").size(), 2);
    }

    // The day's schedule: orders by number, private and public totals, the
    // private total following the processing class.
    void shipmentSchedule()
    {
        TestDb db;
        for (const auto& [grcd, kawnSa] : {std::pair{"A001", "S"}, std::pair{"T001", "T"}, std::pair{"K001", "K"}})
            insertRow("customer", {{"grcd", grcd}, {"cust_set", QString(grcd).left(1)}, {"cust_seq", "001"},
                                   {"kawn_sa", kawnSa}});
        insertRow("youngup", {{"code", "003"}, {"man", "박대리"}});
        insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"man_code", "003"}, {"ground_tel", "02-1"}});
        insertRow("iso", {{"code", 1}, {"num", "QP-01"}});
        storedOrder(kDay, "03", "K001");
        storedOrder(kDay, "01", "A001");
        storedOrder(kDay, "02", "T001");
        storedOrder("2024-05-03", "01", "A001");
        const RegisteredReport* report = findReport("qr_suju_f1");
        QVERIFY(report);
        for (const auto& [level, priv, total] : {std::tuple{"Q", "20.00", "30.00"}, std::tuple{"P", "10.00", "20.00"},
                                                 std::tuple{"R", "10.00", "20.00"}}) {
            session().IsoCode = 0;
            ReportParams p;
            p.set("date", kDay);
            p.set("level", level);
            const ReportJob job = report->build(p);
            QCOMPARE(session().IsoCode, 1);
            QCOMPARE(job.rows.size(), 3);
            QCOMPARE(job.rows.text(0, "seq") + job.rows.text(0, "man") + job.rows.text(0, "ground_tel"),
                     QString("01박대리02-1"));
            QCOMPARE(job.labels.value("s_order_m3"), QString(priv));
            QCOMPARE(job.labels.value("k_order_m3"), QString("10.00"));
            QCOMPARE(job.labels.value("t_order_m3"), QString(total));
            QCOMPARE(job.labels.value("iso_seq"), QString("QP-01"));
        }
    }
};

QTEST_GUILESS_MAIN(TestOrders)
#include "tst_orders.moc"
