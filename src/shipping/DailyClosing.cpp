#include "shipping/DailyClosing.h"

#include "books/AmountRule.h"
#include "books/SalesBook.h"
#include "data/Progress.h"
#include "data/Sql.h"

#include <optional>

namespace DailyClosing {

namespace {

const QString kCorrectionStaff = QStringLiteral("589");
const QString kFirstHandNumber = QStringLiteral("51");

bool passwordMatches(const QString& typed)
{
    const Rows r = Sql::select(QStringLiteral("select pass from youngup where code = ?"), {kCorrectionStaff});
    return !r.isEmpty() && r.text(0, "pass") == typed;
}

struct Site {
    QString kawnSa, misu, manCode, manName;
};

Site siteOf(const QString& grcd, const QString& code)
{
    const Rows r = Sql::select(
        QStringLiteral("select kawn_sa, misu, man_code, man_name from r_hyunjang where grcd = ? and code = ?"),
        {grcd, code});
    if (r.isEmpty())
        return {};
    return {r.text(0, "kawn_sa"), r.text(0, "misu"), r.text(0, "man_code"), r.text(0, "man_name")};
}

// The private list price of the spec's price row in force on the day.
std::optional<double> listPrice(const QString& remiCode, const QString& ilja)
{
    const Rows r = Sql::select(QStringLiteral("select first 1 sa_danga from r_size where remi_code = ? and ilja <= ? "
                                              "order by ilja desc"),
                               {remiCode, ilja});
    if (r.isEmpty() || r.value(0, "sa_danga").isNull())
        return std::nullopt;
    return r.number(0, "sa_danga");
}

} // namespace

QString message(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Approved:
        return QStringLiteral("결재가 완료된 자료입니다. 사장님 결재요망");
    case Outcome::WrongPassword:
        return QStringLiteral("암호가 틀렸습니다.");
    case Outcome::Declined:
        return QStringLiteral("기존 매출 자료를 유지하고 마감을 취소했습니다.");
    case Outcome::Closed:
        break;
    }
    return {};
}

Result run(const QString& ilja, const QString& password, const ConfirmReplace& confirmReplace)
{
    Result result;
    if (SalesBook::dayApproved(ilja)) {
        result.outcome = Outcome::Approved;
        return result;
    }
    if (!passwordMatches(password)) {
        result.outcome = Outcome::WrongPassword;
        return result;
    }
    const bool hasSales = Sql::exists(QStringLiteral("select 1 from r_mast where ilja = ?"), {ilja});
    if (hasSales && !(confirmReplace && confirmReplace())) {
        result.outcome = Outcome::Declined;
        return result;
    }

    const Rows orders = Sql::select(QStringLiteral("select * from r_suju where ilja = ? order by ilja, seq"), {ilja});
    Progress& progress = Progress::current();
    progress.start(0, orders.size());
    struct HideGauge {
        Progress& p;
        ~HideGauge() { p.finish(0); }
    } hide{progress};

    Transaction tx;
    if (hasSales)
        result.removed = Sql::exec(QStringLiteral("delete from r_mast where ilja = ?\n   and seq < ?"),
                                   {ilja, kFirstHandNumber});
    Sql::Prepared insert(QStringLiteral(
        "insert into r_mast (saup, ilja, seq, grcd, grcd_name, code, code_name, remi_code, standard, m3, danga, yul, "
        "vat, kum, vatkum, hap, yun, ul, memo, kind, kawn_sa, misu, man_code, man_name) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (int i = 0; i < orders.size(); ++i) {
        progress.step(0, i + 1);
        const double q = orders.number(i, "v_outorder");
        if (q == 0) {
            ++result.skipped;
            continue;
        }
        const QString seq = orders.text(i, "seq");
        const double p = orders.number(i, "danga");
        const QString vat = orders.text(i, "vat");
        const std::optional<AmountRule::Amounts> a = AmountRule::closingAmounts(q, p, vat);
        if (!a)
            throw DbError(QStringLiteral("수주 %1 %2번의 부가세구분 \"%3\"이(가) 잘못되어 마감할 수 없습니다. "
                                         "수주를 고친 뒤 다시 마감하시오.")
                              .arg(ilja, seq, vat));
        if (seq >= kFirstHandNumber
            && Sql::exists(QStringLiteral("select 1 from r_mast where ilja = ? and seq = ?"), {ilja, seq})) {
            result.kept << seq;
            continue;
        }
        const QString grcd = orders.text(i, "grcd");
        const QString code = orders.text(i, "code");
        const QString remiCode = orders.text(i, "remi_code");
        const Site site = siteOf(grcd, code);
        const double yul = AmountRule::closingRate(site.kawnSa, p, listPrice(remiCode, ilja));
        insert.exec({orders.text(i, "saup"), ilja, seq, grcd, orders.text(i, "v_inout"), code,
                     orders.text(i, "v_station"), remiCode, orders.text(i, "v_rule"), q, p, yul, vat, a->kum,
                     a->vatkum, a->hap, ilja.left(4), ilja.left(7), QString(""), orders.text(i, "kind"),
                     site.kawnSa, site.misu, site.manCode, site.manName});
        ++result.written;
    }
    tx.commit();
    return result;
}

} // namespace DailyClosing
