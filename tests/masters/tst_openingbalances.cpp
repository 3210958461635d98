#include "data/Session.h"
#include "data/Sql.h"
#include "masters/OpeningBalances.h"
#include "support/TestDb.h"

#include <QTest>

using namespace OpeningBalances;

namespace {

void seed()
{
    session().SessionSaup = QStringLiteral("01");
    insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "한빛건설"}, {"misu", "G"}});
    insertRow("customer", {{"grcd", "B001"}, {"cust_set", "B"}, {"cust_seq", "001"}, {"name", "부산건설"}, {"misu", "H"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "000"}, {"name", "현장통합"}, {"misu", "T"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "본관"}, {"misu", "G"}});
    insertRow("r_hyunjang", {{"grcd", "B001"}, {"code", "001"}, {"name", "해운대"}, {"misu", "H"}});
}

Balance balance(const QString& grcd, const QString& code, const QString& month, const QString& amount)
{
    return {grcd, code, month, amount};
}

double kum(const QString& grcd, const QString& code, const QString& month)
{
    return Sql::scalar("select kum from r_misu where grcd = ? and code = ? and ilja = ?", {grcd, code, month}).toDouble();
}

int balances() { return Sql::scalar("select count(*) from r_misu").toInt(); }

} // namespace

class TestOpeningBalances : public QObject {
    Q_OBJECT
private slots:
    void monthsAndAmounts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("month");
        QTest::newRow("padded") << "2003-05" << true;
        QTest::newRow("december") << "2003-12" << true;
        QTest::newRow("unpadded") << "2003-5" << false;
        QTest::newRow("month 13") << "2003-13" << false;
        QTest::newRow("month 00") << "2003-00" << false;
        QTest::newRow("a day") << "2003-05-01" << false;
        QTest::newRow("letters") << "abcd-ef" << false;
    }
    void monthsAndAmounts()
    {
        QFETCH(QString, text);
        QFETCH(bool, month);
        QCOMPARE(isMonth(text), month);

        const QList<QPair<QString, double>> good = {{"1,250,000", 1250000}, {" -300 ", -300}, {"0", 0}};
        for (const auto& [typed, value] : good) {
            double v = 1;
            QVERIFY2(parseAmount(typed, &v), qPrintable(typed));
            QCOMPARE(v, value);
        }
        for (const QString& bad : {"", "12a", "일만", "1.5", "--3", "1e5"}) {
            double v = 7;
            QVERIFY2(!parseAmount(bad, &v), qPrintable(bad));
            QCOMPARE(v, 7.0);
        }
    }

    void saveOverwriteAndDelete()
    {
        TestDb db;
        seed();
        int asked = 0;
        auto answer = [&asked](bool ok) {
            return [&asked, ok] {
                ++asked;
                return ok;
            };
        };
        QCOMPARE(save(balance("B001", "001", "2003-05", "1,000,000"), answer(true)), SaveResult::Saved);
        QCOMPARE(asked, 0);
        QCOMPARE(kum("B001", "001", "2003-05"), 1000000.0);
        QCOMPARE(Sql::scalar("select saup from r_misu").toString(), QString("01"));
        QCOMPARE(session().StartMonth, QString("2003-05"));

        // The same holder and month: asked first; Cancel keeps the amount, OK replaces it.
        QCOMPARE(save(balance("B001", "001", "2003-05", "2000000"), answer(false)), SaveResult::Cancelled);
        QCOMPARE(asked, 1);
        QCOMPARE(kum("B001", "001", "2003-05"), 1000000.0);
        QCOMPARE(save(balance("B001", "001", "2003-05", "2000000"), answer(true)), SaveResult::Saved);
        QCOMPARE(asked, 2);
        QCOMPARE(kum("B001", "001", "2003-05"), 2000000.0);
        QCOMPARE(balances(), 1);

        // An integrated customer keeps its balance on site 000.
        QCOMPARE(save(balance("A001", "000", "2003-01", "-5000"), answer(true)), SaveResult::Saved);
        QCOMPARE(session().StartMonth, QString("2003-01"));
        const Rows r = list();
        QCOMPARE(r.size(), 2);
        QCOMPARE(r.text(0, "name") + "/" + r.text(0, "name_1") + "/" + r.text(0, "ilja"),
                 QString("한빛건설/현장통합/2003-01"));
        QCOMPARE(r.number(0, "kum"), -5000.0);

        QVERIFY(OpeningBalances::remove("A001", "000", "2003-01"));
        QVERIFY(!OpeningBalances::remove("A001", "000", "2003-01"));
        QCOMPARE(session().StartMonth, QString("2003-05"));
        QCOMPARE(balances(), 1);
    }

    void refusalsWriteNothing_data()
    {
        QTest::addColumn<QString>("grcd");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<int>("result");
        QTest::newRow("no customer") << "" << "001" << "2003-05" << "1" << int(SaveResult::Incomplete);
        QTest::newRow("no month") << "B001" << "001" << "" << "1" << int(SaveResult::Incomplete);
        QTest::newRow("no amount") << "B001" << "001" << "2003-05" << " " << int(SaveResult::Incomplete);
        QTest::newRow("unpadded month") << "B001" << "001" << "2003-5" << "1" << int(SaveResult::BadMonth);
        QTest::newRow("text amount") << "B001" << "001" << "2003-05" << "백만" << int(SaveResult::BadAmount);
        QTest::newRow("unknown site") << "B001" << "009" << "2003-05" << "1" << int(SaveResult::NoHolder);
        QTest::newRow("site under 000") << "A001" << "001" << "2003-05" << "1" << int(SaveResult::NoHolder);
    }
    void refusalsWriteNothing()
    {
        QFETCH(QString, grcd);
        QFETCH(QString, code);
        QFETCH(QString, month);
        QFETCH(QString, amount);
        QFETCH(int, result);
        TestDb db;
        seed();
        const SaveResult r = save(balance(grcd, code, month, amount), [] { return true; });
        QCOMPARE(int(r), result);
        QVERIFY(!message(r).isEmpty());
        QCOMPARE(balances(), 0);
    }
};

QTEST_GUILESS_MAIN(TestOpeningBalances)
#include "tst_openingbalances.moc"
