// Shipment schedule of a day (레미콘 출하 예정표): the day's orders by number,
// with the private and public ordered quantities in the summary.
#include "data/Routines.h"
#include "data/Session.h"
#include "reports/engine/ReportRegistry.h"

namespace {

ReportDefinition definition()
{
    ReportDefinition d;
    d.name = QStringLiteral("qr_suju_f1");
    d.title = QStringLiteral("레미콘 출하 예정표");
    d.spreadsheetFilter = true;
    d.textFilter = true;
    d.rowRule = true;
    d.ruleReset = 1;
    const double w = d.contentWidth();
    const double lh = 4.5;

    struct Col { double x, w; };
    const Col seq{0, 10}, cust{11, 36}, site{48, 40}, rule{89, 20}, m3{110, 18}, tel{129, 24}, man{154, 16},
        memo{171, w - 171};

    ReportBand& head = d.band(BandKind::PageHeader, 36);
    head.text(QStringLiteral("[레미콘 출하 예정표]"), QRectF(0, 0, w, 10)).withFont(16, true).centre();
    head.text(QStringLiteral("품        명 :"), QRectF(0, 14, 22, lh));
    head.label(QStringLiteral("japuml"), QRectF(23, 14, 60, lh));
    head.text(QStringLiteral("출하예정일 :"), QRectF(0, 20, 22, lh));
    head.label(QStringLiteral("ilja1"), QRectF(23, 20, 40, lh));
    head.approvalBox(QRectF(w - 60, 10, 60, 16));
    head.hline(0, 29, w);
    auto title = [&](const Col& c, const QString& t) { head.text(t, QRectF(c.x, 30.5, c.w, lh)).centre(); };
    title(seq, QStringLiteral("순번"));
    title(cust, QStringLiteral("거래처명"));
    title(site, QStringLiteral("현장명"));
    title(rule, QStringLiteral("규  격"));
    title(m3, QStringLiteral("수주량"));
    title(tel, QStringLiteral("연락처"));
    title(man, QStringLiteral("담당자"));
    title(memo, QStringLiteral("메모"));
    head.hline(0, 35.5, w);

    ReportBand& row = d.band(BandKind::Detail, 10);
    auto at = [&](const Col& c, double y = 0.5) { return QRectF(c.x, y, c.w, lh); };
    row.field(QStringLiteral("SEQ"), at(seq)).withCaption(QStringLiteral("순번")).centre();
    row.field(QStringLiteral("V_INOUT"), at(cust)).withCaption(QStringLiteral("거래처명"));
    row.field(QStringLiteral("V_STATION"), at(site)).withCaption(QStringLiteral("현장명"));
    row.field(QStringLiteral("V_RULE"), at(rule)).withCaption(QStringLiteral("규격"));
    row.field(QStringLiteral("ORDER_M3"), at(m3), QStringLiteral("#,##0.00")).withCaption(QStringLiteral("수주량")).right();
    row.field(QStringLiteral("GROUND_TEL"), at(tel)).withCaption(QStringLiteral("연락처"));
    row.field(QStringLiteral("MAN"), at(man)).withCaption(QStringLiteral("담당자"));
    row.field(QStringLiteral("TIME_"), at(man, 5)).withCaption(QStringLiteral("도착예정"));
    row.field(QStringLiteral("MEMO"), at(memo)).withCaption(QStringLiteral("메모"));

    ReportBand& sum = d.band(BandKind::Summary, 8);
    sum.hline(0, 0, w);
    sum.text(QStringLiteral("[합계]"), QRectF(0, 2, 16, lh));
    sum.text(QStringLiteral("[사급] :"), QRectF(20, 2, 16, lh));
    sum.label(QStringLiteral("s_order_m3"), QRectF(36, 2, 26, lh)).right();
    sum.text(QStringLiteral("[관급] : "), QRectF(70, 2, 16, lh));
    sum.label(QStringLiteral("k_order_m3"), QRectF(86, 2, 26, lh)).right();
    sum.text(QStringLiteral("[총합계] :"), QRectF(120, 2, 20, lh));
    sum.label(QStringLiteral("t_order_m3"), QRectF(140, 2, 26, lh)).right();

    d.addStandardPageFooter(true);
    return d;
}

ReportJob build(const ReportParams& p)
{
    const QString day = p.value(QStringLiteral("date"));
    const QString level = p.value(QStringLiteral("level"), session().SessionLevel);
    session().IsoCode = 1;
    ReportJob job;
    job.def = definition();
    job.rows = Sql::select(QStringLiteral("select su.v_station, su.v_inout, h.ground_tel, su.v_rule, su.seq, su.grcd, "
                                          "su.code, su.remi_code, y.man, su.order_m3, su.memo, su.time_, su.kind "
                                          "from r_suju su left join r_hyunjang h on h.grcd = su.grcd and "
                                          "h.code = su.code left join youngup y on y.code = h.man_code "
                                          "where su.ilja = ? order by su.seq"),
                           {day});
    const double priv = Sql::scalar(QStringLiteral("select sum(su.order_m3) from r_suju su join customer c on "
                                                   "c.grcd = su.grcd where su.ilja = ? and c.kawn_sa <> 'K'")
                                        + LevelCondition(level, QStringLiteral("c.kawn_sa")),
                                    {day})
                            .toDouble();
    const double pub = Sql::scalar(QStringLiteral("select sum(su.order_m3) from r_suju su join customer c on "
                                                  "c.grcd = su.grcd where su.ilja = ? and c.kawn_sa = 'K'"),
                                   {day})
                           .toDouble();
    setStandardLabels(job.labels);
    job.labels.set(QStringLiteral("ilja1"), day);
    job.labels.setNumber(QStringLiteral("s_order_m3"), priv, QStringLiteral("%.2n"));
    job.labels.setNumber(QStringLiteral("k_order_m3"), pub, QStringLiteral("%.2n"));
    job.labels.setNumber(QStringLiteral("t_order_m3"), priv + pub, QStringLiteral("%.2n"));
    return job;
}

} // namespace

VARER_REPORT(RegisteredReport{
    QStringLiteral("shipment-schedule"), QStringLiteral("qr_suju_f1"), QStringLiteral("레미콘 출하 예정표"),
    {{QStringLiteral("date"), QStringLiteral("YYYY-MM-DD"), QStringLiteral("The day of the orders."), true},
     {QStringLiteral("level"), QStringLiteral("P|Q|R"), QStringLiteral("Processing class (default: the session's)."),
      false}},
    build});
