#include "shipping/Orders.h"

#include "data/Routines.h"

#include <QSet>

namespace Orders {

namespace {

const QString kOpenEnd = QStringLiteral("9999-12-31");

bool orderExists(const QString& ilja, const QString& seq)
{
    return Sql::exists(QStringLiteral("select 1 from r_suju where ilja = ? and seq = ?"), {ilja, seq});
}

// Shipped m3 and amount of a site's spec within [from, to).
std::pair<double, double> shipped(const QString& grcd, const QString& code, const QString& standard,
                                  const QString& from, const QString& to)
{
    const Rows r = Sql::select(QStringLiteral("select sum(m3) as m3, sum(hap) as hap from r_mast where grcd = ? "
                                              "and code = ? and standard = ? and ilja >= ? and ilja < ?"),
                               {grcd, code, standard, from, to});
    return {r.number(0, "m3"), r.number(0, "hap")};
}

// A contract row without an end date runs open-ended.
QString endOf(const Rows& r, int i)
{
    const QString d = r.text(i, "demand2");
    return d.isEmpty() ? kOpenEnd : d;
}

double openingBalance(const QString& grcd, const QString& code)
{
    return Sql::scalar(QStringLiteral("select sum(kum) from r_misu where grcd = ? and code = ?"), {grcd, code})
        .toDouble();
}

double contractAmount(const QString& grcd, const QString& code)
{
    return Sql::scalar(QStringLiteral("select sum(amount * cost) from r_hyun_order where grcd = ? and code = ?"),
                       {grcd, code})
        .toDouble();
}

double salesTotal(const QString& grcd, const QString& code)
{
    return Sql::scalar(QStringLiteral("select sum(hap) from r_mast where grcd = ? and code = ?"), {grcd, code})
        .toDouble();
}

} // namespace

QString classLabel(const QString& kawnSa)
{
    if (kawnSa == QLatin1String("K"))
        return QStringLiteral("관수1");
    if (kawnSa == QLatin1String("L"))
        return QStringLiteral("관수2");
    if (kawnSa == QLatin1String("T"))
        return QStringLiteral("민수2");
    return QStringLiteral("민수1");
}

QString vatLabel(const QString& vat)
{
    if (vat == QLatin1String("V"))
        return QStringLiteral("별도");
    if (vat == QLatin1String("N"))
        return QStringLiteral("포함");
    return QStringLiteral("무시");
}

QString vatOfLabel(const QString& label)
{
    if (label == QStringLiteral("별도"))
        return QStringLiteral("V");
    if (label == QStringLiteral("포함"))
        return QStringLiteral("N");
    return QStringLiteral("X");
}

QString misuLabel(const QString& misu)
{
    return misu == QLatin1String("H") ? QStringLiteral("현장별") : QStringLiteral("현장통합");
}

QString nextNumber(const QString& ilja)
{
    const QVariant last = Sql::scalar(QStringLiteral("select max(seq) from r_suju where ilja = ?"), {ilja});
    if (last.isNull())
        return QStringLiteral("01");
    return PadDigits(QString::number(last.toString().toInt() + 1), 2);
}

std::optional<LoadedOrder> load(const QString& ilja, const QString& seq)
{
    const Rows r = Sql::select(
        QStringLiteral(
            "select su.*, c.vat as c_vat, c.rank as c_rank, c.kawn_sa as c_kawn_sa, c.julsa as c_julsa, "
            "c.misu as c_misu, h.memo as h_memo, h.ground_tel as h_ground_tel, h.ilja as h_ilja, "
            "h.order_nul as h_order_nul, h.build as h_build, h.gover as h_gover, h.gover_num as h_gover_num, "
            "h.misu as h_misu, h.man_name as h_man_name, y.man as y_man "
            "from r_suju su left join customer c on c.grcd = su.grcd "
            "left join r_hyunjang h on h.grcd = su.grcd and h.code = su.code "
            "left join youngup y on y.code = h.man_code "
            "where su.ilja = ? and su.seq = ?"),
        {ilja, seq});
    if (r.isEmpty())
        return std::nullopt;
    LoadedOrder l;
    OrderRow& o = l.order;
    o.ilja = r.text(0, "ilja");
    o.seq = r.text(0, "seq");
    o.grcd = r.text(0, "grcd");
    o.v_inout = r.text(0, "v_inout");
    o.code = r.text(0, "code");
    o.v_station = r.text(0, "v_station");
    o.time_ = r.text(0, "time_");
    o.saup = r.text(0, "saup");
    o.dist = r.number(0, "dist");
    o.v_okno = r.text(0, "v_okno");
    o.memo = r.text(0, "memo");
    o.ground = r.text(0, "ground");
    o.remi_code = r.text(0, "remi_code");
    o.v_rule = r.text(0, "v_rule");
    o.kind = r.text(0, "kind");
    o.order_m3 = r.number(0, "order_m3");
    o.danga = r.number(0, "danga");
    o.vat = r.text(0, "vat");
    o.cement = r.text(0, "cement");
    o.gravel = r.text(0, "gravel");
    o.japum = r.text(0, "japum");
    o.con = r.text(0, "con");
    o.v_hon = r.text(0, "v_hon");
    o.v_outorder = r.number(0, "v_outorder");
    o.ondo = r.number(0, "ondo");
    l.customerVat = r.text(0, "c_vat");
    l.rank = r.text(0, "c_rank");
    l.kawnSa = r.text(0, "c_kawn_sa");
    l.julsa = r.text(0, "c_julsa");
    l.customerMisu = r.text(0, "c_misu");
    l.siteMan = r.text(0, "y_man").isEmpty() ? r.text(0, "h_man_name") : r.text(0, "y_man");
    l.siteMemo = r.text(0, "h_memo");
    l.groundTel = r.text(0, "h_ground_tel");
    l.contractDate = r.text(0, "h_ilja");
    l.orderNul = r.number(0, "h_order_nul");
    l.build = r.text(0, "h_build");
    l.gover = r.text(0, "h_gover");
    l.goverNum = r.text(0, "h_gover_num");
    l.siteMisu = r.text(0, "h_misu");
    return l;
}

Rows dayOrders(const QString& ilja)
{
    return Sql::select(QStringLiteral("select seq, v_inout, v_station, remi_code, v_rule, v_okno, order_m3, danga, "
                                      "time_, ground, dist, memo from r_suju where ilja = ? order by seq"),
                       {ilja});
}

QStringList usedValues(const QString& column)
{
    static const QSet<QString> allowed{QStringLiteral("cement"), QStringLiteral("gravel"), QStringLiteral("japum"),
                                       QStringLiteral("con")};
    if (!allowed.contains(column))
        return {};
    QStringList out;
    const Rows r = Sql::select(QStringLiteral("select distinct %1 as v from r_suju where %1 is not null and %1 <> '' "
                                              "order by 1")
                                   .arg(column));
    for (int i = 0; i < r.size(); ++i)
        out << r.text(i, "v");
    return out;
}

QString gradeMessage(const QString& rank)
{
    return rank == QLatin1String("F") ? QStringLiteral("이 거래처의 등급은 F입니다.") : QString();
}

std::optional<double> lastPrice(const QString& grcd, const QString& code, const QString& remiCode)
{
    const Rows r = Sql::select(QStringLiteral("select first 1 danga from r_suju where grcd = ? and code = ? and "
                                              "remi_code = ? order by ilja desc, seq desc"),
                               {grcd, code, remiCode});
    if (r.isEmpty() || r.number(0, "danga") == 0)
        return std::nullopt;
    return r.number(0, "danga");
}

std::optional<double> proposePrice(const QString& grcd, const QString& code, const QString& remiCode,
                                   const AmountRule::PriceBasis& basis, const QString& vat)
{
    if (const std::optional<double> last = lastPrice(grcd, code, remiCode))
        return last;
    return AmountRule::proposedPrice(basis, vat);
}

QList<ContractLine> contractSummary(const QString& grcd, const QString& code)
{
    QList<ContractLine> out;
    QSet<QString> contracted;
    const Rows specs = Sql::select(QStringLiteral("select distinct standard, kind from r_hyun_order where grcd = ? and "
                                                  "code = ? order by standard, kind"),
                                   {grcd, code});
    for (int s = 0; s < specs.size(); ++s) {
        const QString standard = specs.text(s, "standard");
        contracted.insert(standard);
        const Rows rows = Sql::select(QStringLiteral("select * from r_hyun_order where grcd = ? and code = ? and "
                                                     "standard = ? and kind is not distinct from ? order by demand1"),
                                      {grcd, code, standard, specs.value(s, "kind")});
        ContractLine line;
        line.kind = specs.text(s, "kind");
        line.standard = standard;
        line.demand2 = kOpenEnd;
        for (int i = 0; i < rows.size(); ++i) {
            const auto [m3, hap] = shipped(grcd, code, standard, rows.text(i, "demand1"), endOf(rows, i));
            line.chul += m3;
            line.chulkum += hap;
            line.amount += rows.number(i, "amount");
        }
        if (!rows.isEmpty()) {
            line.demand1 = rows.text(0, "demand1");
            line.orderNum = rows.text(rows.size() - 1, "order_num");
            line.cost = rows.number(rows.size() - 1, "cost");
        }
        line.michul = line.amount - line.chul;
        line.hap = line.cost * line.michul + line.chulkum;
        out << line;
    }
    const Rows outside = Sql::select(QStringLiteral("select standard, kind, sum(m3) as m3, sum(hap) as hap from r_mast "
                                                    "where grcd = ? and code = ? group by standard, kind "
                                                    "order by standard, kind"),
                                     {grcd, code});
    for (int i = 0; i < outside.size(); ++i) {
        if (contracted.contains(outside.text(i, "standard")))
            continue;
        ContractLine line;
        line.kind = outside.text(i, "kind");
        line.standard = outside.text(i, "standard");
        line.chul = outside.number(i, "m3");
        line.chulkum = outside.number(i, "hap");
        out << line;
    }
    return out;
}

QList<ContractLine> contractDetail(const QString& grcd, const QString& code, const QString& standard)
{
    QList<ContractLine> out;
    const Rows rows = Sql::select(QStringLiteral("select * from r_hyun_order where grcd = ? and code = ? and "
                                                 "standard = ? order by standard, demand1"),
                                  {grcd, code, standard});
    double previousPrice = 0;
    double previousMichul = 0;
    for (int i = 0; i < rows.size(); ++i) {
        ContractLine line;
        line.kind = rows.text(i, "kind");
        line.standard = rows.text(i, "standard");
        line.demand1 = rows.text(i, "demand1");
        line.demand2 = rows.text(i, "demand2");
        line.amount = rows.number(i, "amount");
        line.cost = rows.number(i, "cost");
        line.orderNum = rows.text(i, "order_num");
        line.delivery = rows.text(i, "delivery");
        line.memo = rows.text(i, "memo");
        std::tie(line.chul, line.chulkum) = shipped(grcd, code, standard, line.demand1, endOf(rows, i));
        if (i > 0 && line.cost != previousPrice) {
            // A price change: the new price applies to what the earlier rows left.
            line.hap = (line.cost - previousPrice) * previousMichul;
        } else {
            line.hap = line.cost * line.amount;
        }
        // The quantity left carries forward from row to row, also when the
        // price stays the same.
        line.michul = line.amount + (i > 0 ? previousMichul : 0) - line.chul;
        previousPrice = line.cost;
        previousMichul = line.michul;
        out << line;
    }
    return out;
}

Rows shippedSales(const QString& grcd, const QString& code)
{
    return Sql::select(QStringLiteral("select remi_code, standard, kind, sum(m3) as m3, sum(kum) as kum, "
                                      "sum(vatkum) as vatkum, sum(hap) as hap from r_mast where grcd = ? and code = ? "
                                      "group by remi_code, standard, kind order by remi_code, standard, kind"),
                       {grcd, code});
}

ContractMoney moneyOnSitePick(const QString& grcd, const QString& code, const QList<ContractLine>& summary)
{
    double hap = 0, chulkum = 0;
    for (const ContractLine& l : summary) {
        hap += l.hap;
        chulkum += l.chulkum;
    }
    return {openingBalance(grcd, code) + hap, chulkum, hap - chulkum};
}

ContractMoney moneyOnOrderClick(const QString& grcd, const QString& code)
{
    ContractMoney m;
    m.contract = openingBalance(grcd, code) + contractAmount(grcd, code);
    m.shipped = salesTotal(grcd, code);
    m.unshipped = m.contract - m.shipped;
    return m;
}

ContractMoney moneyOnSpecPick(const QString& grcd, const QString& code)
{
    ContractMoney m;
    m.contract = contractAmount(grcd, code);
    m.shipped = salesTotal(grcd, code);
    m.unshipped = m.contract - m.shipped;
    return m;
}

std::optional<double> fittedQuantity(double quantity, double price, double unshipped)
{
    if (price == 0 || static_cast<long double>(quantity) * price <= unshipped)
        return std::nullopt;
    return double(Round(static_cast<long double>(unshipped) / price));
}

QString message(SaveResult result)
{
    switch (result) {
    case SaveResult::MissingKeys:
        return QStringLiteral("일자,순번,거래처코드,현장코드,규격코드,부가세구분을 등록하시오.");
    case SaveResult::NumberTaken:
        return QStringLiteral("다른 곳에서 같은 순번의 수주가 먼저 등록되었습니다.\n새 순번으로 다시 저장하시오.");
    case SaveResult::Inserted:
    case SaveResult::Updated:
    case SaveResult::Declined:
        break;
    }
    return {};
}

SaveResult save(const OrderRow& o, bool loaded, const std::function<bool()>& confirmUpdate)
{
    for (const QString* key : {&o.ilja, &o.seq, &o.grcd, &o.code, &o.remi_code, &o.vat})
        if (key->trimmed().isEmpty())
            return SaveResult::MissingKeys;
    const double dist = double(Int(o.dist));

    if (orderExists(o.ilja, o.seq)) {
        if (!loaded)
            return SaveResult::NumberTaken;
        if (!(confirmUpdate && confirmUpdate()))
            return SaveResult::Declined;
        // v_reorder from the shipped quantity as stored at this moment, in
        // the same statement, so a load recorded meanwhile counts.
        Sql::exec(QStringLiteral(
                      "update r_suju set grcd = ?, v_inout = ?, code = ?, v_station = ?, time_ = ?, saup = ?, "
                      "dist = ?, v_okno = ?, memo = ?, ground = ?, remi_code = ?, v_rule = ?, order_m3 = ?, "
                      "danga = ?, vat = ?, kind = ?, cement = ?, gravel = ?, japum = ?, con = ?, v_hon = ?, "
                      "v_reorder = maxvalue(cast(? as double precision) - coalesce(v_outorder, 0), 0) "
                      "where ilja = ? and seq = ?"),
                  {o.grcd, o.v_inout, o.code, o.v_station, o.time_, o.saup, dist, o.v_okno, o.memo, o.ground,
                   o.remi_code, o.v_rule, o.order_m3, o.danga, o.vat, o.kind, o.cement, o.gravel, o.japum, o.con,
                   o.v_hon, o.order_m3, o.ilja, o.seq});
        return SaveResult::Updated;
    }
    try {
        Sql::exec(QStringLiteral(
                      "insert into r_suju (ilja, seq, grcd, v_inout, code, v_station, time_, saup, dist, v_okno, "
                      "memo, ground, remi_code, v_rule, order_m3, danga, vat, v_outorder, v_reorder, v_ftime, "
                      "v_ltime, v_ccount, v_nocarin, v_cincout, v_state, kind, cement, gravel, japum, con, v_hon) "
                      "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0, ?, '00:00', '00:00', 0, 0, "
                      "'00:00', 'YES', ?, ?, ?, ?, ?, ?)"),
                  {o.ilja, o.seq, o.grcd, o.v_inout, o.code, o.v_station, o.time_, o.saup, dist, o.v_okno, o.memo,
                   o.ground, o.remi_code, o.v_rule, o.order_m3, o.danga, o.vat, o.order_m3, o.kind, o.cement,
                   o.gravel, o.japum, o.con, o.v_hon});
    } catch (const DbError&) {
        // Another station stored the same number between the check and
        // the insert: the key refuses the second order.
        if (orderExists(o.ilja, o.seq))
            return SaveResult::NumberTaken;
        throw;
    }
    return SaveResult::Inserted;
}

int remove(const QString& ilja, const QString& seq)
{
    Transaction tx;
    const int n = Sql::exec(QStringLiteral("delete from r_suju where ilja = ? and seq = ?"), {ilja, seq});
    Sql::exec(QStringLiteral("delete from cont_carry where ilja = ? and seq = ?"), {ilja, seq});
    tx.commit();
    return n;
}

} // namespace Orders
