#include "receivables/Balance.h"
#include "receivables/Books.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "data/Sql.h"

#include <QHash>
#include <stdexcept>

namespace {

const QString kIntegratedSite = QStringLiteral("000");

int cutoffYear(const QString& cutoff)
{
    bool ok = false;
    const int y = cutoff.left(4).toInt(&ok);
    if (!ok || cutoff.size() < 4)
        throw std::invalid_argument(("not a date, month or year: " + cutoff).toStdString());
    return y;
}

// The condition a movement of the cut-off year must meet, with one '?'.
QString cutoffCondition(Cutoff kind)
{
    switch (kind) {
    case Cutoff::BeforeDay: return QStringLiteral("ilja < ?");
    case Cutoff::AtDay: return QStringLiteral("ilja <= ?");
    case Cutoff::BeforeMonth: return QStringLiteral("ul < ?");
    case Cutoff::AtMonth: return QStringLiteral("ul <= ?");
    }
    return {};
}

// Where the opening of a cut-off comes from.
enum class Opening { None, Closing, InitialBalance };

Opening openingOf(const QString& cutoff, int year)
{
    const int start = StartYear();
    if (year > start)
        return Opening::Closing;
    if (year < start || cutoff.left(7) < session().StartMonth)
        return Opening::None;
    return Opening::InitialBalance;
}

long double depositsOf(const Rows& r, int row)
{
    return (long double)r.number(row, "shyun") + r.number(row, "sau") + r.number(row, "sgi") + r.number(row, "shal")
           + r.number(row, "sdea");
}

const char* const kDepositSums =
    "sum(hyun) as shyun, sum(au) as sau, sum(gi) as sgi, sum(hal) as shal, sum(dea) as sdea";

QString holderKey(const QString& grcd, const QString& code) { return grcd + QChar(0) + code; }

} // namespace

double HolderBalance(const QString& grcd, const QString& code, Cutoff kind, const QString& cutoff, int book)
{
    const int year = cutoffYear(cutoff);
    const Opening from = openingOf(cutoff, year);
    if (from == Opening::None)
        return 0;
    const ReceivableBook t = ReceivableBook::of(book);

    long double opening = 0;
    if (from == Opening::Closing)
        opening = Sql::select(QStringLiteral("select misu from %1 where grcd = ? and code = ? and ilja = ?").arg(t.closing),
                              {grcd, code, ClosingKey(year - 1)})
                      .number(0, "misu");
    else
        opening = Sql::select(QStringLiteral("select kum from r_misu where grcd = ? and code = ? order by ilja"),
                              {grcd, code})
                      .number(0, "kum");

    const QString yun = YearText(year);
    const QString cond = cutoffCondition(kind);
    // Site "000" collects the sales of the customer's class-G sites.
    const bool integrated = code == kIntegratedSite;
    const QString salesSql =
        QStringLiteral("select sum(hap) as shap from %1 where grcd = ? and %2 and ilja starting with ? and yun = ? and %3")
            .arg(t.sales, integrated ? QStringLiteral("misu = 'G'") : QStringLiteral("code = ?"), cond)
        + SitePlan(t.sales);
    const Sql::Binds salesBinds = integrated ? Sql::Binds{grcd, yun, yun, cutoff} : Sql::Binds{grcd, code, yun, yun, cutoff};
    const long double sales = Sql::select(salesSql, salesBinds).number(0, "shap");

    const Rows dep = Sql::select(
        QStringLiteral("select %1 from %2 where grcd = ? and code = ? and ilja starting with ? and yun = ? and %3")
                .arg(QLatin1String(kDepositSums), t.deposits, cond)
            + SitePlan(t.deposits),
        {grcd, code, yun, yun, cutoff});

    return double(Round(opening + sales - depositsOf(dep, 0)));
}

double BalanceBeforeDay(const QString& grcd, const QString& code, const QString& day, int book)
{
    return HolderBalance(grcd, code, Cutoff::BeforeDay, day, book);
}

double BalanceAtDay(const QString& grcd, const QString& code, const QString& day, int book)
{
    return HolderBalance(grcd, code, Cutoff::AtDay, day, book);
}

double BalanceBeforeMonth(const QString& grcd, const QString& code, const QString& month, int book)
{
    return HolderBalance(grcd, code, Cutoff::BeforeMonth, month, book);
}

double BalanceAtMonth(const QString& grcd, const QString& code, const QString& month, int book)
{
    return HolderBalance(grcd, code, Cutoff::AtMonth, month, book);
}

double CarriedBalance(const QString& grcd, const QString& code, const QString& year, int book)
{
    const int y = cutoffYear(year);
    if (y <= StartYear())
        return 0;
    const ReceivableBook t = ReceivableBook::of(book);
    const Rows r = Sql::select(QStringLiteral("select misu from %1 where grcd = ? and code = ? and ilja = ?").arg(t.closing),
                               {grcd, code, ClosingKey(y - 1)});
    return double(Round(r.number(0, "misu")));
}

QList<HolderBalanceRow> HolderBalances(Cutoff kind, const QString& cutoff, int book, const HolderFilter& filter)
{
    const int year = cutoffYear(cutoff);
    const Opening from = openingOf(cutoff, year);
    const ReceivableBook t = ReceivableBook::of(book);

    // The customer range, appended to every query.
    QString range;
    Sql::Binds rangeBinds;
    if (!filter.fromGrcd.isEmpty()) {
        range += QStringLiteral(" and grcd >= ?");
        rangeBinds << filter.fromGrcd;
    }
    if (!filter.toGrcd.isEmpty()) {
        range += QStringLiteral(" and grcd <= ?");
        rangeBinds << filter.toGrcd;
    }

    QList<HolderBalanceRow> out;
    QHash<QString, int> index; // holder -> row of out
    // Customers with a site "000" (they collect their class-G sales there).
    QHash<QString, int> integrated;
    Sql::forEach(QStringLiteral("select grcd, grcd_name, code, name, kawn_sa from r_hyunjang where misu <> 'G'")
                     + range + LevelCondition(filter.level) + QStringLiteral(" order by grcd, code"),
                 rangeBinds, [&](const QSqlQuery& q) {
                     HolderBalanceRow row;
                     row.grcd = Sql::textOf(q.value(0));
                     row.grcdName = Sql::textOf(q.value(1));
                     row.code = Sql::textOf(q.value(2));
                     row.codeName = Sql::textOf(q.value(3));
                     row.kawnSa = Sql::textOf(q.value(4));
                     index.insert(holderKey(row.grcd, row.code), int(out.size()));
                     if (row.code == kIntegratedSite)
                         integrated.insert(row.grcd, int(out.size()));
                     out << row;
                 });
    if (from == Opening::None || out.isEmpty())
        return out;

    QList<long double> sum(out.size(), 0.0L);

    // Openings.
    if (from == Opening::Closing) {
        Sql::forEach(QStringLiteral("select grcd, code, misu from %1 where ilja = ?").arg(t.closing) + range,
                     Sql::Binds{ClosingKey(year - 1)} + rangeBinds, [&](const QSqlQuery& q) {
                         const int i = index.value(holderKey(Sql::textOf(q.value(0)), Sql::textOf(q.value(1))), -1);
                         if (i >= 0)
                             sum[i] = q.value(2).toDouble();
                     });
    } else {
        // The holder's first opening balance by month, as the single-holder routine reads it.
        QString last;
        Sql::forEach(QStringLiteral("select grcd, code, kum from r_misu where 1 = 1") + range
                         + QStringLiteral(" order by grcd, code, ilja"),
                     rangeBinds, [&](const QSqlQuery& q) {
                         const QString key = holderKey(Sql::textOf(q.value(0)), Sql::textOf(q.value(1)));
                         if (key == last)
                             return;
                         last = key;
                         const int i = index.value(key, -1);
                         if (i >= 0)
                             sum[i] = q.value(2).toDouble();
                     });
    }

    const QString yun = YearText(year);
    const QString cond = cutoffCondition(kind);
    const Sql::Binds binds = Sql::Binds{yun, cutoff} + rangeBinds;

    // Sales: a site's own rows, and for a site "000" its customer's rows on class-G sites.
    Sql::forEach(QStringLiteral("select grcd, code, misu, sum(hap) from %1 where yun = ? and %2").arg(t.sales, cond)
                     + range + QStringLiteral(" group by grcd, code, misu") + YearPlan(t.sales),
                 binds, [&](const QSqlQuery& q) {
                     const QString grcd = Sql::textOf(q.value(0));
                     const long double hap = q.value(3).toDouble();
                     const int own = index.value(holderKey(grcd, Sql::textOf(q.value(1))), -1);
                     if (own >= 0 && Sql::textOf(q.value(1)) != kIntegratedSite)
                         sum[own] += hap;
                     if (Sql::textOf(q.value(2)) == QLatin1String("G")) {
                         const int whole = integrated.value(grcd, -1);
                         if (whole >= 0)
                             sum[whole] += hap;
                     }
                 });

    // Deposits, matched on the holder's own code ("000" literally).
    Sql::forEach(QStringLiteral("select grcd, code, %1 from %2 where yun = ? and %3")
                         .arg(QLatin1String(kDepositSums), t.deposits, cond)
                     + range + QStringLiteral(" group by grcd, code") + YearPlan(t.deposits),
                 binds, [&](const QSqlQuery& q) {
                     const int i = index.value(holderKey(Sql::textOf(q.value(0)), Sql::textOf(q.value(1))), -1);
                     if (i < 0)
                         return;
                     long double d = 0;
                     for (int c = 2; c <= 6; ++c)
                         d += q.value(c).toDouble();
                     sum[i] -= d;
                 });

    for (int i = 0; i < out.size(); ++i)
        out[i].balance = double(Round(sum[i]));
    return out;
}
