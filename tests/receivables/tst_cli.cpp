#include "data/Db.h"
#include "data/Sql.h"
#include "receivables/ReceivablesFixture.h"

#include <QProcess>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run cli(const TestDb& db, const QStringList& args)
{
    QProcess p;
    p.start(cliPath(), QStringList{"--database", db.path()} + args);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestReceivablesCli : public QObject {
    Q_OBJECT
private slots:
    void balances()
    {
        TestDb db;
        fixture::smallOffice();
        QCOMPARE(cli(db, {"balance", "A001", "001", "--at-day", "2003-04-01"}).out, QString("1384\n"));
        QCOMPARE(cli(db, {"balance", "B001", "000", "--before-month", "2003-05"}).out, QString("600\n"));
        QCOMPARE(cli(db, {"balance", "A001", "001", "--carried", "2004"}).out, QString("100\n"));
        QCOMPARE(cli(db, {"balance", "A001", "001", "--at-month", "2003-12", "--book", "1"}).out, QString("1007\n"));
        QCOMPARE(cli(db, {"balances", "--at-day", "2003-12-31", "--level", "P", "--format", "csv"}).out,
                 QString("grcd,code,balance\nA001,001,1384\nC001,001,999\nD001,001,0\nE001,001,77\n"));
        // Bad cut-offs are usage errors.
        for (const QStringList& bad : {QStringList{"balance", "A001", "001", "--at-day", "2003-13-01"},
                                       QStringList{"balance", "A001", "001"},
                                       QStringList{"balance", "A001", "001", "--at-day", "2003-01-01", "--at-month",
                                                   "2003-01"},
                                       QStringList{"balance", "A001", "001", "--at-month", "2003-1"},
                                       QStringList{"balances", "--at-day", "2003-01-01", "--format", "xml"}})
            QCOMPARE(cli(db, bad).status, 2);
    }

    void yearClose()
    {
        TestDb db;
        fixture::smallOffice();
        Db::close();
        // Not a year: refused before anything is touched.
        Run r = cli(db, {"year-close", "20x3"});
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("not a year"));
        // Closed already: without --yes nothing changes.
        r = cli(db, {"year-close", "2003"});
        QCOMPARE(r.status, 1);
        QVERIFY(r.out.contains("already closed"));
        r = cli(db, {"year-close", "2003", "--customer", "A001", "--site", "001"});
        QCOMPARE(r.status, 1);
        // One site, then the whole year, then the tax book.
        r = cli(db, {"year-close", "2003", "--customer", "C001", "--site", "001"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("1 rows written"));
        QCOMPARE(cli(db, {"year-close", "2003", "--yes"}).out, QString("closed 2003 in makam: 4 rows written\n"));
        QCOMPARE(cli(db, {"year-close", "2003", "--book", "tax"}).out,
                 QString("closed 2003 in tax_makam: 3 rows written\n"));
        QCOMPARE(cli(db, {"balance", "A001", "001", "--before-day", "2004-01-01"}).out, QString("1384\n"));
        QCOMPARE(cli(db, {"year-close", "2003", "--customer", "A001"}).status, 2);
        DbSettings s;
        s.database = db.path();
        Db::open(s);
        QCOMPARE(Sql::scalar("select count(*) from makam").toInt(), 4);
        QCOMPARE(Sql::scalar("select count(*) from tax_makam").toInt(), 3);
    }
};

QTEST_GUILESS_MAIN(TestReceivablesCli)
#include "tst_cli.moc"
