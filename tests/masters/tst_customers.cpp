#include "data/Schema.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "masters/Customers.h"
#include "support/TestDb.h"

#include <QTest>

using namespace Customers;

namespace {

// Every row of every table as text, sorted, table by table; `except` leaves tables out.
QStringList snapshot(const QStringList& except = {})
{
    QStringList out;
    for (const QString& t : Schema::tableNames()) {
        if (except.contains(t) || t == QLatin1String("varer_schema"))
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

Customer customer(const QString& set, const QString& seq, const QString& name, const QString& misu = PerSite)
{
    Customer c;
    c.custSet = set;
    c.custSeq = seq;
    c.name = name;
    c.kawnSa = QStringLiteral("S");
    c.misu = misu;
    c.vat = QStringLiteral("V");
    c.ilja = QStringLiteral("2024-03-01");
    return c;
}

IntegratedSite staff(const QString& code, const QString& name)
{
    IntegratedSite s;
    s.manCode = code;
    s.manName = name;
    s.officeTel = QStringLiteral("02-123-4567");
    s.build = QStringLiteral("대한건설");
    s.orderNul = 95;
    return s;
}

int count(const QString& sql, const Sql::Binds& binds = {}) { return Sql::scalar(sql, binds).toInt(); }

// An integrated customer A001 (site 000, ordinary site 001 kept under it, a
// per-site leftover 002) with a row in every book, and a neighbour A002 whose
// rows must never change.
void seedOffice()
{
    session().SessionSaup = QStringLiteral("01");
    insertRow("youngup", {{"code", "100"}, {"man", "관급담당"}});
    insertRow("youngup", {{"code", "007"}, {"man", "박영업"}});
    for (const QString& g : {QStringLiteral("A001"), QStringLiteral("A002")}) {
        const QString name = g == "A001" ? QStringLiteral("한빛건설") : QStringLiteral("이웃상사");
        insertRow("customer", {{"grcd", g}, {"cust_set", "A"}, {"cust_seq", g.right(3)}, {"name", name},
                               {"kawn_sa", "S"}, {"misu", "G"}, {"vat", "V"}, {"address1", "서울"}});
        insertRow("r_hyunjang", {{"grcd", g}, {"code", "000"}, {"name", "현장통합"}, {"grcd_name", name},
                                 {"misu", "T"}, {"kawn_sa", "S"}, {"man_code", "100"}, {"man_name", "관급담당"}});
        insertRow("r_hyunjang", {{"grcd", g}, {"code", "001"}, {"name", "본관"}, {"grcd_name", name},
                                 {"misu", "G"}, {"kawn_sa", "S"}, {"man_code", "100"}});
        insertRow("r_hyunjang", {{"grcd", g}, {"code", "002"}, {"name", "별관"}, {"grcd_name", name},
                                 {"misu", "H"}, {"kawn_sa", "S"}, {"man_code", "007"}});
        const QString day = g == "A001" ? QStringLiteral("2024-03-02") : QStringLiteral("2024-03-03");
        for (const char* book : {"r_mast", "tax_mast", "jo_mast", "in_mast"})
            insertRow(book, {{"ilja", day}, {"seq", "01"}, {"grcd", g}, {"grcd_name", name}, {"code", "001"},
                             {"kawn_sa", "S"}, {"misu", "G"}, {"hap", 110000.0}});
        for (const char* book : {"r_ipkum", "tax_ipkum"}) {
            insertRow(book, {{"ilja", day}, {"jun", "01"}, {"grcd", g}, {"grcd_name", name}, {"code", "000"},
                             {"kawn_sa", "S"}, {"misu", "T"}, {"man_code", "100"}, {"hyun", 50000.0}});
            insertRow(book, {{"ilja", day}, {"jun", "02"}, {"grcd", g}, {"grcd_name", name}, {"code", "002"},
                             {"kawn_sa", "S"}, {"misu", "H"}, {"man_code", "007"}, {"hyun", 1000.0}});
        }
        for (const char* t : {"tax", "jo_tax"})
            insertRow(t, {{"ilja", day}, {"seq", "24-0001"}, {"kawn", "01"}, {"ho", "01"}, {"grcd", g},
                          {"grcd_name", name}, {"code", "000"}});
        insertRow("r_misu", {{"grcd", g}, {"code", "000"}, {"ilja", "2024-01"}, {"kum", 300000.0}});
        insertRow("r_misu", {{"grcd", g}, {"code", "002"}, {"ilja", "2024-01"}, {"kum", 7000.0}});
        insertRow("r_suju", {{"ilja", day}, {"seq", "01"}, {"grcd", g}, {"v_inout", name}, {"code", "001"}});
        insertRow("cont_carry", {{"ilja", day}, {"seq", "01"}, {"gubun", "A"}, {"danga", 9000.0}});
        insertRow("r_hyun_order", {{"grcd", g}, {"code", "001"}, {"standard", "25-24-150"}, {"demand1", "2024-01-01"}});
        insertRow("makam", {{"grcd", g}, {"code", "000"}, {"ilja", "2023-13"}, {"misu", 1.0}});
        insertRow("carprice", {{"ilja", day}, {"seq", "001"}, {"grcd", g}});
    }
}

ChangeStart startOf(const QString& grcd)
{
    ChangeStart start;
    if (!ChangeStart::of(grcd, start))
        qFatal("no customer %s", qPrintable(grcd));
    return start;
}

// Makes every later write of `table` (of the kind `event`) fail in the database.
void failOn(const QString& table, const QString& event)
{
    Sql::exec(QStringLiteral("create exception test_refused 'refused for the test'"));
    Sql::exec(QStringLiteral("create trigger test_refuse for %1 before %2 as begin exception test_refused; end")
                  .arg(table, event));
}

} // namespace

class TestCustomers : public QObject {
    Q_OBJECT
private slots:
    void labelsAndCodes()
    {
        QCOMPARE(classLabels(), QStringList({"관수1", "관수2", "민수1", "민수2"}));
        QCOMPARE(classCode("관수2"), QString("L"));
        QCOMPARE(classLabel("T"), QString("민수2"));
        QCOMPARE(basisCode("현장통합"), QString("G"));
        QCOMPARE(vatLabel("X"), QString("무시"));
        QCOMPARE(classCode("기타"), QString());
    }

    void nextNumberPerLetter()
    {
        TestDb db;
        QCOMPARE(nextSeq("B"), QString("001"));
        insertRow("customer", {{"grcd", "B001"}, {"cust_set", "B"}, {"cust_seq", "001"}});
        insertRow("customer", {{"grcd", "B007"}, {"cust_set", "B"}, {"cust_seq", "007"}});
        insertRow("customer", {{"grcd", "C050"}, {"cust_set", "C"}, {"cust_seq", "050"}});
        QCOMPARE(nextSeq("B"), QString("008"));
        QCOMPARE(nextSeq("C"), QString("051"));
        // Past 999 the lowest free number is proposed instead of wrapping to 000.
        insertRow("customer", {{"grcd", "B999"}, {"cust_set", "B"}, {"cust_seq", "999"}});
        QCOMPARE(nextSeq("B"), QString("002"));
    }

    void insertPerSiteAndIntegrated()
    {
        TestDb db;
        session().SessionSaup = "01";
        const QString odd = QStringLiteral("(주)'동해\" 50%_레미콘");
        Customer c = customer("A", "7", odd);
        c.julsa = "10";
        c.address1 = QStringLiteral("부산시 '해운대' 100%");
        QCOMPARE(insert(c, {}), SaveResult::Saved);
        Customer back;
        QVERIFY(load("A007", back));
        QCOMPARE(back.custSeq, QString("007"));
        QCOMPARE(back.name, odd);
        QCOMPARE(back.address1, c.address1);
        QCOMPARE(back.julsa, QString("10"));
        QCOMPARE(Sql::select("select saup from customer where grcd = 'A007'").text(0, "saup"), QString("01"));
        QCOMPARE(count("select count(*) from r_hyunjang"), 0);
        // The name search finds it again, the typed % and _ taken literally.
        QCOMPARE(search("50%_").text(0, "grcd"), QString("A007"));
        QCOMPARE(search("'동해\"").size(), 1);
        QCOMPARE(search("0%").size(), 1);
        QCOMPARE(search("5_").size(), 0);
        QCOMPARE(codeOfName(odd), QString("A007"));
        QCOMPARE(codeOfName(odd, "A007"), QString());

        QCOMPARE(insert(customer("K", "001", "조달청", Integrated), staff("100", "관급담당")), SaveResult::Saved);
        const Rows site = Sql::select("select * from r_hyunjang where grcd = 'K001'");
        QCOMPARE(site.size(), 1);
        QCOMPARE(site.text(0, "code"), QString("000"));
        QCOMPARE(site.text(0, "name"), QString("현장통합"));
        QCOMPARE(site.text(0, "misu"), QString("T"));
        QCOMPARE(site.text(0, "grcode"), QString("K001000"));
        QCOMPARE(site.text(0, "grcd_name"), QString("조달청"));
        QCOMPARE(site.text(0, "man_name"), QString("관급담당"));
        QCOMPARE(site.number(0, "order_nul"), 95.0);
        QCOMPARE(site.text(0, "saup"), QString("01"));
    }

    void insertRefusesBadOrTakenCodes()
    {
        TestDb db;
        insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "먼저온곳"}});
        const QStringList before = snapshot();
        const struct {
            const char* set;
            const char* seq;
            SaveResult result;
        } cases[] = {
            {"", "001", SaveResult::CodeMissing},  {"A", "", SaveResult::CodeMissing},
            {"a", "002", SaveResult::CodeMissing}, {"A", "0x2", SaveResult::CodeMissing},
            {"가", "002", SaveResult::CodeMissing},
            // Another station saved A001 a moment ago: never overwritten.
            {"A", "001", SaveResult::CodeTaken},   {"A", "1", SaveResult::CodeTaken},
        };
        for (const auto& tc : cases) {
            QCOMPARE(insert(customer(QString::fromUtf8(tc.set), tc.seq, "나중온곳", Integrated), {}), tc.result);
            QCOMPARE(snapshot(), before);
        }
    }

    void insertFailingHalfWayWritesNothing()
    {
        TestDb db;
        // A leftover site 000 of Z001 makes the second statement of the save fail.
        insertRow("r_hyunjang", {{"grcd", "Z001"}, {"code", "000"}, {"name", "남은행"}});
        const QStringList before = snapshot();
        QVERIFY_THROWS_EXCEPTION(DbError, insert(customer("Z", "001", "새거래처", Integrated), {}));
        QCOMPARE(snapshot(), before);
    }

    void renameRewritesEveryCopy()
    {
        TestDb db;
        seedOffice();
        const QStringList neighbour = snapshot();
        Customer c;
        QVERIFY(load("A001", c));
        IntegratedSite s;
        QVERIFY(loadIntegratedSite("A001", s));
        const ChangeStart start = startOf("A001");
        c.name = QStringLiteral("새빛'건설");
        c.kawnSa = "T";
        update(c, s, start);

        const QString n = c.name;
        for (const char* t : {"r_hyunjang", "r_mast", "tax_mast", "jo_mast", "r_ipkum", "tax_ipkum"}) {
            QCOMPARE(count(QStringLiteral("select count(*) from %1 where grcd = 'A001' and grcd_name = ? and kawn_sa = 'T'")
                               .arg(t), {n}),
                     count(QStringLiteral("select count(*) from %1 where grcd = 'A001'").arg(t)));
        }
        QCOMPARE(count("select count(*) from tax where grcd_name = ?", {n}), 1);
        QCOMPARE(count("select count(*) from jo_tax where grcd_name = ?", {n}), 1);
        QCOMPARE(count("select count(*) from r_suju where v_inout = ?", {n}), 1);
        // The purchase book is not a copy of the customer.
        QCOMPARE(count("select count(*) from in_mast where grcd_name = ?", {n}), 0);
        // The neighbour A002 is untouched.
        auto ofA002 = [](const QStringList& rows) {
            QStringList out;
            for (const QString& r : rows)
                if (r.contains("A002"))
                    out << r;
            return out;
        };
        QCOMPARE(ofA002(snapshot()), ofA002(neighbour));
    }

    void addressChangeRewritesNothingElse()
    {
        TestDb db;
        seedOffice();
        const QStringList before = snapshot({"customer"});
        Customer c;
        load("A001", c);
        const ChangeStart start = startOf("A001");
        c.address1 = QStringLiteral("대구시 수성구");
        c.tel = "053-111-2222";
        update(c, start.site, start);
        QCOMPARE(snapshot({"customer"}), before);
        Customer back;
        load("A001", back);
        QCOMPARE(back.address1, c.address1);
        QCOMPARE(back.tel, c.tel);
    }

    void basisChanges()
    {
        TestDb db;
        seedOffice();
        // Per site → integrated: the customer gets its site 000.
        insert(customer("B", "001", "단독현장"), {});
        insertRow("r_hyunjang", {{"grcd", "B001"}, {"code", "001"}, {"name", "1공구"}, {"misu", "H"}});
        Customer b;
        load("B001", b);
        const ChangeStart bStart = startOf("B001");
        b.misu = Integrated;
        QVERIFY(!dropsIntegratedSite(bStart, b));
        update(b, staff("007", "박영업"), bStart);
        QCOMPARE(Sql::select("select misu from customer where grcd = 'B001'").text(0, "misu"), QString("G"));
        QCOMPARE(Sql::select("select man_code, misu from r_hyunjang where grcd = 'B001' and code = '000'").text(0, "misu"),
                 QString("T"));

        // Integrated → integrated with another staff member: site 000, the sites
        // kept under it and the deposits of 000 follow; the per-site leftover does not.
        Customer a;
        load("A001", a);
        ChangeStart aStart = startOf("A001");
        IntegratedSite s = staff("007", "박영업");
        update(a, s, aStart);
        QCOMPARE(count("select count(*) from r_hyunjang where grcd = 'A001' and man_code = '007' and build = '대한건설'"
                       " and order_nul = 95"), 2);
        QCOMPARE(count("select count(*) from r_hyunjang where grcd = 'A001' and code = '002' and build is null"), 1);
        for (const char* t : {"r_ipkum", "tax_ipkum"})
            QCOMPARE(Sql::select(QStringLiteral("select man_name from %1 where grcd = 'A001' and code = '000'").arg(t))
                         .text(0, "man_name"),
                     QString("박영업"));

        // Integrated → per site: site 000, its deposits and its opening balances go;
        // the sales keep misu G and the other sites' rows stay.
        aStart = startOf("A001");
        QCOMPARE(aStart.site.manCode, QString("007"));
        a.misu = PerSite;
        QVERIFY(dropsIntegratedSite(aStart, a));
        update(a, s, aStart);
        QCOMPARE(count("select count(*) from r_hyunjang where grcd = 'A001' and code = '000'"), 0);
        for (const char* t : {"r_ipkum", "tax_ipkum", "r_misu"}) {
            QCOMPARE(count(QStringLiteral("select count(*) from %1 where grcd = 'A001' and code = '000'").arg(t)), 0);
            QCOMPARE(count(QStringLiteral("select count(*) from %1 where grcd = 'A001' and code = '002'").arg(t)), 1);
        }
        QCOMPARE(count("select count(*) from r_mast where grcd = 'A001' and misu = 'G'"), 1);
        QCOMPARE(count("select count(*) from r_hyunjang where grcd = 'A002' and code = '000'"), 1);
    }

    void changeOfADeletedCustomerFails()
    {
        TestDb db;
        Customer c = customer("D", "001", "사라진곳");
        QVERIFY_THROWS_EXCEPTION(DbError, update(c, {}, {"사라진곳", "S", "H", {}}));
        QCOMPARE(count("select count(*) from r_hyunjang"), 0);
    }

    void deletionTakesThePartsTablesOnly()
    {
        TestDb db;
        seedOffice();
        const QStringList kept = {"jo_tax", "in_mast", "makam", "carprice"};
        auto rowsOf = [](const QStringList& tables) {
            QStringList out;
            for (const QString& t : Schema::tableNames())
                if (!tables.contains(t))
                    out << t;
            return snapshot(out);
        };
        const QStringList keptBefore = rowsOf(kept);
        deleteCustomer("A001");
        for (const char* t : {"r_hyun_order", "r_mast", "tax_mast", "jo_mast", "r_ipkum", "tax_ipkum", "tax",
                              "r_misu", "r_suju", "r_hyunjang", "customer"}) {
            QVERIFY2(count(QStringLiteral("select count(*) from %1 where grcd = 'A001'").arg(t)) == 0, t);
            QVERIFY(count(QStringLiteral("select count(*) from %1 where grcd = 'A002'").arg(t)) > 0);
        }
        QCOMPARE(rowsOf(kept), keptBefore);
        // The agreed haulage prices of its orders go with the orders.
        QCOMPARE(count("select count(*) from cont_carry"), 1);
        QCOMPARE(count("select count(*) from cont_carry where ilja = '2024-03-03'"), 1);
    }

    void failureHalfWayLeavesEverythingAsItWas()
    {
        TestDb db;
        seedOffice();
        // The orders are the last copies a rename rewrites.
        failOn("r_suju", "update");
        QStringList before = snapshot();
        Customer c;
        load("A001", c);
        IntegratedSite s;
        loadIntegratedSite("A001", s);
        const ChangeStart start = startOf("A001");
        c.name = QStringLiteral("바뀐이름");
        c.misu = PerSite;
        try {
            update(c, s, start);
            QFAIL("the orders refused the rename");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains("refused for the test"));
        }
        QCOMPARE(snapshot(), before);

        // The customer row is the last statement of a deletion.
        Sql::exec("create trigger test_keep_customer for customer before delete as begin exception test_refused; end");
        before = snapshot();
        QVERIFY_THROWS_EXCEPTION(DbError, deleteCustomer("A002"));
        QCOMPARE(snapshot(), before);
    }

    void lookups()
    {
        TestDb db;
        insertRow("zipcode", {{"post", "135-080"}, {"juso", "서울 강남구 역삼동"}});
        QCOMPARE(addressOfPost("135-080"), QString("서울 강남구 역삼동"));
        QCOMPARE(addressOfPost("999-999"), QString());
        insertRow("youngup", {{"code", "100"}, {"man", "관급담당"}});
        QCOMPARE(staffName("100"), QString("관급담당"));
        QCOMPARE(staffName("101"), QString());
    }
};

QTEST_GUILESS_MAIN(TestCustomers)
#include "tst_customers.moc"
