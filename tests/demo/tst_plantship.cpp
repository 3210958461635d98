#include "data/Sql.h"
#include "demo/PlantShip.h"
#include "support/TestDb.h"

#include <QTest>

namespace {

const QString kDay = QStringLiteral("2024-05-02");

void truck(const QString& code, int m3)
{
    insertRow("car_code", {{"code", code}, {"scode", code.mid(3, 4)}, {"m3", m3}, {"gubun", QString::number(m3) + "루베"}});
}

void order(const QString& seq, double m3, const QString& okno = "OK", const QString& state = "YES",
           const QString& time = "08:00")
{
    insertRow("r_suju", {{"ilja", kDay}, {"seq", seq}, {"order_m3", m3}, {"v_okno", okno}, {"v_state", state},
                         {"time_", time}, {"dist", 12.0}, {"v_outorder", 0.0}, {"v_reorder", m3},
                         {"v_ftime", "00:00"}, {"v_ltime", "00:00"}, {"v_ccount", 0.0}});
}

// The loads of the day as comparable text, in insertion-independent order.
QStringList loads()
{
    QStringList out;
    const Rows r = Sql::select("select * from cholha order by o_scode, o_count");
    for (int i = 0; i < r.size(); ++i)
        out << QStringList{r.text(i, "o_scode"), r.text(i, "o_count"), r.text(i, "o_otime"), r.text(i, "o_carnum"),
                           r.text(i, "o_ccode"), QString::number(r.number(i, "o_outorder")), r.text(i, "o_return")}
                   .join('|');
    return out;
}

} // namespace

class TestPlantShip : public QObject {
    Q_OBJECT
private slots:
    void shipsOpenApprovedOrders()
    {
        TestDb db;
        truck("81-1001-1", 6);
        truck("81-1002-2", 8);
        order("01", 20.5);
        order("02", 12, "NO");                // not approved for shipping
        order("03", 12, "OK", PlantShip::Closed); // already closed by the plant
        order("04", 0.5, "OK", "YES", "13:00");
        const PlantShipResult r = PlantShip::run(kDay, 7);
        QCOMPARE(r.orders, 2);
        QCOMPARE(r.loads, Sql::scalar("select count(*) from cholha").toInt());
        QCOMPARE(Sql::scalar("select count(*) from cholha where o_scode in ('02', '03')").toInt(), 0);

        const Rows orders = Sql::select("select * from r_suju where seq in ('01', '04') order by seq");
        for (int i = 0; i < orders.size(); ++i) {
            const QString seq = orders.text(i, "seq");
            const Rows l = Sql::select("select * from cholha where o_scode = ? order by o_count", {seq});
            double shipped = 0;
            for (int j = 0; j < l.size(); ++j) {
                QCOMPARE(l.text(j, "o_fdate"), kDay);
                QCOMPARE(l.text(j, "o_date"), kDay);
                QCOMPARE(l.text(j, "o_count"), QString("%1").arg(j + 1, 3, 10, QChar('0')));
                QVERIFY(l.number(j, "o_outorder") > 0);
                QVERIFY(l.number(j, "o_outorder") <= (l.text(j, "o_carnum") == "81-1001-1" ? 6 : 8));
                if (j > 0)
                    QVERIFY(l.text(j, "o_otime") > l.text(j - 1, "o_otime"));
                if (l.text(j, "o_return") != PlantShip::Returned)
                    shipped += l.number(j, "o_outorder");
            }
            QVERIFY(l.size() > 0);
            QCOMPARE(orders.number(i, "v_outorder"), shipped);
            QCOMPARE(orders.number(i, "v_ccount"), double(l.size()));
            QCOMPARE(orders.text(i, "v_ftime"), l.text(0, "o_otime").left(5));
            QCOMPARE(orders.text(i, "v_ltime"), l.text(l.size() - 1, "o_otime").left(5));
            QVERIFY(orders.text(i, "v_ftime") >= orders.text(i, "time_"));
            if (orders.text(i, "v_state") == PlantShip::Closed) {
                QCOMPARE(shipped, orders.number(i, "order_m3"));
                QCOMPARE(orders.number(i, "v_reorder"), 0.0);
            } else {
                QVERIFY(shipped < orders.number(i, "order_m3"));
                QCOMPARE(orders.number(i, "v_reorder"), orders.number(i, "order_m3") - shipped);
            }
        }
        // A small order goes out in one load.
        QCOMPARE(Sql::scalar("select count(*) from cholha where o_scode = '04' and o_return = ''").toInt(), 1);
    }

    void sameSeedSameLoadsAndLaterRunsCarryOn()
    {
        TestDb db;
        truck("81-1001-1", 6);
        truck("81-1002-2", 7);
        for (int i = 1; i <= 8; ++i)
            order(QString("%1").arg(i, 2, 10, QChar('0')), 20 + 10 * i);
        PlantShip::run(kDay, 11);
        const QStringList first = loads();
        const Rows before = Sql::select("select seq, v_outorder, v_state from r_suju order by seq");

        Sql::exec("delete from cholha");
        Sql::exec("update r_suju set v_outorder = 0, v_reorder = order_m3, v_ccount = 0, v_ftime = '00:00',"
                  " v_ltime = '00:00', v_state = 'YES'");
        PlantShip::run(kDay, 11);
        QCOMPARE(loads(), first);
        PlantShip::run(kDay, 12); // carries on with whatever is still open
        const Rows after = Sql::select("select seq, order_m3, v_outorder, v_state from r_suju order by seq");
        for (int i = 0; i < after.size(); ++i) {
            QVERIFY(after.number(i, "v_outorder") >= before.number(i, "v_outorder"));
            QVERIFY(after.number(i, "v_outorder") <= after.number(i, "order_m3"));
            // Load numbers keep running within each order.
            QCOMPARE(Sql::scalar("select count(distinct o_count) from cholha where o_scode = ?", {after.text(i, "seq")}),
                     Sql::scalar("select count(*) from cholha where o_scode = ?", {after.text(i, "seq")}));
        }
        // 360 m3 for two trucks do not fit into one day: some orders are left open.
        QVERIFY(Sql::exists("select 1 from r_suju where v_state = 'YES'"));
    }

    void noTrucksIsAClearError()
    {
        TestDb db;
        order("01", 6);
        try {
            PlantShip::run(kDay);
            QFAIL("shipping without trucks must fail");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains("car_code"));
        }
        QCOMPARE(Sql::scalar("select count(*) from cholha").toInt(), 0);
        // A day without open orders needs no trucks.
        QCOMPARE(PlantShip::run("2024-05-03").loads, 0);
    }
};

QTEST_GUILESS_MAIN(TestPlantShip)
#include "tst_plantship.moc"
