#include "receivables/YearClosing.h"
#include "receivables/Books.h"
#include "data/Progress.h"
#include "data/Session.h"
#include "data/Sql.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <stdexcept>

namespace {

const QString kIntegratedSite = QStringLiteral("000");

struct HolderClosing {
    QString grcd;
    QString code;
    long double opening = 0;
    long double m3 = 0, kum = 0, vatkum = 0, hap = 0;
    long double hyun = 0, au = 0, gi = 0, hal = 0, dea = 0, lee = 0;

    long double misu() const { return opening + hap - (hyun + au + hal + gi + dea); }
    bool empty() const
    {
        return misu() == 0 && hap == 0 && hyun == 0 && au == 0 && hal == 0 && gi == 0 && dea == 0 && lee == 0;
    }
};

QString holderKey(const QString& grcd, const QString& code) { return grcd + QChar(0) + code; }

// The year's figures of the given holders, with one grouped query per table.
// `grcd` (and `code`) narrow the queries when a single holder is closed.
void computeClosing(QList<HolderClosing>& holders, int year, const ReceivableBook& book, const QString& grcd,
                    const QString& code)
{
    QHash<QString, int> index;
    QHash<QString, int> integrated; // customer -> its site "000"
    for (int i = 0; i < holders.size(); ++i) {
        index.insert(holderKey(holders[i].grcd, holders[i].code), i);
        if (holders[i].code == kIntegratedSite)
            integrated.insert(holders[i].grcd, i);
    }
    QString customer, site;
    Sql::Binds customerBinds, siteBinds;
    if (!grcd.isEmpty()) {
        customer = QStringLiteral(" and grcd = ?");
        customerBinds << grcd;
        site = QStringLiteral(" and grcd = ? and code = ?");
        siteBinds << grcd << code;
    }
    auto holderAt = [&](const QSqlQuery& q) {
        return index.value(holderKey(Sql::textOf(q.value(0)), Sql::textOf(q.value(1))), -1);
    };

    // Openings: the year before's closing rows, or r_misu in the start year.
    if (year != StartYear()) {
        Sql::forEach(QStringLiteral("select grcd, code, misu from %1 where ilja = ?").arg(book.closing) + site,
                     Sql::Binds{ClosingKey(year - 1)} + siteBinds, [&](const QSqlQuery& q) {
                         if (const int i = holderAt(q); i >= 0)
                             holders[i].opening = q.value(2).toDouble();
                     });
    } else {
        QString last;
        Sql::forEach(QStringLiteral("select grcd, code, kum from r_misu where 1 = 1") + site
                         + QStringLiteral(" order by grcd, code, ilja"),
                     siteBinds, [&](const QSqlQuery& q) {
                         const QString key = holderKey(Sql::textOf(q.value(0)), Sql::textOf(q.value(1)));
                         if (key == last)
                             return; // the first balance by month counts
                         last = key;
                         if (const int i = index.value(key, -1); i >= 0)
                             holders[i].opening = q.value(2).toDouble();
                     });
    }

    // Sales: a site's own rows; a site "000" takes its customer's class-G rows.
    Sql::forEach(QStringLiteral("select grcd, code, misu, sum(m3), sum(kum), sum(vatkum), sum(hap) from %1"
                                " where yun = ?")
                         .arg(book.sales)
                     + customer + QStringLiteral(" group by grcd, code, misu")
                     + (grcd.isEmpty() ? YearPlan(book.sales) : SitePlan(book.sales, true)),
                 Sql::Binds{YearText(year)} + customerBinds, [&](const QSqlQuery& q) {
                     auto add = [&](HolderClosing& h) {
                         h.m3 += q.value(3).toDouble();
                         h.kum += q.value(4).toDouble();
                         h.vatkum += q.value(5).toDouble();
                         h.hap += q.value(6).toDouble();
                     };
                     const int own = holderAt(q);
                     if (own >= 0 && holders[own].code != kIntegratedSite)
                         add(holders[own]);
                     if (Sql::textOf(q.value(2)) == QLatin1String("G")) {
                         if (const int whole = integrated.value(Sql::textOf(q.value(0)), -1); whole >= 0)
                             add(holders[whole]);
                     }
                 });

    // Deposits by kind, on the holder's own code ("000" literally).
    Sql::forEach(QStringLiteral("select grcd, code, sum(hyun), sum(au), sum(gi), sum(hal), sum(dea), sum(lee)"
                                " from %1 where yun = ?")
                         .arg(book.deposits)
                     + site + QStringLiteral(" group by grcd, code")
                     + (grcd.isEmpty() ? YearPlan(book.deposits) : SitePlan(book.deposits, true)),
                 Sql::Binds{YearText(year)} + siteBinds, [&](const QSqlQuery& q) {
                     const int i = holderAt(q);
                     if (i < 0)
                         return;
                     HolderClosing& h = holders[i];
                     h.hyun = q.value(2).toDouble();
                     h.au = q.value(3).toDouble();
                     h.gi = q.value(4).toDouble();
                     h.hal = q.value(5).toDouble();
                     h.dea = q.value(6).toDouble();
                     h.lee = q.value(7).toDouble();
                 });
}

struct GaugeGuard {
    explicit GaugeGuard(int maximum) { Progress::current().start(0, maximum); }
    ~GaugeGuard() { Progress::current().finish(0); }
};

// Deletes what `deleteSql` selects and writes the holders' rows, in one transaction.
int writeClosing(const QList<HolderClosing>& holders, int year, const ReceivableBook& book, const QString& deleteSql,
                 const Sql::Binds& deleteBinds)
{
    GaugeGuard gauge(int(holders.size()));
    Transaction tx;
    Sql::exec(deleteSql, deleteBinds);
    Sql::Prepared insert(QStringLiteral("insert into %1 (saup, grcd, code, ilja, m3, kum, vatkum, hap, hyun, au, hal,"
                                        " gi, dea, lee, misu) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
                             .arg(book.closing));
    const QString key = ClosingKey(year);
    int written = 0;
    int position = 0;
    for (const HolderClosing& h : holders) {
        Progress::current().step(0, ++position);
        if (h.empty())
            continue;
        insert.exec({session().SessionSaup, h.grcd, h.code, key, double(h.m3), double(h.kum), double(h.vatkum),
                     double(h.hap), double(h.hyun), double(h.au), double(h.hal), double(h.gi), double(h.dea),
                     double(h.lee), double(h.misu())});
        ++written;
    }
    tx.commit();
    return written;
}

void checkYear(int year)
{
    if (year < 1 || year > 9999)
        throw std::invalid_argument(("not a closing year: " + QString::number(year)).toStdString());
}

} // namespace

std::optional<int> ClosingYear(const QString& text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,4}$"));
    const QString t = text.trimmed();
    if (!digits.match(t).hasMatch())
        return std::nullopt;
    const int y = t.toInt();
    if (y < 1)
        return std::nullopt;
    return y;
}

bool YearClosed(int year, int book)
{
    return Sql::exists(QStringLiteral("select 1 from %1 where ilja = ?").arg(ReceivableBook::of(book).closing),
                       {ClosingKey(year)});
}

bool SiteYearClosed(int year, const QString& grcd, const QString& code, int book)
{
    return Sql::exists(QStringLiteral("select 1 from %1 where grcd = ? and code = ? and ilja starting with ?")
                           .arg(ReceivableBook::of(book).closing),
                       {grcd, code, YearText(year)});
}

int YearClosing(int year, int book)
{
    checkYear(year);
    const ReceivableBook b = ReceivableBook::of(book);
    QList<HolderClosing> holders;
    Sql::forEach(QStringLiteral("select grcd, code from r_hyunjang where misu <> 'G' order by grcd, code"), {},
                 [&](const QSqlQuery& q) {
                     HolderClosing h;
                     h.grcd = Sql::textOf(q.value(0));
                     h.code = Sql::textOf(q.value(1));
                     holders << h;
                 });
    computeClosing(holders, year, b, {}, {});
    return writeClosing(holders, year, b, QStringLiteral("delete from %1 where ilja starting with ?").arg(b.closing),
                        {YearText(year)});
}

int YearClosingOfSite(int year, const QString& grcd, const QString& code, int book)
{
    checkYear(year);
    const ReceivableBook b = ReceivableBook::of(book);
    HolderClosing h;
    h.grcd = grcd;
    h.code = code;
    QList<HolderClosing> holders{h};
    computeClosing(holders, year, b, grcd, code);
    return writeClosing(holders, year, b,
                        QStringLiteral("delete from %1 where grcd = ? and code = ? and ilja starting with ?")
                            .arg(b.closing),
                        {grcd, code, YearText(year)});
}

Rows ClosingRows(int year, const QString& grcd, const QString& code, int book)
{
    return Sql::select(QStringLiteral("select * from %1 where grcd = ? and code = ? and ilja starting with ?"
                                      " order by ilja")
                           .arg(ReceivableBook::of(book).closing),
                       {grcd, code, YearText(year)});
}
