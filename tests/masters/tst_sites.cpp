#include "data/Schema.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "masters/Sites.h"
#include "support/TestDb.h"

#include <QTest>

using namespace Sites;

namespace {

int count(const QString& sql, const Sql::Binds& binds = {}) { return Sql::scalar(sql, binds).toInt(); }

// Every row of every table as text, sorted, table by table.
QStringList snapshot()
{
    QStringList out;
    for (const QString& t : Schema::tableNames()) {
        if (t == QLatin1String("varer_schema"))
            continue;
        const Rows r = Sql::select(QStringLiteral("select * from %1").arg(t));
        QStringList rows;
        for (const QVariantList& row : r.data) {
            QStringList cells;
            for (const QVariant& v : row)
                cells << (v.isNull() ? QStringLiteral("<null>") : Sql::textOf(v));
            rows << cells.join(QLatin1Char('|'));
        }
        rows.sort();
        for (const QString& row : rows)
            out << t + QLatin1Char(':') + row;
    }
    return out;
}

void failOn(const QString& table, const QString& event)
{
    Sql::exec(QStringLiteral("create exception test_refused 'refused for the test'"));
    Sql::exec(QStringLiteral("create trigger test_refuse for %1 before %2 as begin exception test_refused; end")
                  .arg(table, event));
}

void addSite(const QString& grcd, const QString& code, const QString& name, const QString& misu)
{
    insertRow("r_hyunjang", {{"grcd", grcd}, {"code", code}, {"name", name}, {"misu", misu}, {"kawn_sa", "S"},
                             {"man_code", "007"}, {"man_name", "박영업"}});
}

// Rows booked on site (grcd, code) in every table a site change or deletion
// reaches; `day` keeps the keys of two sites apart.
void book(const QString& grcd, const QString& code, const QString& misu, const QString& day)
{
    for (const char* t : {"r_mast", "tax_mast", "jo_mast", "in_mast"})
        insertRow(t, {{"ilja", day}, {"seq", "01"}, {"grcd", grcd}, {"code", code}, {"code_name", "옛이름"},
                      {"misu", misu}, {"man_code", "007"}, {"standard", "25-21-150"}, {"m3", 6.0}});
    for (const char* t : {"r_ipkum", "tax_ipkum"})
        insertRow(t, {{"ilja", day}, {"jun", "01"}, {"grcd", grcd}, {"code", code}, {"code_name", "옛이름"},
                      {"misu", misu}, {"man_code", "007"}, {"hyun", 1000.0}});
    for (const char* t : {"tax", "jo_tax"})
        insertRow(t, {{"ilja", day}, {"seq", "24-0001"}, {"kawn", "01"}, {"ho", "01"}, {"grcd", grcd},
                      {"code", code}, {"code_name", "옛이름"}});
    insertRow("r_suju", {{"ilja", day}, {"seq", "01"}, {"grcd", grcd}, {"code", code}, {"v_station", "옛이름"}});
    insertRow("cont_carry", {{"ilja", day}, {"seq", "01"}, {"gubun", "A"}, {"danga", 9000.0}});
    insertRow("r_misu", {{"grcd", grcd}, {"code", code}, {"ilja", "2024-01"}, {"kum", 5000.0}});
    insertRow("r_hyun_order", {{"grcd", grcd}, {"code", code}, {"standard", "25-21-150"}, {"demand1", "2024-01-01"}});
}

Site siteOf(const QString& grcd, const QString& code, const QString& name, const QString& misu)
{
    Site s;
    s.grcd = grcd;
    s.grcdName = QStringLiteral("한빛건설");
    s.code = code;
    s.name = name;
    s.manCode = QStringLiteral("012");
    s.manName = QStringLiteral("김담당");
    s.misu = misu;
    s.kawnSa = QStringLiteral("S");
    s.orderNul = 95;
    s.ilja = QStringLiteral("2024-03-01");
    return s;
}

QString textAt(const QString& sql, const Sql::Binds& binds = {}) { return Sql::scalar(sql, binds).toString(); }

} // namespace

class TestSites : public QObject {
    Q_OBJECT
private slots:
    void init() { session().SessionSaup = QStringLiteral("01"); }

    void proposedCodes()
    {
        TestDb db;
        QCOMPARE(proposedCode("A001"), QString("001"));
        addSite("A001", "000", "현장통합", "T");
        QCOMPARE(proposedCode("A001"), QString("001"));
        addSite("A001", "001", "본관", "G");
        addSite("A001", "005", "별관", "G");
        addSite("A002", "009", "이웃", "H");
        QCOMPARE(proposedCode("A001"), QString("006"));
        // At the top of the range the lowest free code is proposed.
        addSite("A001", "999", "끝", "G");
        QCOMPARE(proposedCode("A001"), QString("002"));
    }

    void editableFieldSets_data()
    {
        QTest::addColumn<QString>("basis");
        QTest::addColumn<QString>("kawnSa");
        QTest::addColumn<QString>("fields");
        const QString perSite = "hy03 hy04 HY05 hy06 hy07 HY08 hy09 hy10 hy11";
        QTest::newRow("per site, 관수1") << "H" << "K" << perSite + " hy12 hy13 hy14 hy15 hy20";
        QTest::newRow("per site, 관수2") << "H" << "L" << perSite + " hy20";
        QTest::newRow("per site, 민수2") << "H" << "T" << perSite + " hy20";
        QTest::newRow("integrated, 관수1") << "G" << "K" << "hy03 hy04 hy12 hy13 hy14 hy15 hy20";
        QTest::newRow("integrated, 민수1") << "G" << "S" << "hy03 hy04 hy14 hy20";
    }
    void editableFieldSets()
    {
        QFETCH(QString, basis);
        QFETCH(QString, kawnSa);
        QFETCH(QString, fields);
        QCOMPARE(editableFields(basis, kawnSa).join(' '), fields);
    }

    void insertRefusalsAndRace()
    {
        TestDb db;
        insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "한빛건설"}});
        addSite("A001", "001", "본관", "H");
        const QStringList before = snapshot();
        Site s = siteOf("A001", "000", "통합", "H");
        QCOMPARE(insert(s), SaveResult::IntegratedSite);
        QCOMPARE(Sites::update(s), SaveResult::IntegratedSite);
        s.code = "002";
        s.manCode.clear();
        QCOMPARE(insert(s), SaveResult::Incomplete);
        s.manCode = "012";
        s.misu.clear();
        QCOMPARE(insert(s), SaveResult::Incomplete);
        s.misu = "H";
        s.code = "0a2";
        QCOMPARE(insert(s), SaveResult::BadCode);
        // A new site meeting a code saved elsewhere a moment ago never overwrites it.
        s.code = "001";
        QCOMPARE(insert(s), SaveResult::CodeTaken);
        QCOMPARE(snapshot(), before);

        s.code = "002";
        QCOMPARE(insert(s), SaveResult::Saved);
        Site back;
        QVERIFY(load("A001", "002", back));
        QCOMPARE(back.grcdName, QString("한빛건설"));
        QCOMPARE(back.orderNul, 95.0);
        QCOMPARE(back.misu, QString("H"));
        QCOMPARE(textAt("select grcode from r_hyunjang where grcd = 'A001' and code = '002'"), QString("A001002"));
        QCOMPARE(textAt("select saup from r_hyunjang where grcd = 'A001' and code = '002'"), QString("01"));
        // A customer deleted meanwhile gets no site.
        s.grcd = "A009";
        QVERIFY_THROWS_EXCEPTION(DbError, insert(s));
        QVERIFY(!exists("A009", "002"));
    }

    void perSiteChangeCarriesIntoCopies()
    {
        TestDb db;
        addSite("A001", "001", "옛이름", "H");
        addSite("A001", "002", "이웃현장", "H");
        book("A001", "001", "H", "2024-03-02");
        book("A001", "002", "H", "2024-03-03");
        const QStringList neighbour = snapshot().filter("2024-03-03");

        QCOMPARE(Sites::update(siteOf("A001", "001", "새이름", "H")), SaveResult::Saved);
        const Sql::Binds site{"A001", "001"};
        for (const char* t : {"r_mast", "tax_mast", "jo_mast", "r_ipkum", "tax_ipkum"}) {
            const Rows r = Sql::select(QStringLiteral("select code_name, man_code, man_name, misu from %1"
                                                      " where grcd = ? and code = ?").arg(t), site);
            QCOMPARE(r.size(), 1);
            QCOMPARE(r.text(0, "code_name"), QString("새이름"));
            QCOMPARE(r.text(0, "man_code"), QString("012"));
            QCOMPARE(r.text(0, "man_name"), QString("김담당"));
        }
        // The purchase book is not a copy the site keeps.
        QCOMPARE(textAt("select code_name from in_mast where ilja = '2024-03-02'"), QString("옛이름"));
        for (const char* t : {"tax", "jo_tax"})
            QCOMPARE(textAt(QStringLiteral("select code_name from %1 where grcd = ? and code = ?").arg(t), site),
                     QString("새이름"));
        QCOMPARE(textAt("select v_station from r_suju where grcd = ? and code = ?", site), QString("새이름"));
        QCOMPARE(snapshot().filter("2024-03-03"), neighbour);
    }

    void integratedChangeMovesDepositsToSite000()
    {
        TestDb db;
        addSite("A001", "000", "현장통합", "T");
        addSite("A001", "001", "옛이름", "H");
        book("A001", "001", "H", "2024-03-02");

        QCOMPARE(Sites::update(siteOf("A001", "001", "새이름", "G")), SaveResult::Saved);
        QCOMPARE(textAt("select misu from r_hyunjang where grcd = 'A001' and code = '001'"), QString("G"));
        // Sales stay on the site with the new basis.
        QCOMPARE(textAt("select misu from r_mast where code = '001'"), QString("G"));
        QCOMPARE(textAt("select code_name from r_mast where code = '001'"), QString("새이름"));
        // Deposits move to site 000: misu T in the deposit book, the basis in the tax book.
        QCOMPARE(count("select count(*) from r_ipkum where code = '001'"), 0);
        QCOMPARE(count("select count(*) from tax_ipkum where code = '001'"), 0);
        const QString moved = "select code_name || '|' || misu || '|' || man_code from %1 where code = '000'";
        QCOMPARE(textAt(QString(moved).arg("r_ipkum")), QString("현장통합|T|012"));
        QCOMPARE(textAt(QString(moved).arg("tax_ipkum")), QString("현장통합|G|012"));
        for (const char* t : {"tax", "jo_tax"})
            QCOMPARE(textAt(QStringLiteral("select code_name from %1").arg(t)), QString("현장통합"));
        QCOMPARE(textAt("select v_station from r_suju"), QString("새이름"));
    }

    void changeOfADeletedSiteFails()
    {
        TestDb db;
        QVERIFY_THROWS_EXCEPTION(DbError, Sites::update(siteOf("A001", "004", "없음", "H")));
        QCOMPARE(count("select count(*) from r_hyunjang"), 0);
    }

    void deletion()
    {
        TestDb db;
        addSite("A001", "000", "현장통합", "T");
        addSite("A001", "001", "빈현장", "H");
        addSite("A001", "002", "판매현장", "H");
        addSite("A001", "003", "이웃", "H");
        book("A001", "002", "H", "2024-03-02");
        book("A001", "003", "H", "2024-03-03");
        // Site 001 has no sales and no deposits, only an order and a contract.
        insertRow("r_suju", {{"ilja", "2024-03-04"}, {"seq", "01"}, {"grcd", "A001"}, {"code", "001"}});
        insertRow("r_hyun_order", {{"grcd", "A001"}, {"code", "001"}, {"standard", "x"}, {"demand1", "2024-01-01"}});

        QCOMPARE(deleteSite("A001", "000"), DeleteResult::IntegratedSite);
        QCOMPARE(deleteWithBooks("A001", "000"), DeleteResult::IntegratedSite);
        QVERIFY(exists("A001", "000"));

        QVERIFY(!hasBookRows("A001", "001"));
        QCOMPARE(deleteSite("A001", "001"), DeleteResult::Deleted);
        QVERIFY(!exists("A001", "001"));
        // Only the site row goes; its order and contract stay.
        QCOMPARE(count("select count(*) from r_suju where code = '001'"), 1);
        QCOMPARE(count("select count(*) from r_hyun_order where code = '001'"), 1);

        QVERIFY(hasBookRows("A001", "002"));
        QCOMPARE(deleteSite("A001", "002"), DeleteResult::HasBookRows);
        QVERIFY(exists("A001", "002"));
        const QStringList neighbour = snapshot().filter("2024-03-03");
        QCOMPARE(deleteWithBooks("A001", "002"), DeleteResult::Deleted);
        for (const char* t : {"r_mast", "tax_mast", "jo_mast", "r_ipkum", "tax_ipkum", "r_suju", "r_misu",
                              "r_hyun_order", "r_hyunjang"})
            QVERIFY2(count(QStringLiteral("select count(*) from %1 where grcd = 'A001' and code = '002'").arg(t)) == 0,
                     t);
        QCOMPARE(count("select count(*) from cont_carry where ilja = '2024-03-02'"), 0);
        // The purchase book and the tax invoices are left as they were.
        for (const char* t : {"in_mast", "tax", "jo_tax"})
            QCOMPARE(count(QStringLiteral("select count(*) from %1 where code = '002'").arg(t)), 1);
        QCOMPARE(snapshot().filter("2024-03-03"), neighbour);
        QCOMPARE(count("select count(*) from r_hyun_order where code = '003'"), 1);
    }

    void failureHalfWayLeavesEverythingAsItWas()
    {
        TestDb db;
        addSite("A001", "000", "현장통합", "T");
        addSite("A001", "001", "옛이름", "H");
        book("A001", "001", "H", "2024-03-02");
        // The orders are the last copies a change rewrites.
        failOn("r_suju", "update");
        QStringList before = snapshot();
        QVERIFY_THROWS_EXCEPTION(DbError, Sites::update(siteOf("A001", "001", "새이름", "G")));
        QCOMPARE(snapshot(), before);

        // The site row is the last statement of a deletion.
        Sql::exec("create trigger test_keep_site for r_hyunjang before delete as begin exception test_refused; end");
        before = snapshot();
        QVERIFY_THROWS_EXCEPTION(DbError, deleteWithBooks("A001", "001"));
        QCOMPARE(snapshot(), before);
    }

    void listsAndSearch()
    {
        TestDb db;
        addSite("A001", "000", "현장통합", "T");
        addSite("A001", "001", "다동", "G");
        addSite("A001", "002", "가동_1", "G");
        addSite("A002", "001", "가동", "H");
        auto codes = [](const Rows& r) {
            QStringList out;
            for (int i = 0; i < r.size(); ++i)
                out << r.text(i, "code");
            return out.join(' ');
        };
        QCOMPARE(codes(list("A001")), QString("002 001 000"));
        QCOMPARE(codes(listOrdered("A001", "NAME")), QString("002 001 000"));
        QCOMPARE(codes(listOrdered("A001", "CODE")), QString("000 001 002"));
        QCOMPARE(codes(search("A001", "동")), QString("002 001"));
        // The underscore is a letter of the name, not a wildcard.
        QCOMPARE(codes(search("A001", "_")), QString("002"));
    }
};

QTEST_GUILESS_MAIN(TestSites)
#include "tst_sites.moc"
