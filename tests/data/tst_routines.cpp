#include "data/Routines.h"
#include "support/TestDb.h"

#include <QTest>

class TestRoutines : public QObject {
    Q_OBJECT
private slots:
    void padDigits_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short") << "7" << 3 << "007";
        QTest::newRow("long keeps the end") << "1234" << 3 << "234";
        QTest::newRow("empty") << "" << 3 << "000";
        QTest::newRow("exact") << "12" << 2 << "12";
        QTest::newRow("123 at 2") << "123" << 2 << "23";
    }
    void padDigits()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, expected);
        QCOMPARE(PadDigits(text, width), expected);
    }

    void lastFiveMonths()
    {
        QCOMPARE(LastFiveMonths(2003, "02"), QString("2003-022003-012002-122002-112002-10"));
        QCOMPARE(LastFiveMonths(2003, "03"), QString("2003-032003-022003-012002-122002-11"));
        QCOMPARE(LastFiveMonths(2004, "12"), QString("2004-122004-112004-102004-092004-08"));
        // The first month is taken as given, the others are padded.
        QCOMPARE(LastFiveMonths(2003, "5"), QString("2003-52003-042003-032003-022003-01"));
    }

    void moneyRules_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("round");
        QTest::addColumn<double>("trunc");
        QTest::newRow("half down to even") << 100.5 << 100.0 << 100.0;
        QTest::newRow("half up to even") << 101.5 << 102.0 << 101.0;
        QTest::newRow("negative half") << -2.5 << -2.0 << -2.0;
        QTest::newRow("below half") << 9090.49 << 9090.0 << 9090.0;
        QTest::newRow("above half") << 9090.51 << 9091.0 << 9090.0;
        QTest::newRow("negative") << -7.7 << -8.0 << -7.0;
        QTest::newRow("small negative is not -0") << -0.4 << 0.0 << 0.0;
    }
    void moneyRules()
    {
        QFETCH(double, x);
        QFETCH(double, round);
        QFETCH(double, trunc);
        QCOMPARE(double(Round(x)), round);
        QCOMPARE(double(Int(x)), trunc);
        QVERIFY(!std::signbit(double(Round(x))) || round < 0);
    }

    void levelCondition()
    {
        QCOMPARE(LevelCondition("P"), QString(" and ( kawn_sa <> 'T' )"));
        QCOMPARE(LevelCondition("R", "c.kawn_sa"), QString(" and ( c.kawn_sa = 'T' )"));
        QCOMPARE(LevelCondition("Q"), QString());
        QVERIFY(LevelHides("P", "T") && !LevelHides("P", "K"));
        QVERIFY(LevelHides("R", "K") && !LevelHides("R", "T"));
        QVERIFY(!LevelHides("Q", "T"));
    }

    void isoNumberText()
    {
        TestDb db;
        insertRow("iso", {{"code", 1}, {"name", "출하예정표"}, {"num", "QP-702-01"}});
        QCOMPARE(IsoNumberText(1), QString("QP-702-01"));
        QCOMPARE(IsoNumberText(2), QString());
    }
};

QTEST_GUILESS_MAIN(TestRoutines)
#include "tst_routines.moc"
