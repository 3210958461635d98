#include "data/CodeLookup.h"
#include "data/Session.h"
#include "support/TestDb.h"

#include <QTest>

// Small master data: customers with awkward names, the sites of an
// integrated customer (A001, site 000) and of a per-site one (C001),
// current and old product spec versions, a site contract, trucks,
// haulage companies and staff.
static void insertFixture()
{
    struct Cust { const char *grcd, *name, *kawnSa, *vat, *rank, *julsa; };
    for (const Cust& c : {Cust{"A001", "대한건설", "K", "N", "A", "0"}, Cust{"A002", "대한산업", "L", "N", "B", "10"},
                          Cust{"B001", "특가%상사", "S", "V", "A", "1"}, Cust{"B002", "특가상사", "S", "V", "A", "1"},
                          Cust{"B003", "한'양", "T", "V", "C", "100"}, Cust{"B004", "대_한", "S", "X", "D", ""},
                          Cust{"C001", "삼성물산", "S", "V", "A", "0"}}) {
        const QString grcd = c.grcd;
        insertRow("customer", {{"grcd", grcd}, {"cust_set", grcd.left(1)}, {"cust_seq", grcd.mid(1)}, {"name", c.name},
                               {"kawn_sa", c.kawnSa}, {"vat", c.vat}, {"rank", c.rank}, {"julsa", c.julsa}});
    }
    struct Site { const char *grcd, *code, *name, *misu, *man; };
    for (const Site& s : {Site{"A001", "000", "현장통합", "T", "005"}, Site{"A001", "001", "서울현장", "G", "005"},
                          Site{"A001", "002", "부산현장", "G", "005"}, Site{"C001", "001", "대구현장", "H", "001"},
                          Site{"C001", "002", "대구2현장", "H", "001"}, Site{"C001", "003", "광주현장", "H", "005"}})
        insertRow("r_hyunjang", {{"grcd", s.grcd}, {"code", s.code}, {"name", s.name}, {"misu", s.misu},
                                 {"man_code", s.man}, {"man_name", QString(s.man) == "005" ? "박영희" : "김철수"}});
    struct Spec { const char *code, *ilja, *gubun, *kind, *standard, *ks; int kwan, sa; };
    for (const Spec& s : {Spec{"1001", "2003-01-01", "1", "레미콘", "25-210-12", "KS", 50000, 60000},
                          Spec{"1001", "2004-01-01", "0", "레미콘", "25-210-12", "KS", 60000, 70000},
                          Spec{"1002", "2004-01-01", "0", "레미콘", "25-240-15", "KS", 62000, 72000},
                          Spec{"2001", "2004-01-01", "0", "몰탈", "40-180-8", "", 40000, 45000}})
        insertRow("r_size", {{"remi_code", s.code}, {"ilja", s.ilja}, {"gubun", s.gubun}, {"kind", s.kind},
                             {"standard", s.standard}, {"rul_ks", s.ks}, {"kwan_danga", s.kwan}, {"sa_danga", s.sa}});
    for (const auto& [code, standard] : {std::pair{"001", "25-210-12"}, {"001", "25-240-15"}, {"002", "40-180-8"}})
        insertRow("r_hyun_order", {{"grcd", "C001"}, {"code", code}, {"standard", standard}, {"demand1", "x"}});
    insertRow("car_code", {{"code", "98-7654-3"}, {"scode", "7654"}, {"name", "김기사"}});
    insertRow("car_code", {{"code", "12-3456-7"}, {"scode", "3456"}, {"name", "홍길동"}});
    insertRow("car_cust", {{"code", "02"}, {"name", "삼성운수"}});
    insertRow("car_cust", {{"code", "01"}, {"name", "대한운수"}});
    for (const auto& [code, man] : {std::pair{"001", "김철수"}, {"005", "박영희"}, {"589", "정정"}, {"111", "결재"}})
        insertRow("youngup", {{"code", code}, {"man", man}, {"pass", "pw"}});
}

// The codes of the candidate rows, read back through pick() so the slot
// filling is exercised too.
static QString pickedKeys(CodeLookup& lookup)
{
    QStringList keys;
    for (int i = 0; i < lookup.rows().size(); ++i) {
        lookup.pick(i);
        keys << session().LookupKey;
    }
    return keys.join(',');
}

class TestCodeLookup : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
private slots:
    void initTestCase()
    {
        db_ = new TestDb;
        insertFixture();
    }
    void cleanupTestCase() { delete db_; }
    void init() { session() = Session{}; }

    void searchMode_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("byName");
        QTest::newRow("upper-case code") << "A001" << false;
        QTest::newRow("lower case is a name") << "a001" << true;
        QTest::newRow("Korean") << "대한" << true;
        QTest::newRow("digits") << "005" << false;
        QTest::newRow("hyphen third") << "12-34" << true;
        QTest::newRow("hyphen third, two chars only") << "1-" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("punctuation") << "%" << true;
    }
    void searchMode()
    {
        QFETCH(QString, key);
        QFETCH(bool, byName);
        QCOMPARE(CodeLookup::isNameSearch(key), byName);
    }

    void search_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("customer"); // LookupAux1 for sites, LookupCustomer for kind 13
        QTest::addColumn<QString>("site");
        QTest::addColumn<bool>("single");
        QTest::addColumn<QString>("keys");   // candidates (or the one match), by their code
        QTest::addColumn<QString>("title");  // first column title of the pick list

        QTest::newRow("1 code found") << 1 << "A001" << "" << "" << true << "A001" << "코  드";
        QTest::newRow("1 unknown code: all by code") << 1 << "Z999" << "" << "" << false
                                                     << "A001,A002,B001,B002,B003,B004,C001" << "코  드";
        QTest::newRow("1 empty key: all") << 1 << "" << "" << "" << false << "A001,A002,B001,B002,B003,B004,C001"
                                          << "코  드";
        QTest::newRow("1 lower case searches names") << 1 << "a001" << "" << "" << false << "" << "거래처명";
        QTest::newRow("1 name, several by name") << 1 << "대한" << "" << "" << false << "A001,A002" << "거래처명";
        QTest::newRow("1 name, one") << 1 << "삼성" << "" << "" << true << "C001" << "거래처명";
        QTest::newRow("1 percent finds itself") << 1 << "가%" << "" << "" << true << "B001" << "거래처명";
        QTest::newRow("1 underscore finds itself") << 1 << "대_" << "" << "" << true << "B004" << "거래처명";
        QTest::newRow("1 quote finds itself") << 1 << "한'" << "" << "" << true << "B003" << "거래처명";
        QTest::newRow("1 name not found: empty list") << 1 << "없는" << "" << "" << false << "" << "거래처명";
        QTest::newRow("11 name keeps class K") << 11 << "대한" << "" << "" << true << "A001" << "거래처명";
        QTest::newRow("11 code of class L") << 11 << "A002" << "" << "" << true << "A002" << "코  드";
        QTest::newRow("11 code of class S: list K and L") << 11 << "C001" << "" << "" << false << "A001,A002"
                                                          << "코  드";
        QTest::newRow("2 code found") << 2 << "002" << "A001" << "" << true << "002" << "코드";
        QTest::newRow("2 empty key: sites without 000, descending") << 2 << "" << "A001" << "" << false << "002,001"
                                                                    << "코드";
        QTest::newRow("2 name") << 2 << "대구" << "C001" << "" << false << "002,001" << "코드";
        QTest::newRow("2 other customer's site") << 2 << "003" << "A001" << "" << false << "002,001" << "코드";
        QTest::newRow("12 integrated customer lists 000") << 12 << "" << "A001" << "" << false << "000" << "코드";
        QTest::newRow("12 sites kept under 000 are not found") << 12 << "001" << "A001" << "" << false << "000"
                                                               << "코드";
        QTest::newRow("12 per-site customer") << 12 << "" << "C001" << "" << false << "003,002,001" << "코드";
        QTest::newRow("3 current version found") << 3 << "1001" << "" << "" << true << "1001" << "코드";
        QTest::newRow("3 unknown code: current versions") << 3 << "9999" << "" << "" << false << "1001,1002,2001"
                                                          << "코드";
        QTest::newRow("3 name with hyphen third") << 3 << "25-" << "" << "" << false << "1001,1002" << "코드";
        QTest::newRow("3 name, one") << 3 << "40-180" << "" << "" << true << "2001" << "코드";
        QTest::newRow("7 KS only, by standard") << 7 << "-" << "" << "" << false << "1001,1002" << "코드";
        QTest::newRow("7 code-like key still searches standard") << 7 << "1001" << "" << "" << false << "" << "코드";
        QTest::newRow("7 one") << 7 << "240" << "" << "" << true << "1002" << "코드";
        QTest::newRow("13 contracted specs") << 13 << "" << "C001" << "001" << false << "1001,1002" << "코드";
        QTest::newRow("13 single contract") << 13 << "" << "C001" << "002" << true << "2001" << "코드";
        QTest::newRow("13 code among contracted") << 13 << "1002" << "C001" << "001" << true << "1002" << "코드";
        QTest::newRow("4 code: always the list by code") << 4 << "3456" << "" << "" << false << "3456,7654" << "코드";
        QTest::newRow("4 name: the list by driver") << 4 << "홍" << "" << "" << false << "7654,3456" << "코드";
        QTest::newRow("5 name equal") << 5 << "대한운수" << "" << "" << true << "01" << "회사명";
        QTest::newRow("5 name part: all by name") << 5 << "대한" << "" << "" << false << "01,02" << "회사명";
        QTest::newRow("5 unknown code: all by code") << 5 << "09" << "" << "" << false << "01,02" << "코  드";
        QTest::newRow("8 code") << 8 << "005" << "" << "" << true << "005" << "코  드";
        QTest::newRow("8 unknown code: 001 to 100") << 8 << "999" << "" << "" << false << "001,005" << "코  드";
        QTest::newRow("8 name equal") << 8 << "박영희" << "" << "" << true << "005" << "담당자명";
        QTest::newRow("8 name part: all staff by name") << 8 << "박" << "" << "" << false << "111,001,005,589"
                                                        << "담당자명";
    }
    void search()
    {
        QFETCH(int, kind);
        QFETCH(QString, key);
        QFETCH(QString, customer);
        QFETCH(QString, site);
        QFETCH(bool, single);
        QFETCH(QString, keys);
        QFETCH(QString, title);
        session().LookupKey = key;
        session().LookupAux1 = customer;
        session().LookupCustomer = customer;
        session().LookupSite = site;
        CodeLookup lookup(kind);
        QCOMPARE(lookup.search(), single);
        QCOMPARE(lookup.columns().first().title, title);
        if (single)
            QCOMPARE(session().LookupKey, keys);
        else
            QCOMPARE(session().LookupKey, key); // nothing picked yet
        QCOMPARE(pickedKeys(lookup), keys);
    }

    void slotFilling_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("expected"); // key, name, aux1, aux2, aux3, public, private
        QTest::newRow("customer") << 1 << "A002" << QStringList{"A002", "대한산업", "N", "L", "10", "", ""};
        QTest::newRow("site") << 2 << "001" << QStringList{"001", "대구현장", "001", "H", "", "", ""};
        QTest::newRow("spec") << 3 << "1002" << QStringList{"1002", "25-240-15", "C001", "레미콘", "", "62000", "72000"};
        QTest::newRow("ks spec") << 7 << "240" << QStringList{"1002", "25-240-15", "C001", "레미콘", "KS", "", ""};
        QTest::newRow("haulage") << 5 << "02" << QStringList{"02", "삼성운수", "C001", "", "", "", ""};
        QTest::newRow("staff") << 8 << "결재" << QStringList{"111", "결재", "C001", "", "", "", ""};
    }
    void slotFilling()
    {
        QFETCH(int, kind);
        QFETCH(QString, key);
        QFETCH(QStringList, expected);
        session().LookupKey = key;
        session().LookupAux1 = "C001";
        QVERIFY(CodeLookup(kind).search());
        const Session& s = session();
        const auto price = [](double v) { return v == 0 ? QString() : QString::number(v); };
        QCOMPARE((QStringList{s.LookupKey, s.LookupName, s.LookupAux1, s.LookupAux2, s.LookupAux3,
                              price(s.LookupPublicPrice), price(s.LookupPrivatePrice)}),
                 expected);
    }

    void truckPickFillsDriver()
    {
        session().LookupKey = "";
        CodeLookup lookup(CodeLookup::Truck);
        QVERIFY(!lookup.search());
        lookup.pick(1);
        QCOMPARE(session().LookupKey, QString("7654"));
        QCOMPARE(session().LookupName, QString("98-7654-3"));
        QCOMPARE(session().LookupAux1, QString("김기사"));
    }

    void resortByNameThenPickFillsAllSlots()
    {
        session().LookupKey = "";
        CodeLookup lookup(CodeLookup::Customer);
        QVERIFY(!lookup.search());
        lookup.resort("name");
        QCOMPARE(lookup.rows().size(), 7);
        QCOMPARE(lookup.rows().text(0, "name"), QString("대_한"));
        lookup.pick(0);
        const Session& s = session();
        QCOMPARE((QStringList{s.LookupKey, s.LookupName, s.LookupAux1, s.LookupAux2, s.LookupAux3}),
                 (QStringList{"B004", "대_한", "X", "S", ""}));
    }

    void resortRules()
    {
        // Kind 11 re-reads every customer; sites re-read all of the customer's
        // sites; specs every version; trucks keep their list.
        session().LookupKey = "대한";
        CodeLookup supply(CodeLookup::SupplyCustomer);
        QVERIFY(supply.search());
        supply.resort("grcd");
        QCOMPARE(supply.rows().size(), 7);

        session().LookupKey = "";
        session().LookupAux1 = "A001";
        CodeLookup sites(CodeLookup::Site);
        QVERIFY(!sites.search());
        sites.resort("code");
        QCOMPARE(pickedKeys(sites), QString("000,001,002"));

        session().LookupKey = "";
        CodeLookup specs(CodeLookup::Spec);
        specs.search();
        specs.resort("standard");
        QCOMPARE(specs.rows().size(), 4);
        QCOMPARE(specs.rows().text(3, "standard"), QString("40-180-8"));

        // A field that is not a column of the list changes nothing.
        specs.resort("ilja; delete from r_size");
        QCOMPARE(specs.rows().size(), 4);

        CodeLookup trucks(CodeLookup::Truck);
        trucks.search();
        trucks.resort("name");
        QCOMPARE(trucks.rows().text(0, "scode"), QString("3456"));
        QVERIFY(!trucks.canResort());
    }

    void unknownKindThrows() { QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CodeLookup(6)); }
};

QTEST_GUILESS_MAIN(TestCodeLookup)
#include "tst_codelookup.moc"
