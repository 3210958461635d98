#include "books/DepositBook.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "support/TestDb.h"

#include <QProcess>
#include <QTest>

namespace {

void deposit(const QString& table, const QString& ilja, const QString& jun, const QString& kawnSa,
             const QString& customer, const DepositAmounts& a)
{
    insertRow(table, {{"ilja", ilja}, {"ul", ilja.left(7)}, {"yun", ilja.left(4)}, {"jun", jun},
                      {"grcd", customer.left(1) + "001"}, {"grcd_name", customer}, {"code", "001"},
                      {"code_name", customer + "현장"}, {"kawn_sa", kawnSa}, {"hyun", a.hyun}, {"au", a.au},
                      {"gi", a.gi}, {"hal", a.hal}, {"dea", a.dea}, {"lee", a.lee}, {"hap_kum", a.hapKum()},
                      {"card_num", a.au ? "가1234" : ""}, {"man_name", "박대리"}});
}

// Deposits of 2024-03-05 with earlier days of the month and the year, a day
// after it and the year before.
void journalFixture(const QString& table)
{
    deposit(table, "2024-03-05", "01", "T", "다민수", {1000000, 0, 0, 500000, 0, 0});
    deposit(table, "2024-03-05", "02", "K", "가관수", {0, 2000000, 300000, 0, 40000, 0});
    deposit(table, "2024-03-05", "03", "S", "나민수", {0, 0, 0, 0, 0, 70000});
    deposit(table, "2024-03-01", "01", "K", "가관수", {10000, 0, 0, 0, 0, 0});
    deposit(table, "2024-03-02", "01", "T", "다민수", {20000, 0, 0, 1000, 0, 0});
    deposit(table, "2024-01-15", "01", "S", "나민수", {100000, 0, 0, 0, 0, 0});
    deposit(table, "2024-03-06", "01", "K", "가관수", {9000000, 0, 0, 0, 0, 0}); // after the day
    deposit(table, "2023-12-31", "01", "S", "나민수", {9000000, 0, 0, 0, 0, 0}); // the year before
}

QMap<QString, QString> labelsOf(const QStringList& lines, int from)
{
    QMap<QString, QString> values;
    for (int i = from; i < lines.size(); ++i) {
        const int comma = int(lines[i].indexOf(','));
        if (comma > 0)
            values.insert(lines[i].left(comma), lines[i].mid(comma + 1).remove('"'));
    }
    return values;
}

} // namespace

class TestDepositJournal : public QObject {
    Q_OBJECT
private slots:
    void figuresFollowTheProcessingClass_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("customers");
        QTest::addColumn<QList<double>>("publicHyun");  // day, month, year
        QTest::addColumn<QList<double>>("privateHyun"); // day, month, year
        QTest::newRow("Q sees all") << "Q" << QStringList{"가관수", "나민수", "다민수"}
                                    << QList<double>{0, 10000, 10000} << QList<double>{1000000, 1020000, 1120000};
        QTest::newRow("P hides T") << "P" << QStringList{"가관수", "나민수"} << QList<double>{0, 10000, 10000}
                                   << QList<double>{0, 0, 100000};
        QTest::newRow("R sees T only") << "R" << QStringList{"다민수"} << QList<double>{0, 0, 0}
                                       << QList<double>{1000000, 1020000, 1020000};
    }
    void figuresFollowTheProcessingClass()
    {
        QFETCH(QString, level);
        QFETCH(QStringList, customers);
        QFETCH(QList<double>, publicHyun);
        QFETCH(QList<double>, privateHyun);
        TestDb db;
        journalFixture("tax_ipkum");
        journalFixture("r_ipkum");
        Sql::exec("update r_ipkum set hyun = hyun * 1000"); // the other book differs
        const DepositBook::Journal j = DepositBook(1).journal("2024-03-05", level);
        QStringList names;
        for (int i = 0; i < j.rows.size(); ++i)
            names << j.rows.text(i, "grcd_name");
        QCOMPARE(names, customers);
        QCOMPARE((QList<double>{j.publicDay.hyun, j.publicMonth.hyun, j.publicYear.hyun}), publicHyun);
        QCOMPARE((QList<double>{j.privateDay.hyun, j.privateMonth.hyun, j.privateYear.hyun}), privateHyun);
    }

    // The printed journal of the deposit book, as varer-cli writes it.
    void printedJournal()
    {
        TestDb db;
        insertRow("enrol", {{"saup", "01"}, {"name", "한빛레미콘"}, {"japum", "레미콘"}});
        insertRow("iso", {{"code", 0}, {"num", "QP-702-01"}});
        journalFixture("r_ipkum");

        QProcess cli;
        cli.start(cliPath(), {"--database", db.path(), "report", "deposit-journal", "--date", "2024-03-05",
                              "--format", "csv"});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
        const int blank = int(lines.indexOf(QString()));
        QCOMPARE(blank, 4);
        QVERIFY(lines[0].contains("hal,ipkum,"));
        // The row total leaves out the discount and lee: cash 1,000,000 with a
        // discount of 500,000 prints 1,000,000; lee alone prints 0.
        QVERIFY2(lines[1].startsWith("가관수,") && lines[1].contains("\"2,340,000\""), qPrintable(lines[1]));
        QVERIFY2(lines[2].startsWith("나민수,") && lines[2].contains(",0,0,0,0,"), qPrintable(lines[2]));
        QVERIFY2(lines[3].startsWith("다민수,") && lines[3].contains("\"1,000,000\",0,\"500,000\",\"1,000,000\""),
                 qPrintable(lines[3]));

        const QMap<QString, QString> v = labelsOf(lines, blank + 1);
        QCOMPARE(v["namel"], QString("한빛레미콘"));
        QCOMPARE(v["iso_seq"], QString("QP-702-01"));
        QCOMPARE(v["ilja1"], QString("2024년 3월 5일 화요일"));
        QCOMPARE(v["ilkcost2"], QString("2,000,000"));
        QCOMPARE(v["ilkhap"], QString("2,340,000"));
        QCOMPARE(v["ilscost1"], QString("1,000,000"));
        QCOMPARE(v["ilscost4"], QString("500,000"));
        QCOMPARE(v["ilshap"], QString("1,000,000"));
        QCOMPARE(v["iltot_hap"], QString("3,340,000"));
        QCOMPARE(v["ulkcost1"], QString("10,000"));
        QCOMPARE(v["ulscost4"], QString("501,000"));
        QCOMPARE(v["ultot_hap"], QString("3,370,000"));
        QCOMPARE(v["yunscost1"], QString("1,120,000"));
        QCOMPARE(v["yuntot_cost1"], QString("1,130,000"));
        QCOMPARE(v["yuntot_hap"], QString("3,470,000"));
    }

    void badOptionsAreRefused()
    {
        TestDb db;
        for (const QStringList& extra : {QStringList{"--book", "2"}, QStringList{"--book", "x"},
                                         QStringList{"--level", "X"}}) {
            QProcess cli;
            cli.start(cliPath(), QStringList{"--database", db.path(), "report", "deposit-journal", "--date",
                                             "2024-03-05", "--format", "csv"} + extra);
            QVERIFY(cli.waitForFinished(60000));
            QVERIFY(cli.exitCode() != 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestDepositJournal)
#include "tst_depositjournal.moc"
