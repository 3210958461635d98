#include "data/Db.h"
#include "data/Schema.h"
#include "data/Sql.h"
#include "support/TestDb.h"

#include <QFile>
#include <QTest>

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void everyTableExists()
    {
        TestDb db;
        QCOMPARE(Schema::databaseVersion(), Schema::programVersion());
        for (const QString& t : Schema::tableNames())
            QVERIFY2(Sql::exists("select 1 from rdb$relations where rdb$relation_name = ?", {t.toUpper()}),
                     qPrintable(t));
        // Money is DOUBLE PRECISION (field type 27), the listed integer columns INTEGER (8).
        auto type = [](const QString& table, const QString& col) {
            return Sql::scalar("select f.rdb$field_type from rdb$relation_fields r join rdb$fields f"
                               " on f.rdb$field_name = r.rdb$field_source"
                               " where r.rdb$relation_name = ? and r.rdb$field_name = ?",
                               {table.toUpper(), col.toUpper()}).toInt();
        };
        QCOMPARE(type("r_mast", "hap"), 27);
        QCOMPARE(type("r_size", "kwan_danga"), 8);
        QCOMPARE(type("r_size", "cement_4"), 27);
        QCOMPARE(type("car_code", "m3"), 8);
        QCOMPARE(type("r_suju", "ondo"), 8);
    }

    void textRoundTripsExactly()
    {
        TestDb db;
        const QString name = QStringLiteral("(주)대한'레미콘\" 50% 할인_");
        insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", name}});
        QCOMPARE(Sql::select("select name from customer where grcd = ?", {"A001"}).text(0, "name"), name);
        // A like search with the typed text bound as a parameter finds it, quotes and all.
        QCOMPARE(Sql::select("select grcd from customer where name like ?", {"%'레미콘\" 50%"}).size(), 1);
    }

    void primaryKeysRefuseDuplicates()
    {
        TestDb db;
        insertRow("r_mast", {{"ilja", "2024-01-02"}, {"seq", "01"}, {"hap", 1000.0}});
        QVERIFY_THROWS_EXCEPTION(DbError, insertRow("r_mast", {{"ilja", "2024-01-02"}, {"seq", "01"}}));
        insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}});
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 insertRow("customer", {{"grcd", "A002"}, {"cust_set", "A"}, {"cust_seq", "001"}}));
    }

    void transactionIsAllOrNothing()
    {
        TestDb db;
        try {
            Transaction tx;
            insertRow("r_mast", {{"ilja", "2024-01-02"}, {"seq", "01"}});
            insertRow("r_mast", {{"ilja", "2024-01-02"}, {"seq", "02"}});
            insertRow("r_mast", {{"ilja", "2024-01-02"}, {"seq", "01"}}); // fails
            tx.commit();
            QFAIL("the duplicate key must fail");
        } catch (const DbError& e) {
            QVERIFY(!e.message().isEmpty());
        }
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 0);

        {
            Transaction outer;
            insertRow("r_mast", {{"ilja", "2024-01-03"}, {"seq", "01"}});
            {
                Transaction inner; // joins the outer one
                insertRow("r_mast", {{"ilja", "2024-01-03"}, {"seq", "02"}});
                inner.commit();
            }
            outer.commit();
        }
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 2);

        // An inner guard that gives up makes the whole operation fail.
        Transaction outer;
        insertRow("r_mast", {{"ilja", "2024-01-04"}, {"seq", "01"}});
        { Transaction inner; }
        QVERIFY_THROWS_EXCEPTION(DbError, outer.commit());
        QCOMPARE(Sql::scalar("select count(*) from r_mast where ilja = '2024-01-04'").toInt(), 0);
    }

    void nullAndEmptyText()
    {
        TestDb db;
        insertRow("r_mast", {{"ilja", "2024-01-02"}, {"seq", "01"}, {"memo", QString()}, {"tax_ilja", QVariant()}});
        QVERIFY(Sql::exists("select 1 from r_mast where memo = '' and tax_ilja is null"));
    }

    void upgradeKeepsRowsAndNewerIsRefused()
    {
        TestDb db;
        insertRow("youngup", {{"code", "001"}, {"man", "김영업"}, {"pass", "1234"}});
        QList<Schema::Step> steps = Schema::steps();
        // A step that fails leaves the database where it was.
        QList<Schema::Step> broken = steps;
        broken << Schema::Step{2, {"ALTER TABLE youngup ADD phone VARCHAR(20)", "ALTER TABLE no_such ADD x INTEGER"}};
        QVERIFY_THROWS_EXCEPTION(DbError, Schema::upgrade(broken));
        QCOMPARE(Schema::databaseVersion(), 1);
        QVERIFY(!Sql::exists("select 1 from rdb$relation_fields where rdb$relation_name = 'YOUNGUP'"
                             " and rdb$field_name = 'PHONE'"));

        steps << Schema::Step{2, {"ALTER TABLE youngup ADD phone VARCHAR(20)"}}
              << Schema::Step{3, {"UPDATE youngup SET phone = '-'"}};
        Schema::upgrade(steps);
        QCOMPARE(Schema::databaseVersion(), 3);
        const Rows r = Sql::select("select man, phone from youngup");
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.text(0, "man"), QString("김영업"));
        QCOMPARE(r.text(0, "phone"), QString("-"));

        // This program knows version 1 only: the version-3 database is refused.
        const QString path = db.path();
        Db::close();
        DbSettings s;
        s.database = path;
        try {
            Db::open(s);
            QFAIL("a newer database must be refused");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains("새 버전"));
        }
        QVERIFY(!Db::isOpen());
    }

    void missingLocationNamesIt()
    {
        DbSettings s;
        s.database = "/nonexistent/folder/zididir.fdb";
        try {
            Db::open(s);
            QFAIL("must fail");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains(s.database));
        }
        s.database = "127.0.0.1/1:/no/such.fdb"; // nothing listens on port 1
        try {
            Db::open(s);
            QFAIL("must fail");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains(s.database));
            QVERIFY(e.message().contains('\n')); // the server's reason follows
        }
    }

    void createRefusesExistingFile()
    {
        TestDb db;
        DbSettings s;
        s.database = db.scratchPath("new.fdb");
        Db::create(s);
        QVERIFY(QFile::exists(s.database));
        QVERIFY_THROWS_EXCEPTION(DbError, Db::create(s));
        Db::create(s, true); // replacing on request works
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
