#include "data/Session.h"
#include "data/Sql.h"
#include "masters/SiteContracts.h"
#include "support/TestDb.h"

#include <QTest>

using namespace SiteContracts;

namespace {

const QString G = QStringLiteral("K001");
const QString C = QStringLiteral("001");
const QString Spec = QStringLiteral("25-24-150");

int seq = 0;
void ship(const QString& day, double m3, const QString& standard = Spec, const QString& code = C, double hap = 0)
{
    insertRow("r_mast", {{"ilja", day}, {"seq", QString::number(++seq).rightJustified(2, '0')}, {"grcd", G},
                         {"code", code}, {"standard", standard}, {"kind", "레미콘"}, {"m3", m3}, {"hap", hap}});
}

Line row(const QString& demand1, double amount, double cost, const QString& standard = Spec)
{
    Line l;
    l.standard = standard;
    l.kind = QStringLiteral("레미콘");
    l.demand1 = demand1;
    l.amount = amount;
    l.cost = cost;
    l.orderNum = QStringLiteral("N-") + demand1;
    return l;
}

QString series(const QString& standard = Spec)
{
    const Rows r = Sql::select("select demand1, demand2 from r_hyun_order where grcd = ? and code = ? and standard = ?"
                               " order by demand1",
                               {G, C, standard});
    QStringList out;
    for (int i = 0; i < r.size(); ++i)
        out << r.text(i, "demand1") + ".." + r.text(i, "demand2");
    return out.join(' ');
}

} // namespace

class TestSiteContracts : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        seq = 0;
        session().SessionSaup = QStringLiteral("01");
    }

    void oneRowFigures()
    {
        TestDb db;
        QCOMPARE(addRow(G, C, row("2003-03-01", 1000, 50000)), Result::Saved);
        ship("2003-02-20", 100); // before the contract began: still counts
        ship("2003-05-02", 200);
        ship("2003-05-02", 50, "other");     // another spec
        ship("2003-05-02", 70, Spec, "002"); // another site

        const QList<Line> d = detail(G, C, Spec);
        QCOMPARE(d.size(), 1);
        QCOMPARE(d[0].demand2, OpenEnd);
        QCOMPARE(d[0].kind, QString("레미콘"));
        QCOMPARE(d[0].chul, 300.0);
        QCOMPARE(d[0].chulkum, 15000000.0);
        QCOMPARE(d[0].michul, 700.0);
        QCOMPARE(d[0].hap, 50000000.0);

        const QList<Line> s = summary(G, C);
        QCOMPARE(s.size(), 2); // the contracted spec, then "other" shipped without a contract
        QCOMPARE(s[0].standard, Spec);
        QCOMPARE(s[0].chul, 300.0);
        QCOMPARE(s[0].chulkum, 15000000.0);
        QCOMPARE(s[0].michul, 700.0);
        QCOMPARE(s[0].hap, 50000000.0);
        QCOMPARE(s[0].amount, 1000.0);
        QCOMPARE(s[0].cost, 50000.0);
        QCOMPARE(s[0].orderNum, QString("N-2003-03-01"));
        QCOMPARE(s[0].demand2, OpenEnd);
    }

    void specShippedWithoutContract()
    {
        TestDb db;
        ship("2003-05-02", 6, "30-21-120", C, 330000);
        ship("2003-06-02", 4, "30-21-120", C, 220000);
        ship("2003-06-02", 9, "30-21-120", "002", 1);
        const QList<Line> s = summary(G, C);
        QCOMPARE(s.size(), 1);
        QVERIFY(!s[0].contracted);
        QCOMPARE(s[0].standard, QString("30-21-120"));
        QCOMPARE(s[0].kind, QString("레미콘"));
        QCOMPARE(s[0].chul, 10.0);
        QCOMPARE(s[0].chulkum, 550000.0);
        QCOMPARE(s[0].amount, 0.0);
        QCOMPARE(s[0].hap, 0.0);
        QCOMPARE(s[0].demand1, QString());
    }

    void priceChangeClosesThePreviousRow()
    {
        TestDb db;
        QCOMPARE(addRow(G, C, row("2003-03-01", 1000, 50000)), Result::Saved);
        ship("2003-06-30", 300);
        ship("2003-07-01", 100);
        QCOMPARE(addRow(G, C, row("2003-07-01", 0, 52000)), Result::Saved);
        QCOMPARE(series(), QString("2003-03-01..2003-06-30 2003-07-01..9999-12-31"));

        const QList<Line> d = detail(G, C, Spec);
        QCOMPARE(d.size(), 2);
        QCOMPARE(d[0].chul, 300.0);
        QCOMPARE(d[0].michul, 700.0);
        QCOMPARE(d[0].hap, 50000000.0);
        // The new price is worth its difference on the 700 m³ still unshipped.
        QCOMPARE(d[1].chul, 100.0);
        QCOMPARE(d[1].chulkum, 5200000.0);
        QCOMPARE(d[1].hap, 2000.0 * 700);
        QCOMPARE(d[1].michul, 600.0);

        const Line s = summary(G, C).first();
        QCOMPARE(s.amount, 1000.0);
        QCOMPARE(s.chul, 400.0);
        QCOMPARE(s.michul, 600.0);
        QCOMPARE(s.chulkum, 15000000.0 + 5200000.0);
        QCOMPARE(s.hap, 50000000.0 + 1400000.0);
        QCOMPARE(s.cost, 52000.0);
        QCOMPARE(s.demand1, QString("2003-03-01"));
    }

    void seriesFigures_data()
    {
        QTest::addColumn<QList<double>>("input");   // amount, cost, shipped per row
        QTest::addColumn<QList<double>>("expected"); // hap, chulkum, michul per row
        QTest::newRow("same price adds quantity")
            << QList<double>{100, 1000, 30, 50, 1000, 0} << QList<double>{100000, 30000, 70, 50000, 0, 120};
        QTest::newRow("price cut on what is left")
            << QList<double>{100, 1000, 30, 0, 900, 10} << QList<double>{100000, 30000, 70, -7000, 9000, 60};
        QTest::newRow("new price with more quantity")
            << QList<double>{100, 1000, 100, 20, 1100, 0} << QList<double>{100000, 100000, 0, 22000, 0, 20};
        QTest::newRow("shipped beyond the contract")
            << QList<double>{10, 500, 12} << QList<double>{5000, 6000, -2};
    }
    void seriesFigures()
    {
        QFETCH(QList<double>, input);
        QFETCH(QList<double>, expected);
        QList<Line> rows;
        for (int i = 0; i + 2 < input.size(); i += 3) {
            Line l;
            l.amount = input[i];
            l.cost = input[i + 1];
            l.chul = input[i + 2];
            rows << l;
        }
        computeSeries(rows);
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].hap, expected[3 * i]);
            QCOMPARE(rows[i].chulkum, expected[3 * i + 1]);
            QCOMPARE(rows[i].michul, expected[3 * i + 2]);
        }
    }

    void rowsFitIntoTheSeries()
    {
        TestDb db;
        QCOMPARE(addRow(G, C, row("2003-03-01", 1000, 50000)), Result::Saved);
        QCOMPARE(addRow(G, C, row("2003-09-01", 0, 53000)), Result::Saved);
        // A row between two others ends where the next one begins.
        QCOMPARE(addRow(G, C, row("2003-07-01", 0, 52000)), Result::Saved);
        QCOMPARE(series(), QString("2003-03-01..2003-06-30 2003-07-01..2003-08-31 2003-09-01..9999-12-31"));
        // Another spec of the same site keeps its own series.
        QCOMPARE(addRow(G, C, row("2003-05-01", 10, 1, "other")), Result::Saved);
        QCOMPARE(series("other"), QString("2003-05-01..9999-12-31"));

        // Refusals write nothing.
        QCOMPARE(addRow(G, C, row("2003-07-01", 5, 1)), Result::RowExists);
        QCOMPARE(addRow(G, C, row("", 5, 1)), Result::Incomplete);
        QCOMPARE(addRow(G, C, row("2003-10-01", 5, 1, " ")), Result::Incomplete);
        QCOMPARE(addRow(G, C, row("2003-7-01", 5, 1)), Result::BadDate);
        QCOMPARE(addRow(G, C, row("2003-02-30", 5, 1)), Result::BadDate);
        QCOMPARE(series(), QString("2003-03-01..2003-06-30 2003-07-01..2003-08-31 2003-09-01..9999-12-31"));

        // Deleting a row lets the one before it run on.
        QCOMPARE(deleteRow(G, C, Spec, "2003-07-01"), 2);
        QCOMPARE(series(), QString("2003-03-01..2003-08-31 2003-09-01..9999-12-31"));
        QCOMPARE(deleteRow(G, C, Spec, "2003-09-01"), 1);
        QCOMPARE(series(), QString("2003-03-01..9999-12-31"));
        QCOMPARE(deleteRow(G, C, Spec, "2003-03-01"), 0);
        QCOMPARE(series(), QString());
        QCOMPARE(series("other"), QString("2003-05-01..9999-12-31"));
        deleteSpec(G, C, "other");
        QCOMPARE(Sql::scalar("select count(*) from r_hyun_order").toInt(), 0);
    }

    void changeRowKeepsItsDates()
    {
        TestDb db;
        QCOMPARE(addRow(G, C, row("2003-03-01", 1000, 50000)), Result::Saved);
        Line l = row("2003-03-01", 1200, 51000);
        l.memo = QStringLiteral("증량");
        l.delivery = QStringLiteral("2003-12-31");
        QCOMPARE(changeRow(G, C, l), Result::Saved);
        const QList<Line> d = detail(G, C, Spec);
        QCOMPARE(d[0].amount, 1200.0);
        QCOMPARE(d[0].cost, 51000.0);
        QCOMPARE(d[0].memo, QString("증량"));
        QCOMPARE(d[0].delivery, QString("2003-12-31"));
        QCOMPARE(d[0].demand2, OpenEnd);
        l.demand1 = QStringLiteral("2003-04-01");
        QVERIFY_THROWS_EXCEPTION(DbError, changeRow(G, C, l));
    }

    void publicPriceInForce()
    {
        TestDb db;
        insertRow("r_size", {{"remi_code", "0001"}, {"ilja", "2003-01-01"}, {"standard", Spec}, {"rul_ks", "KS"},
                             {"kwan_danga", 50000}, {"gubun", "1"}});
        insertRow("r_size", {{"remi_code", "0001"}, {"ilja", "2003-07-01"}, {"standard", Spec}, {"rul_ks", "KS"},
                             {"kwan_danga", 52000}, {"gubun", "0"}});
        insertRow("r_size", {{"remi_code", "0002"}, {"ilja", "2003-05-01"}, {"standard", Spec}, {"rul_ks", "비KS"},
                             {"kwan_danga", 1}, {"gubun", "0"}});
        QCOMPARE(publicPrice(Spec, "2002-12-31"), std::optional<double>());
        QCOMPARE(publicPrice(Spec, "2003-06-30"), std::optional<double>(50000));
        QCOMPARE(publicPrice(Spec, "2003-07-01"), std::optional<double>(52000));
        QCOMPARE(dayBefore("2004-03-01"), QString("2004-02-29"));
        QCOMPARE(dayBefore("2004-3-01"), QString());
    }
};

QTEST_GUILESS_MAIN(TestSiteContracts)
#include "tst_sitecontracts.moc"
