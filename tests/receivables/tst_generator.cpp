#include "books/AmountRule.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "receivables/Balance.h"
#include "receivables/OfficeGenerator.h"
#include "receivables/YearClosing.h"
#include "support/TestDb.h"

#include <QTest>

namespace {

GenerateOptions smallOptions()
{
    GenerateOptions o;
    o.years = 2;
    o.lastYear = 2024;
    o.customers = 6;
    o.sites = 18;
    o.seed = 7;
    return o;
}

// A fingerprint of the books: row counts and sums.
QString fingerprint()
{
    QStringList f;
    for (const char* q : {"select count(*), sum(hap), sum(m3) from r_mast", "select count(*), sum(gi + au + hyun) from r_ipkum",
                          "select count(*), sum(o_outorder) from cholha", "select count(*), sum(kum) from r_misu",
                          "select count(*), sum(misu) from makam", "select count(*) from r_hyunjang"}) {
        const Rows r = Sql::select(q);
        for (int c = 0; c < r.columns.size(); ++c)
            f << r.data.at(0).at(c).toString();
    }
    return f.join(' ');
}

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT
private slots:
    void dayNumbers()
    {
        QCOMPARE(GeneratedDayNumber(1), QString("01"));
        QCOMPARE(GeneratedDayNumber(99), QString("99"));
        QCOMPARE(GeneratedDayNumber(100), QString("A0"));
        QCOMPARE(GeneratedDayNumber(135), QString("AZ"));
        QCOMPARE(GeneratedDayNumber(136), QString("B0"));
        QCOMPARE(GeneratedDayNumber(1035), QString("ZZ"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GeneratedDayNumber(1036));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, GeneratedDayNumber(0));
    }

    void generatedOfficeKeepsTheRules()
    {
        TestDb db;
        const GenerateSummary s = GenerateOffice(smallOptions());
        QVERIFY(s.sales > 1000 && s.deposits > 50 && s.loads >= s.sales);
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toLongLong(), s.sales);
        QVERIFY(s.holders > 0 && s.holders < s.sites);
        // Only the first year is closed; StartMonth is the first month.
        QVERIFY(YearClosed(2023) && !YearClosed(2024));
        QCOMPARE(session().StartMonth, QString("2023-01"));
        // A second run on the same database is refused.
        QVERIFY_THROWS_EXCEPTION(DbError, GenerateOffice(smallOptions()));

        // Every sales row is priced by the closing's amount rule and matches its order and loads.
        Sql::forEach("select m.m3, m.danga, m.vat, m.kum, m.vatkum, m.hap, s.v_outorder,"
                     " (select sum(o_outorder) from cholha c where c.o_fdate = m.ilja and c.o_scode = m.seq)"
                     " from r_mast m join r_suju s on s.ilja = m.ilja and s.seq = m.seq",
                     {}, [](const QSqlQuery& q) {
                         const auto a = AmountRule::closingAmounts(q.value(0).toDouble(), q.value(1).toDouble(),
                                                                   q.value(2).toString());
                         QVERIFY(a.has_value());
                         QCOMPARE(q.value(3).toDouble(), a->kum);
                         QCOMPARE(q.value(4).toDouble(), a->vatkum);
                         QCOMPARE(q.value(5).toDouble(), a->hap);
                         QCOMPARE(q.value(6).toDouble(), q.value(0).toDouble());
                         QCOMPARE(q.value(7).toDouble(), q.value(0).toDouble());
                     });
        // Integrated customers book sales on class-G sites, deposits on 000.
        QCOMPARE(Sql::scalar("select count(*) from r_ipkum i join r_hyunjang h on h.grcd = i.grcd and h.code = i.code"
                             " where h.misu = 'G'").toInt(), 0);

        // The set-based balances equal the single-holder routine everywhere.
        const QList<std::pair<Cutoff, QString>> cutoffs = {
            {Cutoff::AtDay, "2023-01-01"}, {Cutoff::BeforeDay, "2023-07-15"}, {Cutoff::AtMonth, "2023-12"},
            {Cutoff::BeforeDay, "2024-01-01"}, {Cutoff::AtDay, "2024-06-30"}, {Cutoff::BeforeMonth, "2024-11"},
        };
        for (const auto& [kind, cutoff] : cutoffs)
            for (const HolderBalanceRow& r : HolderBalances(kind, cutoff))
                QVERIFY2(r.balance == HolderBalance(r.grcd, r.code, kind, cutoff),
                         qPrintable(r.grcd + r.code + " " + cutoff));
        // The closing of 2023 is what the balance of 2024-01-01 starts from.
        for (const HolderBalanceRow& r : HolderBalances(Cutoff::BeforeDay, "2024-01-01"))
            QCOMPARE(r.balance, HolderBalance(r.grcd, r.code, Cutoff::AtDay, "2023-12-31"));
    }

    void sameOptionsSameOffice()
    {
        QString first;
        {
            TestDb db;
            GenerateOptions o = smallOptions();
            o.years = 1;
            GenerateOffice(o);
            first = fingerprint();
        }
        TestDb db;
        GenerateOptions o = smallOptions();
        o.years = 1;
        GenerateOffice(o);
        QCOMPARE(fingerprint(), first);
        o.seed = 8;
        TestDb other;
        GenerateOffice(o);
        QVERIFY(fingerprint() != first);
    }
};

QTEST_GUILESS_MAIN(TestGenerator)
#include "tst_generator.moc"
