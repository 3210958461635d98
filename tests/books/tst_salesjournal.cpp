#include "books/SalesBook.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "support/TestDb.h"

#include <QProcess>
#include <QTest>

namespace {

void sale(const QString& table, const QString& ilja, const QString& seq, const QString& kawnSa,
          const QString& customer, double m3, double kum)
{
    insertRow(table, {{"ilja", ilja}, {"ul", ilja.left(7)}, {"yun", ilja.left(4)}, {"seq", seq},
                      {"grcd", customer.left(1) + "001"}, {"grcd_name", customer}, {"code", "001"},
                      {"code_name", customer + "현장"}, {"remi_code", "1001"}, {"standard", "25-21-15"},
                      {"m3", m3}, {"danga", kum / m3}, {"vat", "V"}, {"kum", kum}, {"vatkum", kum / 10},
                      {"hap", kum * 1.1}, {"kawn_sa", kawnSa}, {"man_name", "박대리"}});
}

// Sales of 2024-03-05 with earlier days of the month and of the year, a day
// after it, and the year before; one class of each kind on the day.
void journalFixture(const QString& table)
{
    sale(table, "2024-03-05", "01", "T", "다민수", 2, 100000);
    sale(table, "2024-03-05", "02", "K", "가관수", 4, 200000);
    sale(table, "2024-03-05", "03", "S", "나민수", 6, 300000);
    sale(table, "2024-03-05", "04", "L", "라관수", 1, 50000);
    sale(table, "2024-03-01", "01", "K", "가관수", 10, 1000000);
    sale(table, "2024-03-02", "01", "T", "다민수", 20, 2000000);
    sale(table, "2024-01-15", "01", "K", "가관수", 100, 10000000);
    sale(table, "2024-01-15", "02", "S", "나민수", 200, 20000000);
    sale(table, "2024-03-06", "01", "K", "가관수", 1000, 99000000); // after the day
    sale(table, "2023-12-31", "01", "S", "나민수", 1000, 99000000); // the year before
}

} // namespace

class TestSalesJournal : public QObject {
    Q_OBJECT
private slots:
    void figuresFollowTheProcessingClass_data()
    {
        QTest::addColumn<QString>("level");
        QTest::addColumn<QStringList>("customers");
        QTest::addColumn<QList<double>>("publicKum");  // day, month, year
        QTest::addColumn<QList<double>>("privateKum"); // day, month, year
        // Class L counts with the private customers: public works is class K.
        QTest::newRow("Q sees all") << "Q" << QStringList{"가관수", "라관수", "나민수", "다민수"}
                                    << QList<double>{200000, 1200000, 11200000}
                                    << QList<double>{450000, 2450000, 22450000};
        QTest::newRow("P hides T") << "P" << QStringList{"가관수", "라관수", "나민수"}
                                   << QList<double>{200000, 1200000, 11200000}
                                   << QList<double>{350000, 350000, 20350000};
        QTest::newRow("R sees T only") << "R" << QStringList{"다민수"} << QList<double>{0, 0, 0}
                                       << QList<double>{100000, 2100000, 2100000};
    }
    void figuresFollowTheProcessingClass()
    {
        QFETCH(QString, level);
        QFETCH(QStringList, customers);
        QFETCH(QList<double>, publicKum);
        QFETCH(QList<double>, privateKum);
        TestDb db;
        for (int mode : {0, 1}) {
            journalFixture(SalesBook::tableName(mode));
            // The other book holds different figures of the same day.
            if (mode == 0)
                Sql::exec("update r_mast set kum = kum * 1000");
        }
        const SalesBook::Journal j = SalesBook(1).journal("2024-03-05", level);
        QStringList names;
        for (int i = 0; i < j.rows.size(); ++i)
            names << j.rows.text(i, "grcd_name");
        QCOMPARE(names, customers);
        QCOMPARE((QList<double>{j.publicDay.kum, j.publicMonth.kum, j.publicYear.kum}), publicKum);
        QCOMPARE((QList<double>{j.privateDay.kum, j.privateMonth.kum, j.privateYear.kum}), privateKum);
    }

    void allFourSumsAreRead()
    {
        TestDb db;
        journalFixture("r_mast");
        const SalesBook::Journal j = SalesBook(0).journal("2024-03-05", LevelQ);
        QCOMPARE(j.publicMonth.m3, 14.0);
        QCOMPARE(j.publicMonth.vatkum, 120000.0);
        QCOMPARE(j.publicMonth.hap, 1320000.0);
        const SalesBook::Figures total = j.publicYear + j.privateYear;
        QCOMPARE(total.m3, 343.0);
        QCOMPARE(total.kum, 33650000.0);
        QCOMPARE(j.rows.text(0, "man_name"), QString("박대리"));
    }

    // The printed journal of the tax book for a class P session, as varer-cli writes it.
    void printedJournal()
    {
        TestDb db;
        insertRow("enrol", {{"saup", "01"}, {"name", "한빛레미콘"}, {"japum", "레미콘"}});
        insertRow("iso", {{"code", 0}, {"num", "QP-701-05"}});
        journalFixture("tax_mast");
        journalFixture("r_mast");
        Sql::exec("update r_mast set kum = kum * 1000");

        QProcess cli;
        cli.start(cliPath(), {"--database", db.path(), "report", "sales-journal", "--date", "2024-03-05",
                              "--book", "1", "--level", "P", "--format", "csv"});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n');
        const int blank = int(lines.indexOf(QString()));
        QVERIFY(blank > 0);
        QStringList customers;
        for (int i = 1; i < blank; ++i)
            customers << lines[i].section(',', 0, 0);
        QCOMPARE(customers, (QStringList{"가관수", "라관수", "나민수"}));
        QVERIFY(lines[3].contains("\"300,000\""));

        QMap<QString, QString> values;
        for (int i = blank + 1; i < lines.size(); ++i) {
            const int comma = int(lines[i].indexOf(','));
            if (comma > 0)
                values.insert(lines[i].left(comma), lines[i].mid(comma + 1).remove('"'));
        }
        QCOMPARE(values["namel"], QString("한빛레미콘"));
        QCOMPARE(values["japuml"], QString("레미콘"));
        QCOMPARE(values["iso_seq"], QString("QP-701-05"));
        QCOMPARE(values["iljal"], QString("2024년 3월 5일 화요일"));
        // The day's total over the printed rows: hap is kum + vatkum.
        QCOMPARE(values["daym3"], QString("11.00"));
        QCOMPARE(values["daykum"], QString("550,000"));
        QCOMPARE(values["dayhap"], QString("605,000"));
        QCOMPARE(values["ilkwankum"], QString("200,000"));
        QCOMPARE(values["ilsakum"], QString("350,000"));
        QCOMPARE(values["ulkwanm3"], QString("14.00"));
        QCOMPARE(values["ulhapkum"], QString("1,550,000"));
        QCOMPARE(values["yunsakum"], QString("20,350,000"));
        QCOMPARE(values["yunhapkum"], QString("31,550,000"));
        QCOMPARE(values["yunhapvatkum"], QString("3,155,000"));
    }

    void badOptionsAreRefused()
    {
        TestDb db;
        for (const QStringList& extra : {QStringList{"--book", "4"}, QStringList{"--book", "x"}}) {
            QProcess cli;
            cli.start(cliPath(), QStringList{"--database", db.path(), "report", "sales-journal", "--date",
                                             "2024-03-05", "--format", "csv"} + extra);
            QVERIFY(cli.waitForFinished(60000));
            QVERIFY(cli.exitCode() != 0);
        }
    }

    void dayWithoutRowsGivesZeros()
    {
        TestDb db;
        const SalesBook::Journal j = SalesBook(2).journal("2024-03-05", LevelQ);
        QVERIFY(j.rows.isEmpty());
        QCOMPARE(j.publicYear.hap, 0.0);
        QCOMPARE(j.privateDay.m3, 0.0);
    }
};

QTEST_GUILESS_MAIN(TestSalesJournal)
#include "tst_salesjournal.moc"
