#include "books/DepositBook.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "data/Sql.h"

namespace {

const char* const kTables[DepositBook::BookCount] = {"r_ipkum", "tax_ipkum"};

// The 24 columns a stored deposit is written with, in this order.
const QString kInsertColumns = QStringLiteral(
    "saup, ilja, ul, yun, grcd, grcd_name, code, code_name, jun, hyun, au, gi, hal, dea, lee,"
    " card_num, bank, last_date, memo, kawn_sa, misu, man_code, man_name, hap_kum");
const QString kInsertMarks = QStringLiteral("?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?");

DepositRow rowFrom(const Rows& r, int i, bool withHistory)
{
    DepositRow d;
    d.ilja = r.text(i, "ilja");
    d.jun = r.text(i, "jun");
    d.grcd = r.text(i, "grcd");
    d.grcd_name = r.text(i, "grcd_name");
    d.code = r.text(i, "code");
    d.code_name = r.text(i, "code_name");
    d.amounts = {r.number(i, "hyun"), r.number(i, "au"), r.number(i, "gi"),
                 r.number(i, "hal"),  r.number(i, "dea"), r.number(i, "lee")};
    d.card_num = r.text(i, "card_num");
    d.bank = r.text(i, "bank");
    d.last_date = r.text(i, "last_date");
    d.memo = r.text(i, "memo");
    d.man_code = r.text(i, "man_code");
    d.man = r.text(i, "man_name");
    if (withHistory) {
        d.status = r.text(i, "status");
        d.why = r.text(i, "why");
    }
    return d;
}

// Values of the 24 insert columns with the amounts given.
Sql::Binds insertValues(const DepositRow& row, const DepositAmounts& a, const DepositSite& site)
{
    return {session().SessionSaup, row.ilja, row.ilja.left(7), row.ilja.left(4),
            row.grcd, row.grcd_name, row.code, row.code_name, row.jun,
            a.hyun, a.au, a.gi, a.hal, a.dea, a.lee,
            row.card_num, row.bank, row.last_date, row.memo,
            site.kawn_sa, site.misu, row.man_code, row.man, a.hapKum()};
}

QList<DepositRow> dayRows(const Rows& r, bool withHistory, bool mergeNumbers)
{
    QList<DepositRow> rows;
    for (int i = 0; i < r.size(); ++i) {
        DepositRow d = rowFrom(r, i, withHistory);
        if (mergeNumbers && !rows.isEmpty() && rows.last().jun == d.jun)
            rows.last() = d;
        else
            rows << d;
    }
    return rows;
}

} // namespace

QString DepositBook::tableName(int bookMode)
{
    if (bookMode < 0 || bookMode >= BookCount)
        throw DbError(QStringLiteral("알 수 없는 입금 장부입니다: %1").arg(bookMode));
    return QLatin1String(kTables[bookMode]);
}

DepositBook::DepositBook(int bookMode) : mode_(bookMode), table_(tableName(bookMode)) {}

QList<DepositRow> DepositBook::loadDay(const QString& ilja) const
{
    return dayRows(Sql::select(QStringLiteral("select * from %1 where ilja = ? order by ilja, jun").arg(table_), {ilja}),
                   false, true);
}

QList<DepositRow> DepositBook::loadHistory(const QString& ilja)
{
    return dayRows(Sql::select(QStringLiteral("select * from rd_ipkum where ilja = ? order by ilja, jun"), {ilja}),
                   true, false);
}

QString DepositBook::nextJun(const QString& ilja) const
{
    const Rows r = Sql::select(QStringLiteral("select jun from %1 where ilja = ?").arg(table_), {ilja});
    int last = 0;
    for (int i = 0; i < r.size(); ++i)
        last = qMax(last, r.text(i, "jun").trimmed().toInt());
    if (last >= 99)
        return {};
    return PadDigits(QString::number(last + 1), 2);
}

QString DepositBook::approvalState(const QString& ilja)
{
    const Rows r = Sql::select(QStringLiteral("select distinct okno from r_ipkum where ilja = ?"), {ilja});
    return r.text(0, "okno") == Approved ? Approved : Open;
}

void DepositBook::setApproval(const QString& ilja, const QString& okno)
{
    if (okno == Open)
        Sql::exec(QStringLiteral("update r_ipkum set okno = ? where ilja = ?"), {okno, ilja});
    else
        Sql::exec(QStringLiteral("update r_ipkum set okno = ? where ilja <= ?"), {okno, ilja});
}

DepositSite DepositBook::site(const QString& grcd, const QString& code)
{
    const Rows r = Sql::select(QStringLiteral("select name, man_code, man_name, kawn_sa, misu"
                                              " from r_hyunjang where grcd = ? and code = ?"),
                               {grcd, code});
    DepositSite s;
    if (r.isEmpty())
        return s;
    s.found = true;
    s.name = r.text(0, "name");
    s.man_code = r.text(0, "man_code");
    s.man_name = r.text(0, "man_name");
    s.kawn_sa = r.text(0, "kawn_sa");
    s.misu = r.text(0, "misu");
    return s;
}

std::optional<DepositRow> DepositBook::storedRow(const QString& ilja, const QString& jun) const
{
    const Rows r = Sql::select(QStringLiteral("select * from %1 where ilja = ? and jun = ?").arg(table_), {ilja, jun});
    if (r.isEmpty())
        return std::nullopt;
    return rowFrom(r, 0, false);
}

// The history row carries the row's texts with the remembered amounts and
// the site's class as stored now; then the stored row goes.
void DepositBook::archiveAndDelete(const DepositRow& row, const QString& status, const Change& change)
{
    Sql::Binds values = insertValues(row, change.remembered, site(row.grcd, row.code));
    values << status << change.why;
    Sql::exec(QStringLiteral("insert into rd_ipkum (%1, status, why) values (%2,?,?)").arg(kInsertColumns, kInsertMarks),
              values);
    Sql::exec(QStringLiteral("delete from %1 where ilja = ? and jun = ?").arg(table_), {row.ilja, row.jun});
}

void DepositBook::insert(const DepositRow& row, const DepositSite& site)
{
    Sql::exec(QStringLiteral("insert into %1 (%2) values (%3)").arg(table_, kInsertColumns, kInsertMarks),
              insertValues(row, row.amounts, site));
}

DepositResult DepositBook::save(const DepositRow& row, Entry entry, const Change& change, bool replaceExisting)
{
    if (row.ilja.isEmpty() || row.grcd.isEmpty() || row.code.isEmpty() || row.jun.isEmpty())
        return DepositResult::Incomplete;
    try {
        Transaction tx;
        if (dayApproved(row.ilja))
            return DepositResult::DayApproved;
        const DepositSite s = site(row.grcd, row.code);
        if (!s.takesDeposits())
            return DepositResult::NoReceivable;
        if (entry == Entry::Edit) {
            archiveAndDelete(row, QStringLiteral("E"), change);
        } else if (const std::optional<DepositRow> old = storedRow(row.ilja, row.jun)) {
            if (!replaceExisting)
                return DepositResult::RowExists;
            // The replaced row goes into the history as it was stored.
            archiveAndDelete(*old, QStringLiteral("E"), {change.why, old->amounts});
        }
        insert(row, s);
        tx.commit();
    } catch (const DbError&) {
        // Another station stored the same (ilja, jun) after our check: say so
        // rather than fail with the key violation.
        if (entry == Entry::New && !replaceExisting && storedRow(row.ilja, row.jun))
            return DepositResult::RowExists;
        throw;
    }
    return DepositResult::Saved;
}

DepositResult DepositBook::remove(const DepositRow& row, const Change& change)
{
    Transaction tx;
    if (dayApproved(row.ilja))
        return DepositResult::DayApproved;
    if (!storedRow(row.ilja, row.jun))
        return DepositResult::NotStored;
    archiveAndDelete(row, QStringLiteral("D"), change);
    tx.commit();
    return DepositResult::Saved;
}

DepositBook::Journal DepositBook::journal(const QString& ilja, const QString& level) const
{
    Journal j;
    const QString filter = LevelCondition(level);
    j.rows = Sql::select(QStringLiteral("select * from %1 where ilja = ?%2 order by kawn_sa, grcd_name, code, jun")
                             .arg(table_, filter),
                         {ilja});

    const auto sums = [&](const QString& classCondition, const QString& period, const QString& periodValue) {
        const Rows s = Sql::select(QStringLiteral("select sum(hyun) as shyun, sum(au) as sau, sum(gi) as sgi,"
                                                  " sum(hal) as shal, sum(dea) as sdea, sum(lee) as slee"
                                                  " from %1 where %2 and %3")
                                       .arg(table_, period, classCondition),
                                   periodValue.isNull() ? Sql::Binds{ilja} : Sql::Binds{ilja, periodValue});
        return DepositAmounts{s.number(0, "shyun"), s.number(0, "sau"), s.number(0, "sgi"),
                              s.number(0, "shal"),  s.number(0, "sdea"), s.number(0, "slee")};
    };
    const QString day = QStringLiteral("ilja = ?");
    const QString month = QStringLiteral("ilja <= ? and ul = ?");
    const QString year = QStringLiteral("ilja <= ? and yun = ?");
    if (level != LevelR) {
        const QString publicWorks = QStringLiteral("kawn_sa = 'K'");
        j.publicDay = sums(publicWorks, day, QString());
        j.publicMonth = sums(publicWorks, month, ilja.left(7));
        j.publicYear = sums(publicWorks, year, ilja.left(4));
    }
    const QString privateWorks = QStringLiteral("kawn_sa <> 'K'") + filter;
    j.privateDay = sums(privateWorks, day, QString());
    j.privateMonth = sums(privateWorks, month, ilja.left(7));
    j.privateYear = sums(privateWorks, year, ilja.left(4));
    return j;
}

QString DepositBook::message(DepositResult result)
{
    switch (result) {
    case DepositResult::Saved:
        return {};
    case DepositResult::Incomplete:
        return QStringLiteral("자료가 모두 입력되지 않았읍니다.");
    case DepositResult::DayApproved:
        return QStringLiteral("결재가 완료된 자료입니다. 사장님 결재요망");
    case DepositResult::RowExists:
        return QStringLiteral("자료가 이미 존재합니다.\n 갱신하시겠습니까?");
    case DepositResult::DayFull:
        return QStringLiteral("이 날짜에는 더 이상 번호를 줄 수 없습니다.");
    case DepositResult::NoReceivable:
        return QStringLiteral("미수를 관리하는 현장이 아닙니다.");
    case DepositResult::NotStored:
        return QStringLiteral("삭제할 자료가 없습니다.");
    }
    return {};
}
