#include "masters/OpeningBalances.h"
#include "data/Session.h"

#include <QLocale>
#include <QRegularExpression>

namespace OpeningBalances {

namespace {

bool hasBalance(const Balance& b)
{
    return Sql::exists(QStringLiteral("select 1 from r_misu where grcd = ? and code = ? and ilja = ?"),
                       {b.grcd, b.code, b.month});
}

void followStartMonth()
{
    session().StartMonth = Sql::scalar(QStringLiteral("select min(ilja) from r_misu")).toString();
}

} // namespace

Rows list()
{
    return Sql::select(QStringLiteral("select m.grcd, c.name, m.code, h.name as name_1, m.ilja, m.kum from r_misu m"
                                      " join customer c on c.grcd = m.grcd"
                                      " join r_hyunjang h on h.grcd = m.grcd and h.code = m.code"
                                      " order by m.grcd, m.code, m.ilja"));
}

bool isMonth(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^\\d{4}-(0[1-9]|1[0-2])$"));
    return re.match(text).hasMatch();
}

bool parseAmount(const QString& text, double* value)
{
    QString t = text;
    t.remove(QLatin1Char(',')).remove(QLatin1Char(' '));
    static const QRegularExpression whole(QStringLiteral("^-?\\d{1,15}$"));
    if (!whole.match(t).hasMatch())
        return false;
    *value = QLocale::c().toDouble(t);
    return true;
}

QString message(SaveResult r)
{
    switch (r) {
    case SaveResult::Incomplete: return MsgIncomplete;
    case SaveResult::BadMonth: return MsgBadMonth;
    case SaveResult::BadAmount: return MsgBadAmount;
    case SaveResult::NoHolder: return MsgNoHolder;
    case SaveResult::Saved:
    case SaveResult::Cancelled: break;
    }
    return {};
}

SaveResult save(const Balance& b, const std::function<bool()>& confirmOverwrite)
{
    if (b.grcd.isEmpty() || b.code.isEmpty() || b.month.isEmpty() || b.amount.trimmed().isEmpty())
        return SaveResult::Incomplete;
    if (!isMonth(b.month))
        return SaveResult::BadMonth;
    double amount = 0;
    if (!parseAmount(b.amount, &amount))
        return SaveResult::BadAmount;
    if (!Sql::exists(QStringLiteral("select 1 from r_hyunjang where grcd = ? and code = ? and misu in ('H', 'T')"),
                     {b.grcd, b.code}))
        return SaveResult::NoHolder;

    for (;;) {
        const bool found = hasBalance(b);
        if (found && !confirmOverwrite())
            return SaveResult::Cancelled;
        Transaction tx;
        // Another station stored or deleted this month meanwhile: decide again.
        if (hasBalance(b) != found)
            continue;
        if (found)
            Sql::exec(QStringLiteral("update r_misu set kum = ? where grcd = ? and code = ? and ilja = ?"),
                      {amount, b.grcd, b.code, b.month});
        else
            Sql::exec(QStringLiteral("insert into r_misu (saup, grcd, code, ilja, kum) values (?, ?, ?, ?, ?)"),
                      {session().SessionSaup, b.grcd, b.code, b.month, amount});
        tx.commit();
        break;
    }
    followStartMonth();
    return SaveResult::Saved;
}

bool remove(const QString& grcd, const QString& code, const QString& month)
{
    const int n = Sql::exec(QStringLiteral("delete from r_misu where grcd = ? and code = ? and ilja = ?"),
                            {grcd, code, month});
    followStartMonth();
    return n > 0;
}

} // namespace OpeningBalances
