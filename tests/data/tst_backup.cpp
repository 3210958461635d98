// Backup with Firebird's own backup while the database is open, restore into
// a new database, and the failures that must leave everything untouched.
#include "data/Backup.h"
#include "data/Db.h"
#include "data/Sql.h"
#include "support/TestDb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <ibase.h>
#include <unistd.h>

namespace {

const QString kName = QStringLiteral("(주)한빛'레미콘\"");

void fillSome(int rows)
{
    insertRow("enrol", {{"saup", "01"}, {"name", kName}, {"japum", QStringLiteral("레미콘")}});
    for (int i = 1; i <= rows; ++i)
        insertRow("r_mast", {{"ilja", "2024-01-02"}, {"seq", QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'))},
                             {"grcd_name", kName}, {"hap", 1234567.5 + i}});
}

DbSettings local(const QString& path)
{
    DbSettings s;
    s.database = path;
    return s;
}

// Opens a restored database and returns its rows of r_mast as "seq:hap:name".
QStringList salesIn(const QString& path)
{
    Db::open(local(path));
    QStringList out;
    const Rows rows = Sql::select("select seq, hap, grcd_name from r_mast order by ilja, seq");
    for (int i = 0; i < rows.size(); ++i)
        out << QStringLiteral("%1:%2:%3").arg(rows.text(i, "seq")).arg(rows.number(i, "hap"), 0, 'f', 1).arg(
            rows.text(i, "grcd_name"));
    Db::close();
    return out;
}

void dropOnServer(const DbSettings& s)
{
    ISC_STATUS_ARRAY status{};
    isc_db_handle h = 0;
    QByteArray dpb;
    dpb.append(char(isc_dpb_version1));
    const QByteArray u = s.user.toUtf8(), p = s.password.toUtf8();
    dpb.append(char(isc_dpb_user_name)).append(char(u.size())).append(u);
    dpb.append(char(isc_dpb_password)).append(char(p.size())).append(p);
    const QByteArray path = s.database.toUtf8();
    if (!isc_attach_database(status, 0, path.constData(), &h, short(dpb.size()), dpb.constData()))
        isc_drop_database(status, &h);
}

int runCli(const QStringList& args, QString* err = nullptr)
{
    QProcess p;
    p.start(cliPath(), args);
    p.waitForFinished(120000);
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void backupWhileOpenThenRestoreKeepsEveryRow()
    {
        TestDb db;
        fillSome(3);
        QTemporaryDir out;
        const QString file = Backup::toFolder(Db::current(), out.path(), QDate(2024, 1, 2));
        QCOMPARE(file, out.filePath("20240102.fbk"));
        QVERIFY(QFileInfo(file).size() > 0);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"20240102.fbk"}); // no temporary left

        // The same day again replaces the file; the database stayed usable meanwhile.
        insertRow("r_mast", {{"ilja", "2024-01-03"}, {"seq", "01"}, {"grcd_name", kName}, {"hap", 10.0}});
        Backup::toFolder(Db::current(), out.path(), QDate(2024, 1, 2));
        const QStringList expected = {"01:1234568.5:" + kName, "02:1234569.5:" + kName, "03:1234570.5:" + kName,
                                      "01:10.0:" + kName};
        Db::close();

        const QString restored = db.scratchPath("restored.fdb");
        Backup::restore(file, local(restored));
        QCOMPARE(salesIn(restored), expected);
        Db::open(local(restored));
        QCOMPARE(Sql::select("select name from enrol").text(0, "name"), kName);
        Db::close();

        // An existing database is replaced only when asked.
        QVERIFY_THROWS_EXCEPTION(DbError, Backup::restore(file, local(restored)));
        Backup::restore(file, local(restored), true);
        QCOMPARE(salesIn(restored).size(), 4);
    }

    void failuresLeaveThingsUntouched()
    {
        TestDb db;
        fillSome(1);
        QTemporaryDir tmp;

        // Backup folders that cannot take the file: missing, a plain file, not writable.
        QFile plain(tmp.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        for (const QString& folder : {tmp.filePath("missing"), tmp.filePath("plain"), QStringLiteral("/proc/self")}) {
            try {
                Backup::toFolder(Db::current(), folder, QDate(2024, 1, 2));
                QFAIL(qPrintable("no error for " + folder));
            } catch (const DbError& e) {
                QVERIFY2(e.message().contains(folder), qPrintable(e.message()));
            }
        }
        QVERIFY(!QFileInfo::exists(tmp.filePath("missing")));
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 1);

        // A failed backup keeps the earlier file of the day as it was.
        const QString kept = tmp.filePath("20240102.fbk");
        QFile old(kept);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier backup");
        old.close();
        QVERIFY_THROWS_EXCEPTION(DbError, Backup::toFile(local(tmp.filePath("nothing-here.fdb")), kept));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("earlier backup"));
        old.close();

        // Restoring something that is not a backup leaves no database behind.
        const QString target = db.scratchPath("never.fdb");
        QVERIFY_THROWS_EXCEPTION(DbError, Backup::restore(kept, local(target)));
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY_THROWS_EXCEPTION(DbError, Backup::restore(tmp.filePath("no-such.fbk"), local(target)));
    }

    void commandLine()
    {
        QTemporaryDir tmp;
        QString dbPath;
        {
            TestDb db;
            fillSome(2);
            dbPath = tmp.filePath("office.fdb");
            QVERIFY(QFile::copy(db.path(), dbPath));
        }
        const QString folder = tmp.filePath("backups");
        QString err;
        QCOMPARE(runCli({"--database", dbPath, "backup", "--to", folder}, &err), 1); // the folder must exist
        QVERIFY2(err.contains(folder), qPrintable(err));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(runCli({"--database", dbPath, "backup", "--to", folder}, &err), 0);
        const QStringList files = QDir(folder).entryList({"*.fbk"}, QDir::Files);
        QCOMPARE(files, QStringList{Backup::fileNameFor(QDate::currentDate())});

        const QString file = QDir(folder).filePath(files.first());
        const QString target = tmp.filePath("copy/restored.fdb");
        QCOMPARE(runCli({"restore", file, "--to", target}, &err), 0);
        QCOMPARE(salesIn(target).size(), 2);
        QCOMPARE(runCli({"restore", file, "--to", target}, &err), 1);
        QVERIFY2(err.contains(target), qPrintable(err));
        QCOMPARE(runCli({"restore", file, "--to", target, "--replace"}, &err), 0);
        QCOMPARE(runCli({"restore", file}, &err), 2); // --to is required
    }

    void serverRoundTrip()
    {
        if (qEnvironmentVariableIsEmpty("VARER_TEST_SERVER"))
            QSKIP("VARER_TEST_SERVER is not set: no Firebird server to test against");
        DbSettings server;
        const QString base = qEnvironmentVariable("VARER_TEST_SERVER") + ":" + qEnvironmentVariable("VARER_TEST_SERVER_DIR")
                             + QStringLiteral("/varer_backup_test_%1").arg(getpid());
        server.database = base + ".fdb";
        server.user = QStringLiteral("SYSDBA");
        server.password = qEnvironmentVariable("VARER_TEST_SERVER_PASSWORD");
        Db::create(server, true);
        Db::open(server);
        fillSome(2);

        // The backup of a server database is written on this machine.
        QTemporaryDir out;
        const QString file = Backup::toFolder(server, out.path(), QDate(2024, 5, 6));
        QVERIFY(QFileInfo(file).size() > 0);
        Db::close();

        DbSettings copy = server;
        copy.database = base + "_restored.fdb";
        Backup::restore(file, copy, true);
        Db::open(copy);
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 2);
        Db::close();
        QVERIFY_THROWS_EXCEPTION(DbError, Backup::restore(file, copy)); // exists on the server
        dropOnServer(server);
        dropOnServer(copy);
    }
};

QTEST_GUILESS_MAIN(TestBackup)
#include "tst_backup.moc"
