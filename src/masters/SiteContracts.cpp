#include "masters/SiteContracts.h"
#include "data/Session.h"

#include <QDate>

namespace SiteContracts {

namespace {

const QString kDayFormat = QStringLiteral("yyyy-MM-dd");

Line lineOf(const Rows& r, int i)
{
    Line l;
    l.standard = r.text(i, "standard");
    l.kind = r.text(i, "kind");
    l.orderNum = r.text(i, "order_num");
    l.demand1 = r.text(i, "demand1");
    l.demand2 = r.text(i, "demand2");
    l.amount = r.number(i, "amount");
    l.cost = r.number(i, "cost");
    l.delivery = r.text(i, "delivery");
    l.memo = r.text(i, "memo");
    return l;
}

Result checkRow(const Line& row)
{
    if (row.standard.trimmed().isEmpty() || row.demand1.isEmpty())
        return Result::Incomplete;
    if (!isDay(row.demand1) || (!row.delivery.isEmpty() && !isDay(row.delivery)))
        return Result::BadDate;
    return Result::Saved;
}

} // namespace

bool isDay(const QString& text)
{
    return text.size() == 10 && QDate::fromString(text, kDayFormat).isValid();
}

QString dayBefore(const QString& day)
{
    const QDate d = QDate::fromString(day, kDayFormat);
    return d.isValid() && day.size() == 10 ? d.addDays(-1).toString(kDayFormat) : QString();
}

double shipped(const QString& grcd, const QString& code, const QString& standard, const QString& from,
               const QString& to)
{
    QString sql = QStringLiteral("select sum(m3) from r_mast where grcd = ? and code = ? and standard = ? and ilja <= ?");
    Sql::Binds binds{grcd, code, standard, to};
    if (!from.isEmpty()) {
        sql += QStringLiteral(" and ilja >= ?");
        binds << from;
    }
    return Sql::scalar(sql, binds).toDouble();
}

std::optional<double> publicPrice(const QString& standard, const QString& day)
{
    const Rows r = Sql::select(QStringLiteral("select first 1 kwan_danga from r_size where standard = ? and ilja <= ?"
                                              " and rul_ks = 'KS' order by ilja desc, remi_code"),
                               {standard, day});
    if (r.isEmpty())
        return std::nullopt;
    return r.number(0, "kwan_danga");
}

QList<Line> contractRows(const QString& grcd, const QString& code, const QString& standard)
{
    const Rows r = Sql::select(QStringLiteral("select * from r_hyun_order where grcd = ? and code = ? and standard = ?"
                                              " order by demand1"),
                               {grcd, code, standard});
    QList<Line> rows;
    for (int i = 0; i < r.size(); ++i) {
        Line l = lineOf(r, i);
        // The first row counts what was shipped before the contract began too.
        l.chul = shipped(grcd, code, standard, i == 0 ? QString() : l.demand1, l.demand2);
        rows << l;
    }
    return rows;
}

void computeSeries(QList<Line>& rows)
{
    long double carried = 0;
    for (int i = 0; i < rows.size(); ++i) {
        Line& l = rows[i];
        long double hap = (long double)l.amount * l.cost;
        if (i > 0 && l.cost != rows.at(i - 1).cost)
            hap += ((long double)l.cost - rows.at(i - 1).cost) * carried;
        l.hap = double(hap);
        l.chulkum = double((long double)l.chul * l.cost);
        carried = carried + l.amount - l.chul;
        l.michul = double(carried);
    }
}

QList<Line> detail(const QString& grcd, const QString& code, const QString& standard)
{
    QList<Line> rows = contractRows(grcd, code, standard);
    computeSeries(rows);
    return rows;
}

Line summarize(const QList<Line>& rows)
{
    Line s;
    if (rows.isEmpty())
        return s;
    const Line& first = rows.first();
    const Line& last = rows.last();
    s.standard = first.standard;
    for (const Line& l : rows)
        if (s.kind.isEmpty())
            s.kind = l.kind;
    s.demand1 = first.demand1;
    s.demand2 = OpenEnd;
    s.orderNum = last.orderNum;
    s.cost = last.cost;
    s.delivery = last.delivery;
    long double amount = 0, chul = 0, chulkum = 0, hap = 0;
    for (const Line& l : rows) {
        amount += l.amount;
        chul += l.chul;
        chulkum += l.chulkum;
        hap += l.hap;
    }
    s.amount = double(amount);
    s.chul = double(chul);
    s.chulkum = double(chulkum);
    s.hap = double(hap);
    s.michul = double(amount - chul);
    return s;
}

QList<Line> summary(const QString& grcd, const QString& code)
{
    QList<Line> out;
    const Rows specs = Sql::select(QStringLiteral("select distinct standard from r_hyun_order where grcd = ? and code = ?"
                                                  " order by standard"),
                                   {grcd, code});
    for (int i = 0; i < specs.size(); ++i)
        out << summarize(detail(grcd, code, specs.text(i, "standard")));

    const Rows loose = Sql::select(
        QStringLiteral("select standard, kind, sum(m3) as chul, sum(hap) as chulkum from r_mast"
                       " where grcd = ? and code = ? and standard not in"
                       " (select o.standard from r_hyun_order o where o.grcd = ? and o.code = ?)"
                       " group by standard, kind order by standard, kind"),
        {grcd, code, grcd, code});
    for (int i = 0; i < loose.size(); ++i) {
        Line l;
        l.contracted = false;
        l.standard = loose.text(i, "standard");
        l.kind = loose.text(i, "kind");
        l.chul = loose.number(i, "chul");
        l.chulkum = loose.number(i, "chulkum");
        out << l;
    }
    return out;
}

Result addRow(const QString& grcd, const QString& code, const Line& row)
{
    if (const Result r = checkRow(row); r != Result::Saved)
        return r;
    Transaction tx;
    const Sql::Binds spec{grcd, code, row.standard};
    if (Sql::exists(QStringLiteral("select 1 from r_hyun_order where grcd = ? and code = ? and standard = ?"
                                   " and demand1 = ?"),
                    spec + Sql::Binds{row.demand1}))
        return Result::RowExists;
    // The row in force on the new date ends the day before it.
    const QString previous = Sql::scalar(QStringLiteral("select max(demand1) from r_hyun_order where grcd = ?"
                                                        " and code = ? and standard = ? and demand1 < ?"),
                                         spec + Sql::Binds{row.demand1})
                                 .toString();
    if (!previous.isEmpty())
        Sql::exec(QStringLiteral("update r_hyun_order set demand2 = ? where grcd = ? and code = ? and standard = ?"
                                 " and demand1 = ?"),
                  Sql::Binds{dayBefore(row.demand1)} + spec + Sql::Binds{previous});
    const QString next = Sql::scalar(QStringLiteral("select min(demand1) from r_hyun_order where grcd = ? and code = ?"
                                                    " and standard = ? and demand1 > ?"),
                                     spec + Sql::Binds{row.demand1})
                             .toString();
    Sql::exec(QStringLiteral("insert into r_hyun_order (saup, demand1, demand2, grcd, code, standard, kind, order_num,"
                             " amount, cost, delivery, memo) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
              {session().SessionSaup, row.demand1, next.isEmpty() ? OpenEnd : dayBefore(next), grcd, code,
               row.standard, row.kind, row.orderNum, row.amount, row.cost, row.delivery, row.memo});
    tx.commit();
    return Result::Saved;
}

Result changeRow(const QString& grcd, const QString& code, const Line& row)
{
    if (const Result r = checkRow(row); r != Result::Saved)
        return r;
    Transaction tx;
    const int n = Sql::exec(QStringLiteral("update r_hyun_order set amount = ?, cost = ?, delivery = ?, memo = ?,"
                                           " order_num = ? where grcd = ? and code = ? and standard = ? and demand1 = ?"),
                            {row.amount, row.cost, row.delivery, row.memo, row.orderNum, grcd, code, row.standard,
                             row.demand1});
    if (n == 0)
        throw DbError(QStringLiteral("계약 자료(%1, %2)가 없습니다. 다른 곳에서 삭제되었습니다.")
                          .arg(row.standard, row.demand1));
    tx.commit();
    return Result::Saved;
}

int deleteRow(const QString& grcd, const QString& code, const QString& standard, const QString& demand1)
{
    Transaction tx;
    const Sql::Binds spec{grcd, code, standard};
    const Rows gone = Sql::select(QStringLiteral("select demand2 from r_hyun_order where grcd = ? and code = ?"
                                                 " and standard = ? and demand1 = ?"),
                                  spec + Sql::Binds{demand1});
    if (!gone.isEmpty()) {
        Sql::exec(QStringLiteral("delete from r_hyun_order where grcd = ? and code = ? and standard = ? and demand1 = ?"),
                  spec + Sql::Binds{demand1});
        const QString previous = Sql::scalar(QStringLiteral("select max(demand1) from r_hyun_order where grcd = ?"
                                                            " and code = ? and standard = ? and demand1 < ?"),
                                             spec + Sql::Binds{demand1})
                                     .toString();
        if (!previous.isEmpty())
            Sql::exec(QStringLiteral("update r_hyun_order set demand2 = ? where grcd = ? and code = ? and standard = ?"
                                     " and demand1 = ?"),
                      Sql::Binds{gone.text(0, "demand2")} + spec + Sql::Binds{previous});
    }
    const int left = Sql::scalar(QStringLiteral("select count(*) from r_hyun_order where grcd = ? and code = ?"
                                                " and standard = ?"),
                                 spec)
                         .toInt();
    tx.commit();
    return left;
}

void deleteSpec(const QString& grcd, const QString& code, const QString& standard)
{
    Sql::exec(QStringLiteral("delete from r_hyun_order where grcd = ? and code = ? and standard = ?"),
              {grcd, code, standard});
}

} // namespace SiteContracts
