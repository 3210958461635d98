#include "data/Session.h"
#include "data/Sql.h"
#include "masters/Specs.h"
#include "support/TestDb.h"

#include <QTest>

namespace {

// Stores versions directly; the last date given is the current one.
void storeVersions(const QString& code, const QStringList& dates, const QString& standard = "25-210-15")
{
    for (const QString& d : dates)
        insertRow("r_size", {{"remi_code", code}, {"ilja", d}, {"kind", "레미콘"}, {"standard", standard},
                             {"gubun", d == dates.last() ? Specs::Current : Specs::Superseded},
                             {"sa_danga", 60000}, {"kwan_danga", 55000}});
}

Specs::Version version(const QString& code, const QString& ilja, const QString& standard = "25-210-15")
{
    Specs::Version v;
    v.code = code;
    v.ilja = ilja;
    v.kind = Specs::ProductName;
    v.standard = standard;
    v.rulKs = "KS";
    v.numbers = {{"sa_danga", 61000}, {"kwan_danga", 56000}, {"cement_1", 300}};
    return v;
}

QString currentDate(const QString& code)
{
    const Rows r = Sql::select("select ilja from r_size where remi_code = ? and gubun = '0'", {code});
    return r.size() == 1 ? r.text(0, "ilja") : QStringLiteral("<%1 current>").arg(r.size());
}

// Every code that has versions has exactly one current version.
void verifyOneCurrentEach()
{
    const Rows r = Sql::select("select remi_code, sum(case when gubun = '0' then 1 else 0 end) as n"
                               " from r_size group by remi_code");
    for (int i = 0; i < r.size(); ++i)
        QVERIFY2(r.number(i, "n") == 1, qPrintable(r.text(i, "remi_code") + " has " + r.text(i, "n") + " current"));
}

// A snapshot of every table a spec operation touches, to compare before and after a failure.
QString snapshot()
{
    QString out;
    for (const char* t : {"r_size", "r_mast", "tax_mast", "jo_mast", "r_hyun_order", "r_suju", "cont_carry"}) {
        const Rows r = Sql::select(QStringLiteral("select * from %1").arg(QLatin1String(t)));
        out += QLatin1String(t) + QStringLiteral(":");
        QStringList rows;
        for (const QVariantList& row : r.data) {
            QStringList cells;
            for (const QVariant& c : row)
                cells << Sql::textOf(c);
            rows << cells.join('|');
        }
        rows.sort();
        out += rows.join('\n') + '\n';
    }
    return out;
}

// Makes every statement of `event` on `table` fail, as a server failure half-way would.
void failOn(const QString& table, const QString& event)
{
    Sql::exec("create exception e_forced 'forced failure'");
    Sql::exec(QStringLiteral("create trigger t_forced for %1 before %2 as begin exception e_forced; end")
                  .arg(table, event));
}

void storeBooksAndOrders()
{
    for (const char* book : {"r_mast", "tax_mast", "jo_mast", "in_mast"}) {
        insertRow(book, {{"ilja", "2024-03-02"}, {"seq", "01"}, {"remi_code", "0007"}, {"standard", "25-210-15"}});
        insertRow(book, {{"ilja", "2024-03-02"}, {"seq", "02"}, {"remi_code", "0008"}, {"standard", "25-240-15"}});
    }
    insertRow("r_suju", {{"ilja", "2024-03-02"}, {"seq", "01"}, {"remi_code", "0007"}, {"v_rule", "25-210-15"},
                         {"kind", "레미콘"}});
    insertRow("r_suju", {{"ilja", "2024-03-02"}, {"seq", "02"}, {"remi_code", "0008"}, {"v_rule", "25-240-15"},
                         {"kind", "레미콘"}});
    insertRow("r_suju", {{"ilja", "2024-03-03"}, {"seq", "01"}, {"remi_code", "0009"}, {"v_rule", ""}});
    insertRow("cont_carry", {{"ilja", "2024-03-02"}, {"seq", "01"}, {"gubun", "A"}, {"danga", 5000}});
    insertRow("cont_carry", {{"ilja", "2024-03-02"}, {"seq", "02"}, {"gubun", "A"}, {"danga", 5000}});
    insertRow("cont_carry", {{"ilja", "2024-03-03"}, {"seq", "01"}, {"gubun", "A"}, {"danga", 5000}});
    insertRow("r_hyun_order", {{"grcd", "A001"}, {"code", "001"}, {"standard", "25-210-15"}, {"demand1", "2024-01-01"}});
    insertRow("r_hyun_order", {{"grcd", "A001"}, {"code", "001"}, {"standard", "25-240-15"}, {"demand1", "2024-01-01"}});
    insertRow("r_hyun_order", {{"grcd", "A001"}, {"code", "002"}, {"standard", ""}, {"demand1", "2024-01-01"}});
}

int count(const QString& sql, const Sql::Binds& binds = {}) { return Sql::scalar(sql, binds).toInt(); }

} // namespace

class TestSpecs : public QObject {
    Q_OBJECT
private slots:
    void init() { session().SessionSaup = "01"; }

    void numbersAreReadOrRefused_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("good");
        QTest::addColumn<double>("value");
        QTest::newRow("empty is 0") << "sa_danga" << "" << true << 0.0;
        QTest::newRow("grouped price") << "sa_danga" << "61,500" << true << 61500.0;
        QTest::newRow("fraction in a number column") << "ad_1" << "1.25" << true << 1.25;
        QTest::newRow("fraction in the fourth cement") << "cement_4" << "0.5" << true << 0.5;
        QTest::newRow("negative") << "wc" << "-3" << true << -3.0;
        QTest::newRow("letters") << "kwan_danga" << "5만원" << false << 0.0;
        QTest::newRow("a lone sign") << "water_1" << "-" << false << 0.0;
        QTest::newRow("fraction in a price") << "kwan_danga" << "100.5" << false << 0.0;
        QTest::newRow("fraction in gravel 3") << "gravel_3" << "0.5" << false << 0.0;
        QTest::newRow("too large for a price") << "sa_danga" << "3000000000" << false << 0.0;
        QTest::newRow("infinity") << "slg" << "inf" << false << 0.0;
    }
    void numbersAreReadOrRefused()
    {
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(bool, good);
        QFETCH(double, value);
        double v = -1;
        const QString msg = Specs::parseNumber(column, text, &v);
        QCOMPARE(msg.isEmpty(), good);
        if (good)
            QCOMPARE(v, value);
        else
            QVERIFY(msg.contains(Specs::numberLabel(column)));
    }

    void codeIsPaddedToFourDigits()
    {
        QCOMPARE(Specs::normalizeCode("7"), QString("0007"));
        QCOMPARE(Specs::normalizeCode(" 123 "), QString("0123"));
        QCOMPARE(Specs::normalizeCode(""), QString(""));
    }

    void everyColumnIsStoredAndChanged()
    {
        TestDb db;
        Specs::Version v = version("0007", "2024-01-10");
        v.goverNum = "G-1";
        v.cement1 = "포틀랜드1종";
        v.cement2 = "고로슬래그";
        v.ad1 = "플라이애시";
        v.ad2 = "AE감수제";
        v.kong = "4.5 ± 1.5%";
        v.yeom = "0.30kg/㎥이하";
        int n = 1;
        for (const QString& c : Specs::numberColumns())
            v.numbers[c] = Specs::isIntegerColumn(c) ? n++ * 10 : n++ + 0.25;
        QCOMPARE(Specs::addSpec(v), QString());

        Specs::Version back;
        QVERIFY(Specs::read("0007", "2024-01-10", &back));
        QCOMPARE(back.gubun, Specs::Current);
        QCOMPARE(Sql::scalar("select saup from r_size").toString(), QString("01"));
        auto same = [](const Specs::Version& a, const Specs::Version& b) {
            QCOMPARE(b.kind, a.kind);
            QCOMPARE(b.standard, a.standard);
            QCOMPARE(b.goverNum, a.goverNum);
            QCOMPARE(b.rulKs, a.rulKs);
            QCOMPARE(QStringList({b.cement1, b.cement2, b.ad1, b.ad2, b.kong, b.yeom}),
                     QStringList({a.cement1, a.cement2, a.ad1, a.ad2, a.kong, a.yeom}));
            for (const QString& c : Specs::numberColumns())
                QVERIFY2(b.number(c) == a.number(c), qPrintable(c));
        };
        same(v, back);

        // A change rewrites every column the same way.
        for (auto it = v.numbers.begin(); it != v.numbers.end(); ++it)
            *it += 1;
        v.goverNum = "G-2";
        v.kong = "3.5 ± 1.5%";
        v.rulKs = "비KS";
        QCOMPARE(Specs::changeVersion(v), QString());
        QVERIFY(Specs::read("0007", "2024-01-10", &back));
        same(v, back);
        QCOMPARE(Specs::storedValues("kong"), QStringList({"3.5 ± 1.5%"}));
    }

    void newSpec_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("ilja");
        QTest::addColumn<QString>("message");
        QTest::newRow("new code") << "0008" << "2024-05-01" << QString();
        QTest::newRow("code and date exist") << "0007" << "2024-01-10" << Specs::MsgCodeExists;
        QTest::newRow("code exists, other date") << "0007" << "2024-06-01" << Specs::MsgCodeExists;
        QTest::newRow("no code") << "" << "2024-05-01" << Specs::MsgCodeOrDate;
        QTest::newRow("no date") << "0008" << "" << Specs::MsgCodeOrDate;
        QTest::newRow("unpadded code") << "8" << "2024-05-01" << "코드는 숫자 4자리로 입력하시오.";
        QTest::newRow("impossible date") << "0008" << "2024-02-30" << "일자를 YYYY-MM-DD 형식으로 입력하시오.";
    }
    void newSpec()
    {
        QFETCH(QString, code);
        QFETCH(QString, ilja);
        QFETCH(QString, message);
        TestDb db;
        storeVersions("0007", {"2024-01-10"});
        const int before = count("select count(*) from r_size");
        QCOMPARE(Specs::addSpec(version(code, ilja)), message);
        QCOMPARE(count("select count(*) from r_size"), before + (message.isEmpty() ? 1 : 0));
        if (message.isEmpty())
            QCOMPARE(currentDate(code), ilja);
        verifyOneCurrentEach();
    }

    void tooLongTextIsRefused()
    {
        TestDb db;
        Specs::Version v = version("0007", "2024-01-10");
        v.standard = "25-210-150-X";
        QVERIFY(Specs::addSpec(v).contains("10자"));
        QCOMPARE(count("select count(*) from r_size"), 0);
    }

    void addVersion_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("ilja");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("current");
        const QStringList two = {"2024-01-10", "2024-03-01"};
        QTest::newRow("later becomes current") << two << "2024-04-01" << QString() << "2024-04-01";
        QTest::newRow("earlier stays superseded") << two << "2023-12-01" << QString() << "2024-03-01";
        QTest::newRow("between stays superseded") << two << "2024-02-01" << QString() << "2024-03-01";
        QTest::newRow("same date as current") << two << "2024-03-01" << Specs::MsgCodeExists << "2024-03-01";
        QTest::newRow("same date as old one") << two << "2024-01-10" << Specs::MsgCodeExists << "2024-03-01";
        QTest::newRow("first version of a code") << QStringList() << "2024-02-01" << QString() << "2024-02-01";
    }
    void addVersion()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, ilja);
        QFETCH(QString, message);
        QFETCH(QString, current);
        TestDb db;
        if (!stored.isEmpty())
            storeVersions("0007", stored);
        storeVersions("0008", {"2024-01-01", "2024-09-01"});
        QCOMPARE(Specs::addVersion(version("0007", ilja)), message);
        QCOMPARE(count("select count(*) from r_size where remi_code = '0007'"),
                 int(stored.size()) + (message.isEmpty() ? 1 : 0));
        QCOMPARE(currentDate("0007"), current);
        QCOMPARE(currentDate("0008"), QString("2024-09-01"));
        if (!message.isEmpty()) // the stored row is not overwritten
            QCOMPARE(count("select count(*) from r_size where remi_code = '0007' and ilja = ? and sa_danga = 60000",
                           {ilja}), 1);
        verifyOneCurrentEach();
    }

    void deleteVersion_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("ilja");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("current");
        const QStringList three = {"2024-01-10", "2024-02-01", "2024-03-01"};
        QTest::newRow("current: second-to-last takes over") << three << "2024-03-01" << QString() << "2024-02-01";
        QTest::newRow("superseded: current stays") << three << "2024-01-10" << QString() << "2024-03-01";
        QTest::newRow("middle: current stays") << three << "2024-02-01" << QString() << "2024-03-01";
        QTest::newRow("single version refused") << QStringList({"2024-01-10"}) << "2024-01-10" << Specs::MsgDeleteAbove
                                                << "2024-01-10";
        QTest::newRow("missing version") << three << "2024-02-15" << "삭제할 자료가 없습니다." << "2024-03-01";
    }
    void deleteVersion()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, ilja);
        QFETCH(QString, message);
        QFETCH(QString, current);
        TestDb db;
        storeVersions("0007", stored);
        storeVersions("0008", {"2024-01-01", "2024-09-01"});
        QCOMPARE(Specs::deleteVersion("0007", ilja), message);
        const bool removed = message.isEmpty();
        QCOMPARE(count("select count(*) from r_size where remi_code = '0007' and ilja = ?", {ilja}),
                 removed ? 0 : int(stored.contains(ilja)));
        QCOMPARE(currentDate("0007"), current);
        QCOMPARE(count("select count(*) from r_size where remi_code = '0008'"), 2);
        verifyOneCurrentEach();
    }

    void deletingDownToOneVersion()
    {
        TestDb db;
        storeVersions("0007", {"2024-01-10", "2024-02-01", "2024-03-01"});
        QCOMPARE(Specs::deleteVersion("0007", "2024-03-01"), QString());
        QCOMPARE(Specs::deleteVersion("0007", "2024-02-01"), QString());
        QCOMPARE(currentDate("0007"), QString("2024-01-10"));
        QCOMPARE(Specs::deleteVersion("0007", "2024-01-10"), Specs::MsgDeleteAbove);
        verifyOneCurrentEach();
    }

    void renameReachesBooksAndOrdersNotContracts()
    {
        TestDb db;
        storeVersions("0007", {"2024-01-10", "2024-03-01"});
        storeVersions("0008", {"2024-01-01"}, "25-240-15");
        storeBooksAndOrders();
        Specs::Version v;
        QVERIFY(Specs::read("0007", "2024-03-01", &v));
        v.standard = "25-240-18";
        v.kind = "고강도";
        QCOMPARE(Specs::changeVersion(v), QString());

        for (const char* book : {"r_mast", "tax_mast", "jo_mast"}) {
            const QString b = QLatin1String(book);
            QCOMPARE(Sql::scalar("select standard from " + b + " where remi_code = '0007'").toString(),
                     QString("25-240-18"));
            QCOMPARE(Sql::scalar("select standard from " + b + " where remi_code = '0008'").toString(),
                     QString("25-240-15"));
        }
        // The purchase book is not a copy of the spec name.
        QCOMPARE(Sql::scalar("select standard from in_mast where remi_code = '0007'").toString(), QString("25-210-15"));
        const Rows o = Sql::select("select v_rule, kind from r_suju where remi_code = '0007'");
        QCOMPARE(o.text(0, "v_rule"), QString("25-240-18"));
        QCOMPARE(o.text(0, "kind"), QString("고강도"));
        QCOMPARE(Sql::scalar("select v_rule from r_suju where remi_code = '0008'").toString(), QString("25-240-15"));
        QCOMPARE(count("select count(*) from r_hyun_order where standard = '25-210-15'"), 1);
        QCOMPARE(count("select count(*) from r_hyun_order where standard = '25-240-18'"), 0);
        // Only the changed version is rewritten, and it stays current.
        QCOMPARE(count("select count(*) from r_size where standard = '25-240-18'"), 1);
        QCOMPARE(currentDate("0007"), QString("2024-03-01"));
        verifyOneCurrentEach();
    }

    void changingASupersededVersionKeepsItSuperseded()
    {
        TestDb db;
        storeVersions("0007", {"2024-01-10", "2024-03-01"});
        Specs::Version v = version("0007", "2024-01-10");
        v.gubun = Specs::Current; // ignored: the mark is the operations' business
        QCOMPARE(Specs::changeVersion(v), QString());
        QCOMPARE(currentDate("0007"), QString("2024-03-01"));
        QCOMPARE(Specs::changeVersion(version("0007", "2024-02-02")), QString("수정할 자료가 없습니다."));
        verifyOneCurrentEach();
    }

    void deletingASpecTakesItsRows()
    {
        TestDb db;
        storeVersions("0007", {"2024-01-10", "2024-03-01"});
        storeVersions("0008", {"2024-01-01"}, "25-240-15");
        storeBooksAndOrders();
        QCOMPARE(Specs::deleteSpec("0007", "25-210-15"), QString());

        QCOMPARE(count("select count(*) from r_size where remi_code = '0007'"), 0);
        QCOMPARE(count("select count(*) from r_size where remi_code = '0008'"), 1);
        for (const char* book : {"r_mast", "tax_mast", "jo_mast"})
            QCOMPARE(count(QStringLiteral("select count(*) from %1").arg(QLatin1String(book))), 1);
        QCOMPARE(count("select count(*) from in_mast"), 2);
        QCOMPARE(count("select count(*) from r_hyun_order"), 2);
        QCOMPARE(count("select count(*) from r_hyun_order where standard = '25-210-15'"), 0);
        QCOMPARE(count("select count(*) from r_suju"), 2);
        QCOMPARE(count("select count(*) from r_suju where v_rule = '25-210-15'"), 0);
        // The haulage prices of the deleted order go with it.
        QCOMPARE(count("select count(*) from cont_carry"), 2);
        QCOMPARE(count("select count(*) from cont_carry where ilja = '2024-03-02' and seq = '01'"), 0);
        verifyOneCurrentEach();
    }

    void deletingASpecWithoutNameLeavesNamelessRows()
    {
        TestDb db;
        storeVersions("0009", {"2024-01-01"}, "");
        storeBooksAndOrders();
        QCOMPARE(Specs::deleteSpec("0009", ""), QString());
        QCOMPARE(count("select count(*) from r_size"), 0);
        QCOMPARE(count("select count(*) from r_suju"), 3);
        QCOMPARE(count("select count(*) from r_hyun_order"), 3);
    }

    void failureHalfWayLeavesEverything_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("event");
        QTest::addColumn<int>("operation");
        QTest::newRow("add later: superseding fails") << "r_size" << "update" << 0;
        QTest::newRow("rename: orders fail") << "r_suju" << "update" << 1;
        QTest::newRow("delete current: promotion fails") << "r_size" << "update" << 2;
        QTest::newRow("delete spec: orders fail") << "r_suju" << "delete" << 3;
        QTest::newRow("delete spec: contracts fail") << "r_hyun_order" << "delete" << 3;
    }
    void failureHalfWayLeavesEverything()
    {
        QFETCH(QString, table);
        QFETCH(QString, event);
        QFETCH(int, operation);
        TestDb db;
        storeVersions("0007", {"2024-01-10", "2024-03-01"});
        storeVersions("0008", {"2024-01-01"}, "25-240-15");
        storeBooksAndOrders();
        failOn(table, event);
        const QString before = snapshot();
        Specs::Version renamed;
        QVERIFY(Specs::read("0007", "2024-03-01", &renamed));
        renamed.standard = "25-300-15";
        try {
            switch (operation) {
            case 0: Specs::addVersion(version("0007", "2024-05-01")); break;
            case 1: Specs::changeVersion(renamed); break;
            case 2: Specs::deleteVersion("0007", "2024-03-01"); break;
            default: Specs::deleteSpec("0007", "25-210-15"); break;
            }
            QFAIL("the forced failure must reach the caller");
        } catch (const DbError& e) {
            QVERIFY(e.message().contains("forced failure"));
        }
        QCOMPARE(snapshot(), before);
        verifyOneCurrentEach();
    }
};

QTEST_MAIN(TestSpecs)
#include "tst_specs.moc"
