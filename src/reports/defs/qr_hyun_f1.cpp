// Site list (현장 코드 집): every site but the integrated sites 000, grouped
// by customer, by class, customer name and site name.
#include "data/Session.h"
#include "reports/engine/ReportRegistry.h"

namespace {

ReportDefinition definition()
{
    ReportDefinition d;
    d.name = QStringLiteral("qr_hyun_f1");
    d.title = QStringLiteral("현 장 코 드 집");
    d.landscape = true;
    d.spreadsheetFilter = true;
    d.textFilter = true;
    const double w = d.contentWidth(); // 277 mm
    const double lh = 4.5, l1 = 0.5, l2 = 5;

    struct Col { double x, w; };
    const Col code{0, 10}, name{11, 62}, tel{74, 38}, man{113, 20}, rate{134, 14}, gover{152, 47}, ilja{200, 20},
        build{221, 28}, memo{250, 27};

    ReportBand& head = d.band(BandKind::PageHeader, 26);
    head.text(QStringLiteral("[현 장 코 드 집]"), QRectF(0, 0, w, 10)).withFont(18, true).centre();
    head.hline(0, 13, w);
    auto title = [&](const Col& c, const QString& a, const QString& b = QString()) {
        head.text(a, QRectF(c.x, b.isEmpty() ? 16.75 : 14, c.w, lh)).centre();
        if (!b.isEmpty())
            head.text(b, QRectF(c.x, 19.5, c.w, lh)).centre();
    };
    title(name, QStringLiteral("현장명"));
    title(tel, QStringLiteral("현장전화"), QStringLiteral("사무실전화"));
    title(man, QStringLiteral("담당자"));
    title(rate, QStringLiteral("계약율"));
    title(gover, QStringLiteral("수요기관번호"), QStringLiteral("수요기관"));
    title(ilja, QStringLiteral("일자"));
    title(build, QStringLiteral("시공자"));
    title(memo, QStringLiteral("메모"));
    head.hline(0, 25, w);

    // One group per customer: its code, name and telephone.
    ReportGroup& g = d.group(QStringLiteral("GRCD"), 7, 0);
    g.header.text(QStringLiteral("거래처명 : "), QRectF(0, 1.5, 20, lh)).withFont(9, true);
    g.header.field(QStringLiteral("GRCD"), QRectF(20, 1.5, 12, lh)).withCaption(QStringLiteral("거래처코드")).withFont(9, true);
    g.header.field(QStringLiteral("GRCD_NAME"), QRectF(33, 1.5, 70, lh))
        .withCaption(QStringLiteral("거래처명"))
        .withFont(9, true);
    g.header.field(QStringLiteral("TEL"), QRectF(104, 1.5, 40, lh)).withCaption(QStringLiteral("전화")).withFont(9, true);

    ReportBand& row = d.band(BandKind::Detail, 10);
    auto at = [&](const Col& c, double y) { return QRectF(c.x, y, c.w, lh); };
    row.field(QStringLiteral("CODE"), at(code, l1)).withCaption(QStringLiteral("코드")).centre();
    row.field(QStringLiteral("NAME"), at(name, l1)).withCaption(QStringLiteral("현장명"));
    row.field(QStringLiteral("GROUND_TEL"), at(tel, l1)).withCaption(QStringLiteral("현장전화"));
    row.field(QStringLiteral("OFFICE_TEL"), at(tel, l2)).withCaption(QStringLiteral("사무실전화"));
    row.field(QStringLiteral("MAN_NAME"), at(man, l1)).withCaption(QStringLiteral("담당자")).centre();
    row.field(QStringLiteral("ORDER_NUL"), at(rate, l1), QStringLiteral("#,##0.0"))
        .withCaption(QStringLiteral("계약율"))
        .right();
    row.field(QStringLiteral("GOVER_NUM"), at(gover, l1)).withCaption(QStringLiteral("수요기관번호"));
    row.field(QStringLiteral("GOVER"), at(gover, l2)).withCaption(QStringLiteral("수요기관"));
    row.field(QStringLiteral("ILJA"), at(ilja, l1)).withCaption(QStringLiteral("일자")).centre();
    row.field(QStringLiteral("BUILD"), at(build, l1)).withCaption(QStringLiteral("시공자"));
    row.field(QStringLiteral("MEMO"), at(memo, l1)).withCaption(QStringLiteral("메모"));

    d.addStandardPageFooter(false);
    return d;
}

ReportJob build(const ReportParams& params)
{
    ReportJob job;
    job.def = definition();
    // Master lists show every site, whatever the processing class.
    QString sql = QStringLiteral(
        "select h.grcd_name, c.tel, h.grcd, h.code, h.name, h.office_tel, h.man_code, h.ground_tel, h.memo,"
        " h.order_nul, h.gover, h.gover_num, h.build, h.ilja, h.man_name from r_hyunjang h"
        " join customer c on c.grcd = h.grcd where h.code <> '000'");
    Sql::Binds binds;
    const QString customer = params.value(QStringLiteral("customer"));
    if (!customer.isEmpty()) {
        sql += QStringLiteral(" and h.grcd = ?");
        binds << customer;
    }
    sql += QStringLiteral(" order by h.kawn_sa, h.grcd_name, h.grcd, h.name, h.code");
    job.rows = Sql::select(sql, binds);
    job.labels.set(QStringLiteral("namel"), session().SessionCompanyName);
    return job;
}

} // namespace

VARER_REPORT(RegisteredReport{QStringLiteral("sites"), QStringLiteral("qr_hyun_f1"), QStringLiteral("현 장 코 드 집"),
                              {{QStringLiteral("customer"), QStringLiteral("CODE"),
                                QStringLiteral("only the sites of this customer")}},
                              build});
