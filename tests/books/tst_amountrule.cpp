#include "books/AmountRule.h"

#include <QTest>

using namespace AmountRule;

class TestAmountRule : public QObject {
    Q_OBJECT
private slots:
    // From quantity and unit price, as the sales entry computes a row.
    void fromPrice_data()
    {
        QTest::addColumn<QString>("vat");
        QTest::addColumn<double>("m3");
        QTest::addColumn<double>("danga");
        QTest::addColumn<double>("kum");
        QTest::addColumn<double>("vatkum");
        QTest::addColumn<double>("hap");
        // kum = Round(361,107.5) goes to the even neighbour; vatkum truncates 36,110.8.
        QTest::newRow("V half to even") << "V" << 6.5 << 55555.0 << 361108.0 << 36110.0 << 397218.0;
        QTest::newRow("V quarter") << "V" << 6.25 << 55555.0 << 347219.0 << 34721.0 << 381940.0;
        // Total first, then kum from the rounded total.
        QTest::newRow("N from rounded total") << "N" << 0.5 << 75555.0 << 34344.0 << 3434.0 << 37778.0;
        QTest::newRow("N quarter") << "N" << 6.25 << 55555.0 << 315654.0 << 31565.0 << 347219.0;
        QTest::newRow("X") << "X" << 6.25 << 55555.0 << 347219.0 << 0.0 << 347219.0;
        QTest::newRow("lower-case v") << "v" << 6.5 << 55555.0 << 361108.0 << 36110.0 << 397218.0;
        QTest::newRow("V negative truncates toward zero") << "V" << -1.0 << 70005.0 << -70005.0 << -7000.0 << -77005.0;
        QTest::newRow("zero quantity") << "N" << 0.0 << 70000.0 << 0.0 << 0.0 << 0.0;
    }
    void fromPrice()
    {
        QFETCH(QString, vat);
        QFETCH(double, m3);
        QFETCH(double, danga);
        QFETCH(double, kum);
        QFETCH(double, vatkum);
        QFETCH(double, hap);
        SalesAmounts row{m3, danga, vat};
        computeAmounts(row);
        QCOMPARE(row.vat, vat.toUpper());
        QCOMPARE(row.kum, kum);
        QCOMPARE(row.vatkum, vatkum);
        QCOMPARE(row.hap, hap);
    }

    void unknownVatLeavesTheRow()
    {
        SalesAmounts row{6.0, 70000.0, "B", 1.0, 2.0, 3.0, 4.0};
        computeAmounts(row);
        QCOMPARE(row.kum, 1.0);
        QCOMPARE(row.vatkum, 2.0);
        QCOMPARE(row.hap, 3.0);
        QVERIFY(!amountsFromPrice(6.0, 70000.0, "").has_value());
        amountsFromTotal(row);
        QCOMPARE(row.danga, 70000.0);
        QCOMPARE(row.kum, 1.0);
    }

    // The daily closing differs from the entry only under N.
    void closing_data()
    {
        QTest::addColumn<QString>("vat");
        QTest::addColumn<double>("q");
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("kum");
        QTest::addColumn<double>("vatkum");
        QTest::addColumn<double>("hap");
        QTest::newRow("N independent roundings") << "N" << 0.5 << 75555.0 << 34343.0 << 3434.0 << 37778.0;
        QTest::newRow("N quarter") << "N" << 6.25 << 55555.0 << 315653.0 << 31566.0 << 347219.0;
        QTest::newRow("V as the entry") << "V" << 6.25 << 55555.0 << 347219.0 << 34721.0 << 381940.0;
        QTest::newRow("X as the entry") << "X" << 6.25 << 55555.0 << 347219.0 << 0.0 << 347219.0;
        QTest::newRow("negative shipment") << "V" << -1.0 << 70000.0 << -70000.0 << -7000.0 << -77000.0;
    }
    void closing()
    {
        QFETCH(QString, vat);
        QFETCH(double, q);
        QFETCH(double, p);
        QFETCH(double, kum);
        QFETCH(double, vatkum);
        QFETCH(double, hap);
        const auto a = closingAmounts(q, p, vat);
        QVERIFY(a.has_value());
        QCOMPARE(a->kum, kum);
        QCOMPARE(a->vatkum, vatkum);
        QCOMPARE(a->hap, hap);
        // The closing takes the order's code as stored: no upper-casing, no amounts.
        QVERIFY(!closingAmounts(q, p, vat.toLower()).has_value());
    }

    // Back from a typed total.
    void fromTotal_data()
    {
        QTest::addColumn<QString>("vat");
        QTest::addColumn<double>("m3");
        QTest::addColumn<double>("hap");
        QTest::addColumn<double>("danga");
        QTest::addColumn<double>("kum");
        QTest::addColumn<double>("vatkum");
        // The row enters with danga 50,000 and vatkum 777.
        QTest::newRow("N") << "N" << 1.5 << 100001.0 << 66667.0 << 90910.0 << 9091.0;
        QTest::newRow("V keeps the price") << "V" << 1.5 << 100001.0 << 50000.0 << 90910.0 << 9091.0;
        QTest::newRow("V vat not rounded") << "V" << 2.0 << 100000.5 << 50000.0 << 90910.0 << 9090.5;
        QTest::newRow("X keeps vatkum") << "X" << 4.0 << 250002.0 << 62500.0 << 250002.0 << 777.0;
        QTest::newRow("N no quantity") << "N" << 0.0 << 110000.0 << 0.0 << 100000.0 << 10000.0;
        QTest::newRow("X no quantity") << "X" << 0.0 << 110000.0 << 0.0 << 110000.0 << 777.0;
    }
    void fromTotal()
    {
        QFETCH(QString, vat);
        QFETCH(double, m3);
        QFETCH(double, hap);
        QFETCH(double, danga);
        QFETCH(double, kum);
        QFETCH(double, vatkum);
        SalesAmounts row{m3, 50000.0, vat, 0.0, 777.0, hap, 0.0};
        amountsFromTotal(row);
        QCOMPARE(row.danga, danga);
        QCOMPARE(row.kum, kum);
        QCOMPARE(row.vatkum, vatkum);
        QCOMPARE(row.hap, hap);
    }

    // Unit price (and rate) proposed when the spec is entered.
    void proposal_data()
    {
        QTest::addColumn<QString>("kawnSa");
        QTest::addColumn<QString>("julsa");
        QTest::addColumn<QString>("vat");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("danga");
        QTest::addColumn<double>("yul");
        // The row enters with danga 1,234 and yul 55; K = 66,000.
        QTest::newRow("public price as it is") << "K" << "100" << "N" << 93.0 << 70000.0 << 66000.0 << 55.0;
        QTest::newRow("public L") << "L" << "" << "V" << 93.0 << 70000.0 << 66000.0 << 55.0;
        QTest::newRow("hundreds, whole") << "S" << "10" << "V" << 93.0 << 70000.0 << 65100.0 << 93.0;
        QTest::newRow("hundreds, cut") << "S" << "10" << "V" << 93.5 << 70000.0 << 65400.0 << 93.0;
        QTest::newRow("thousands, whole") << "T" << "100" << "V" << 90.0 << 70000.0 << 63000.0 << 90.0;
        QTest::newRow("thousands, cut") << "T" << "100" << "V" << 90.5 << 70000.0 << 63000.0 << 90.0;
        QTest::newRow("tens") << "S" << "1" << "V" << 100.0 << 75555.0 << 75550.0 << 100.0;
        QTest::newRow("to the won") << "S" << "0" << "V" << 100.0 << 75555.0 << 75555.0 << 100.0;
        QTest::newRow("to the won, half to even") << "S" << "0" << "V" << 50.0 << 70025.0 << 35012.0 << 50.0;
        QTest::newRow("N thousands") << "S" << "100" << "N" << 100.0 << 75555.0 << 83000.0 << 100.0;
        QTest::newRow("N rate") << "S" << "10" << "N" << 90.0 << 70000.0 << 69300.0 << 90.0;
        QTest::newRow("binary trace below a whole unit") << "S" << "10" << "V" << 80.6 << 50000.0 << 40300.0 << 81.0;
        QTest::newRow("N binary trace") << "S" << "1" << "N" << 80.6 << 50000.0 << 44330.0 << 81.0;
        QTest::newRow("X list price, rate kept") << "S" << "10" << "X" << 90.0 << 70000.0 << 70000.0 << 55.0;
        QTest::newRow("no cut unit keeps the price") << "S" << "" << "V" << 90.0 << 70000.0 << 1234.0 << 2.0;
        QTest::newRow("no list price") << "T" << "0" << "V" << 90.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("unknown vat") << "S" << "0" << "B" << 90.0 << 70000.0 << 1234.0 << 55.0;
    }
    void proposal()
    {
        QFETCH(QString, kawnSa);
        QFETCH(QString, julsa);
        QFETCH(QString, vat);
        QFETCH(double, rate);
        QFETCH(double, s);
        QFETCH(double, danga);
        QFETCH(double, yul);
        SalesAmounts row{6.0, 1234.0, vat, 11.0, 1.0, 12.0, 55.0};
        proposeUnitPrice(row, PriceBasis{kawnSa, julsa, rate, 66000.0, s});
        QCOMPARE(row.danga, danga);
        QCOMPARE(row.yul, yul);
        // Amounts wait for the quantity.
        QCOMPARE(row.kum, 11.0);
        QCOMPARE(row.hap, 12.0);
    }

    void typedPrice()
    {
        // Public customers: rate 100 whatever the price, then the amounts.
        SalesAmounts pub{6.5, 55555.0, "V", 0, 0, 0, 37.0};
        unitPriceTyped(pub, "K", 70000.0);
        QCOMPARE(pub.yul, 100.0);
        QCOMPARE(pub.hap, 397218.0);
        // Private: price over list price for every VAT mode, even N.
        SalesAmounts priv{2.0, 63000.0, "N"};
        unitPriceTyped(priv, "S", 70000.0);
        QCOMPARE(priv.yul, 90.0);
        QCOMPARE(priv.hap, 126000.0);
        QCOMPARE(priv.kum, 114545.0);
        QCOMPARE(priv.vatkum, 11455.0);
        QCOMPARE(rateOfTypedPrice(63000.0, "T", 0.0), 0.0);
    }

    void closingRate_data()
    {
        QTest::addColumn<QString>("kawnSa");
        QTest::addColumn<double>("p");
        QTest::addColumn<bool>("hasPrice");
        QTest::addColumn<double>("s");
        QTest::addColumn<double>("yul");
        QTest::newRow("discount below list") << "S" << 56000.0 << true << 70000.0 << 20.0;
        QTest::newRow("at list price") << "T" << 70000.0 << true << 70000.0 << 0.0;
        QTest::newRow("public site") << "K" << 56000.0 << false << 0.0 << 100.0;
        QTest::newRow("no price row") << "S" << 56000.0 << false << 0.0 << 0.0;
        QTest::newRow("zero list price") << "S" << 56000.0 << true << 0.0 << 0.0;
        QTest::newRow("rounded") << "S" << 66990.0 << true << 70000.0 << 4.0;
    }
    void closingRate()
    {
        QFETCH(QString, kawnSa);
        QFETCH(double, p);
        QFETCH(bool, hasPrice);
        QFETCH(double, s);
        QFETCH(double, yul);
        QCOMPARE(AmountRule::closingRate(kawnSa, p, hasPrice ? std::optional<double>(s) : std::nullopt), yul);
    }
};

QTEST_GUILESS_MAIN(TestAmountRule)
#include "tst_amountrule.moc"
