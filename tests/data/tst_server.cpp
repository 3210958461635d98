// Against a real Firebird server on loopback: the database is created and
// opened through "host:path", and two connections write at the same time.
// Skipped unless VARER_TEST_SERVER names the host (see scripts/firebird-server.sh).
#include "data/Db.h"
#include "data/Schema.h"
#include "data/Sql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <QThread>
#include <atomic>
#include <ibase.h>
#include <thread>
#include <unistd.h>

namespace {

DbSettings serverSettings()
{
    DbSettings s;
    s.database = qEnvironmentVariable("VARER_TEST_SERVER") + ":" + qEnvironmentVariable("VARER_TEST_SERVER_DIR")
                 + QStringLiteral("/varer_server_test_%1.fdb").arg(getpid());
    s.user = QStringLiteral("SYSDBA");
    s.password = qEnvironmentVariable("VARER_TEST_SERVER_PASSWORD");
    return s;
}

QSqlDatabase openConnection(const QString& name, const DbSettings& s)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), name);
    db.setDatabaseName(s.database);
    db.setUserName(s.user);
    db.setPassword(s.password);
    db.open();
    return db;
}

const QString kInsert = QStringLiteral("insert into r_mast (ilja, seq, grcd_name, hap) values (?, ?, ?, ?)");

bool execOn(QSqlDatabase db, const QString& sql, const QVariantList& binds, QString* error = nullptr)
{
    QSqlQuery q(db);
    q.prepare(sql);
    for (int i = 0; i < binds.size(); ++i)
        q.bindValue(i, binds.at(i));
    const bool ok = q.exec();
    if (!ok && error)
        *error = q.lastError().databaseText();
    return ok;
}

void dropDatabase(const DbSettings& s)
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

} // namespace

class TestServer : public QObject {
    Q_OBJECT
    DbSettings settings_;

    // Runs one write on a connection of its own in another thread while the
    // shared connection holds an uncommitted write of the same row; the
    // shared transaction commits after a pause. Returns the second writer's
    // error text and how long it was kept waiting.
    QPair<QString, qint64> secondWriterAgainstUncommitted(const QString& first, const QVariantList& firstBinds,
                                                           const QString& second, const QVariantList& secondBinds)
    {
        Transaction tx;
        Sql::exec(first, firstBinds);
        std::atomic<bool> finished{false};
        QString error;
        qint64 waited = 0;
        std::thread writer([&] {
            {
                QSqlDatabase db = openConnection(QStringLiteral("writer"), settings_);
                db.transaction();
                QElapsedTimer t;
                t.start();
                if (execOn(db, second, secondBinds, &error))
                    db.commit();
                else
                    db.rollback();
                waited = t.elapsed();
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("writer"));
            finished = true;
        });
        QThread::msleep(800);
        const bool waitedForUs = !finished;
        tx.commit();
        writer.join();
        if (!waitedForUs)
            error.prepend(QStringLiteral("[did not wait] "));
        return {error, waited};
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("VARER_TEST_SERVER"))
            QSKIP("VARER_TEST_SERVER is not set: no Firebird server to test against");
        settings_ = serverSettings();
        QVERIFY(settings_.isRemote());
        Db::prepareEnvironment();
        Db::create(settings_, true); // a leftover of an aborted run goes first
        Db::open(settings_);
    }

    void createdAndOpenedThroughTheServer()
    {
        QCOMPARE(Schema::databaseVersion(), Schema::programVersion());
        const QString name = QStringLiteral("(주)서버'시험\" 100%");
        Sql::exec("insert into customer (grcd, cust_set, cust_seq, name) values (?, ?, ?, ?)", {"A001", "A", "001", name});
        QCOMPARE(Sql::scalar("select name from customer where grcd = 'A001'").toString(), name);
    }

    void twoConnectionsWriteAtTheSameTime()
    {
        QSqlDatabase other = openConnection(QStringLiteral("other"), settings_);
        QVERIFY2(other.isOpen(), qPrintable(other.lastError().text()));
        {
            Transaction tx;
            QVERIFY(other.transaction());
            // Interleaved inserts of different rows in two open transactions.
            for (int i = 1; i <= 10; ++i) {
                const QString seq = QStringLiteral("%1").arg(i, 2, 10, QChar('0'));
                if (i % 2)
                    Sql::exec(kInsert, {"2024-05-02", seq, "공용 연결", double(i * 1000)});
                else
                    QVERIFY(execOn(other, kInsert, {"2024-05-02", seq, "둘째 연결", double(i * 1000)}));
            }
            // Neither sees the other's rows before they are committed.
            QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 5);
            QVERIFY(other.commit());
            tx.commit();
        }
        const Rows rows = Sql::select("select seq, grcd_name, hap from r_mast order by seq");
        QCOMPARE(rows.size(), 10);
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows.number(i, "hap"), double((i + 1) * 1000));
            QCOMPARE(rows.text(i, "grcd_name"), QString(i % 2 ? "둘째 연결" : "공용 연결"));
        }
        QSqlQuery q(other);
        QVERIFY(q.exec("select count(*), sum(hap) from r_mast"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 10);
        QCOMPARE(q.value(1).toDouble(), 55000.0);
        q.finish();
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }

    void sameKeyWaitsThenFailsClearly_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QVariantList>("firstBinds");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QVariantList>("secondBinds");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("hap"); // what the row holds afterwards
        QTest::newRow("insert of the same key")
            << kInsert << QVariantList{"2024-05-03", "01", "먼저", 1.0} << kInsert
            << QVariantList{"2024-05-03", "01", "나중", 2.0} << "violation of PRIMARY or UNIQUE KEY constraint" << 1.0;
        QTest::newRow("update of the same row")
            << "update r_mast set hap = ? where ilja = ? and seq = ?" << QVariantList{3.0, "2024-05-03", "01"}
            << "update r_mast set hap = ? where ilja = ? and seq = ?" << QVariantList{4.0, "2024-05-03", "01"}
            << "update conflicts with concurrent update" << 3.0;
    }
    void sameKeyWaitsThenFailsClearly()
    {
        QFETCH(QString, first);
        QFETCH(QVariantList, firstBinds);
        QFETCH(QString, second);
        QFETCH(QVariantList, secondBinds);
        QFETCH(QString, message);
        QFETCH(double, hap);
        const auto [error, waited] = secondWriterAgainstUncommitted(first, firstBinds, second, secondBinds);
        QVERIFY2(error.contains(message), qPrintable(error));
        QVERIFY2(waited >= 500, qPrintable(QString::number(waited)));
        // The first writer's row stands, once.
        const Rows r = Sql::select("select grcd_name, hap from r_mast where ilja = '2024-05-03'");
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.text(0, "grcd_name"), QString("먼저"));
        QCOMPARE(r.number(0, "hap"), hap);
    }

    void cleanupTestCase()
    {
        if (settings_.database.isEmpty())
            return;
        Db::close();
        dropDatabase(settings_);
    }
};

QTEST_GUILESS_MAIN(TestServer)
#include "tst_server.moc"
