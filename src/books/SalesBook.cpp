#include "books/SalesBook.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "data/Sql.h"

#include <cmath>

namespace {

const char* const kTables[SalesBook::BookCount] = {"r_mast", "tax_mast", "jo_mast", "in_mast"};

// The 24 columns a stored row is written with, in this order.
const QString kInsertColumns = QStringLiteral(
    "saup, ilja, ul, yun, grcd, grcd_name, code, code_name, seq, remi_code, kind, standard,"
    " m3, danga, vat, kum, vatkum, hap, man_code, man_name, misu, kawn_sa, yul, memo");

SalesRow rowFrom(const Rows& r, int i, bool withYul, bool withHistory)
{
    SalesRow s;
    s.ilja = r.text(i, "ilja");
    s.seq = r.text(i, "seq");
    s.grcd = r.text(i, "grcd");
    s.grcd_name = r.text(i, "grcd_name");
    s.code = r.text(i, "code");
    s.code_name = r.text(i, "code_name");
    s.remi_code = r.text(i, "remi_code");
    s.kind = r.text(i, "kind");
    s.standard = r.text(i, "standard");
    s.m3 = r.number(i, "m3");
    s.danga = r.number(i, "danga");
    s.vat = r.text(i, "vat");
    s.kum = r.number(i, "kum");
    s.vatkum = r.number(i, "vatkum");
    s.hap = r.number(i, "hap");
    s.memo = r.text(i, "memo");
    s.man = r.text(i, "man_name");
    s.man_code = r.text(i, "man_code");
    if (withYul && !r.value(i, "yul").isNull())
        s.yul = r.number(i, "yul");
    s.tax_ilja = r.text(i, "tax_ilja");
    s.tax_seq = r.text(i, "tax_seq");
    if (withHistory) {
        s.status = r.text(i, "status");
        s.why = r.text(i, "why");
    }
    return s;
}

// Values of the 24 insert columns; kawn_sa and misu are the site's now.
Sql::Binds insertValues(const SalesRow& row, double m3, double danga)
{
    const SalesSite site = SalesBook::site(row.grcd, row.code);
    return {session().SessionSaup, row.ilja, row.ilja.left(7), row.ilja.left(4),
            row.grcd, row.grcd_name, row.code, row.code_name, row.seq,
            row.remi_code, row.kind, row.standard,
            m3, danga, row.vat, row.kum, row.vatkum, row.hap,
            row.man_code, row.man, site.misu, site.kawn_sa,
            row.yul ? QVariant(*row.yul) : QVariant(), row.memo};
}

} // namespace

QString SalesBook::tableName(int bookMode)
{
    if (bookMode < 0 || bookMode >= BookCount)
        throw DbError(QStringLiteral("알 수 없는 장부입니다: %1").arg(bookMode));
    return QLatin1String(kTables[bookMode]);
}

SalesBook::SalesBook(int bookMode) : mode_(bookMode), table_(tableName(bookMode)) {}

QList<SalesRow> SalesBook::loadDay(const QString& ilja) const
{
    const Rows r = Sql::select(QStringLiteral("select * from %1 where ilja = ? order by seq").arg(table_), {ilja});
    QList<SalesRow> rows;
    for (int i = 0; i < r.size(); ++i)
        rows << rowFrom(r, i, mode_ == 0, false);
    return rows;
}

QList<SalesRow> SalesBook::loadHistory(const QString& ilja)
{
    const Rows r = Sql::select(QStringLiteral("select * from rd_mast where ilja = ? order by seq"), {ilja});
    QList<SalesRow> rows;
    for (int i = 0; i < r.size(); ++i)
        rows << rowFrom(r, i, true, true);
    return rows;
}

QString SalesBook::nextSeq(const QString& ilja) const
{
    const Rows r = Sql::select(QStringLiteral("select seq from %1 where ilja = ?").arg(table_), {ilja});
    int last = 0;
    for (int i = 0; i < r.size(); ++i)
        last = qMax(last, r.text(i, "seq").trimmed().toInt());
    if (last >= 99)
        return {};
    return PadDigits(QString::number(last + 1), 2);
}

QString SalesBook::approvalState(const QString& ilja)
{
    const Rows r = Sql::select(QStringLiteral("select distinct okno from r_mast where ilja = ?"), {ilja});
    return r.text(0, "okno") == Approved ? Approved : Open;
}

void SalesBook::setApproval(const QString& ilja, const QString& okno)
{
    if (okno == Open)
        Sql::exec(QStringLiteral("update r_mast set okno = ? where ilja = ?"), {okno, ilja});
    else
        Sql::exec(QStringLiteral("update r_mast set okno = ? where ilja <= ?"), {okno, ilja});
}

SalesCustomer SalesBook::customer(const QString& grcd)
{
    const Rows r = Sql::select(QStringLiteral("select name, vat, kawn_sa, julsa from customer where grcd = ?"), {grcd});
    SalesCustomer c;
    if (r.isEmpty())
        return c;
    c.found = true;
    c.name = r.text(0, "name");
    c.vat = r.text(0, "vat");
    c.kawn_sa = r.text(0, "kawn_sa");
    c.julsa = r.text(0, "julsa");
    return c;
}

SalesSite SalesBook::site(const QString& grcd, const QString& code)
{
    const Rows r = Sql::select(QStringLiteral("select name, man_code, man_name, kawn_sa, misu, order_nul"
                                              " from r_hyunjang where grcd = ? and code = ?"),
                               {grcd, code});
    SalesSite s;
    if (r.isEmpty())
        return s;
    s.found = true;
    s.name = r.text(0, "name");
    s.man_code = r.text(0, "man_code");
    s.man_name = r.text(0, "man_name");
    s.kawn_sa = r.text(0, "kawn_sa");
    s.misu = r.text(0, "misu");
    s.order_nul = r.number(0, "order_nul");
    return s;
}

SalesSpec SalesBook::spec(const QString& remiCode)
{
    const Rows r = Sql::select(QStringLiteral("select kind, standard, kwan_danga, sa_danga from r_size"
                                              " where remi_code = ? and gubun = '0'"),
                               {remiCode});
    SalesSpec s;
    if (r.isEmpty())
        return s;
    s.found = true;
    s.kind = r.text(0, "kind");
    s.standard = r.text(0, "standard");
    s.publicPrice = r.number(0, "kwan_danga");
    s.privatePrice = r.number(0, "sa_danga");
    return s;
}

std::optional<SalesRow> SalesBook::storedRow(const QString& ilja, const QString& seq) const
{
    const Rows r = Sql::select(QStringLiteral("select * from %1 where ilja = ? and seq = ?").arg(table_), {ilja, seq});
    if (r.isEmpty())
        return std::nullopt;
    return rowFrom(r, 0, mode_ == 0, false);
}

void SalesBook::archiveAndDelete(const SalesRow& row, const QString& status, const Change& change)
{
    if (mode_ == 0) {
        Sql::Binds values = insertValues(row, change.rememberedM3, change.rememberedDanga);
        values << status << change.why << QString() << session().SessionUser;
        Sql::exec(QStringLiteral("insert into rd_mast (%1, status, why, dam_code, dam_name)"
                                 " values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                      .arg(kInsertColumns),
                  values);
    }
    Sql::exec(QStringLiteral("delete from %1 where ilja = ? and seq = ?").arg(table_), {row.ilja, row.seq});
}

void SalesBook::insert(const SalesRow& row)
{
    Sql::exec(QStringLiteral("insert into %1 (%2) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)")
                  .arg(table_, kInsertColumns),
              insertValues(row, row.m3, row.danga));
}

SalesResult SalesBook::save(const SalesRow& row, Entry entry, const Change& change, bool replaceExisting)
{
    if (row.taxLocked())
        return SalesResult::TaxLocked;
    if (row.ilja.isEmpty() || row.grcd.isEmpty() || row.code.isEmpty() || row.remi_code.isEmpty() || row.seq.isEmpty())
        return SalesResult::Incomplete;
    try {
        Transaction tx;
        if (dayApproved(row.ilja))
            return SalesResult::DayApproved;
        const std::optional<SalesRow> stored = storedRow(row.ilja, row.seq);
        if (stored && stored->taxLocked())
            return SalesResult::TaxLocked;
        if (entry == Entry::Edit) {
            archiveAndDelete(row, QStringLiteral("E"), change);
        } else if (stored) {
            if (!replaceExisting)
                return SalesResult::RowExists;
            // The replaced row goes into the history as it was stored.
            Change replaced = change;
            replaced.rememberedM3 = stored->m3;
            replaced.rememberedDanga = stored->danga;
            archiveAndDelete(*stored, QStringLiteral("E"), replaced);
        }
        insert(row);
        tx.commit();
    } catch (const DbError&) {
        // Another station stored the same (ilja, seq) after our check: say so
        // rather than fail with the key violation.
        if (entry == Entry::New && !replaceExisting && storedRow(row.ilja, row.seq))
            return SalesResult::RowExists;
        throw;
    }
    return SalesResult::Saved;
}

SalesResult SalesBook::remove(const SalesRow& row, const Change& change)
{
    if (row.taxLocked())
        return SalesResult::TaxLocked;
    Transaction tx;
    if (dayApproved(row.ilja))
        return SalesResult::DayApproved;
    const std::optional<SalesRow> stored = storedRow(row.ilja, row.seq);
    if (stored && stored->taxLocked())
        return SalesResult::TaxLocked;
    archiveAndDelete(row, QStringLiteral("D"), change);
    tx.commit();
    return SalesResult::Saved;
}

namespace {

// The grid row as the amount rule sees it; an empty rate travels as NaN so
// that a rule which leaves the rate alone leaves it empty.
AmountRule::SalesAmounts amountsOf(const SalesRow& row)
{
    return {row.m3, row.danga, row.vat, row.kum, row.vatkum, row.hap, row.yul.value_or(std::nan(""))};
}

void takeAmounts(SalesRow& row, const AmountRule::SalesAmounts& a)
{
    row.danga = a.danga;
    row.vat = a.vat;
    row.kum = a.kum;
    row.vatkum = a.vatkum;
    row.hap = a.hap;
    if (std::isnan(a.yul))
        row.yul.reset();
    else
        row.yul = a.yul;
}

} // namespace

void SalesBook::computeAmounts(SalesRow& row)
{
    auto a = amountsOf(row);
    AmountRule::computeAmounts(a);
    takeAmounts(row, a);
}

void SalesBook::amountsFromTotal(SalesRow& row)
{
    auto a = amountsOf(row);
    AmountRule::amountsFromTotal(a);
    takeAmounts(row, a);
}

void SalesBook::proposeUnitPrice(SalesRow& row, const AmountRule::PriceBasis& basis)
{
    auto a = amountsOf(row);
    AmountRule::proposeUnitPrice(a, basis);
    takeAmounts(row, a);
}

void SalesBook::unitPriceTyped(SalesRow& row)
{
    const SalesCustomer c = customer(row.grcd);
    const double privatePrice = AmountRule::isPublic(c.kawn_sa) ? 0.0 : spec(row.remi_code).privatePrice;
    auto a = amountsOf(row);
    AmountRule::unitPriceTyped(a, c.kawn_sa, privatePrice);
    takeAmounts(row, a);
}

SalesBook::Journal SalesBook::journal(const QString& ilja, const QString& level) const
{
    Journal j;
    const QString filter = LevelCondition(level);
    j.rows = Sql::select(QStringLiteral("select * from %1 where ilja = ?%2"
                                        " order by kawn_sa, grcd_name, code, remi_code")
                             .arg(table_, filter),
                         {ilja});

    const auto sums = [&](const QString& classCondition, const QString& period, const QString& periodValue) {
        const Rows s = Sql::select(QStringLiteral("select sum(m3) as m3, sum(kum) as kum, sum(hap) as hap,"
                                                  " sum(vatkum) as vatkum from %1 where %2 and %3")
                                       .arg(table_, period, classCondition),
                                   periodValue.isNull() ? Sql::Binds{ilja} : Sql::Binds{ilja, periodValue});
        return Figures{s.number(0, "m3"), s.number(0, "kum"), s.number(0, "vatkum"), s.number(0, "hap")};
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

QString SalesBook::message(SalesResult result)
{
    switch (result) {
    case SalesResult::Saved:
        return {};
    case SalesResult::TaxLocked:
        return QStringLiteral("이미 세금계산서가 발행되었습니다.\n 수정할 수 없습니다.");
    case SalesResult::Incomplete:
        return QStringLiteral("자료가 모두 입력되지 않았읍니다.");
    case SalesResult::DayApproved:
        return QStringLiteral("결재가 완료된 자료입니다. 사장님 결재요망");
    case SalesResult::RowExists:
        return QStringLiteral("자료가 이미 존재합니다.\n 갱신하시겠습니까?");
    case SalesResult::DayFull:
        return QStringLiteral("이 날짜에는 더 이상 순번을 줄 수 없습니다.");
    }
    return {};
}
