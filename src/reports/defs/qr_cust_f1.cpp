// Customer list (거래처 코드 집): every customer, by class and name, two
// lines per customer.
#include "data/Session.h"
#include "reports/engine/ReportRegistry.h"

namespace {

ReportDefinition definition()
{
    ReportDefinition d;
    d.name = QStringLiteral("qr_cust_f1");
    d.title = QStringLiteral("거래처 코드 집");
    d.landscape = true;
    d.spreadsheetFilter = true;
    d.textFilter = true;
    const double w = d.contentWidth(); // 277 mm

    // Columns: x and width of each printed column; the class column holds
    // three one-letter codes side by side.
    struct Col { double x, w; };
    const Col code{0, 44}, saupja{45, 30}, uptae{76, 36}, post{113, 27}, addr{141, 68}, kind{210, 19},
        ilja{230, 20}, memo{251, 26};
    const double line1 = 0.5, line2 = 5, lh = 4.5;

    ReportBand& head = d.band(BandKind::PageHeader, 26);
    head.text(QStringLiteral("거래처 코드 집"), QRectF(0, 0, w, 10)).withFont(18, true).centre();
    const double t1 = 14, t2 = 19.5;
    head.hline(0, 13, w);
    auto title2 = [&](const Col& c, const QString& a, const QString& b) {
        head.text(a, QRectF(c.x, t1, c.w, lh)).centre();
        if (!b.isEmpty())
            head.text(b, QRectF(c.x, t2, c.w, lh)).centre();
    };
    title2(code, QStringLiteral("코드"), QStringLiteral("거래처명"));
    title2(saupja, QStringLiteral("사업자번호"), QStringLiteral("대표자"));
    title2(uptae, QStringLiteral("업태"), QStringLiteral("종목"));
    title2(post, QStringLiteral("우편번호"), QStringLiteral("전화번호"));
    title2(addr, QStringLiteral("주소"), QString());
    title2(kind, QStringLiteral("구분"), QString());
    title2(ilja, QStringLiteral("최초등록일자"), QString());
    title2(memo, QStringLiteral("메모"), QString());
    head.hline(0, 25, w);

    ReportBand& row = d.band(BandKind::Detail, 10);
    auto at = [&](const Col& c, double y) { return QRectF(c.x, y, c.w, lh); };
    const double k = kind.w / 3;
    row.field(QStringLiteral("GRCD"), at(code, line1)).withCaption(QStringLiteral("코드"));
    row.field(QStringLiteral("SAUPJA"), at(saupja, line1)).withCaption(QStringLiteral("사업자번호"));
    row.field(QStringLiteral("UPTAE"), at(uptae, line1)).withCaption(QStringLiteral("업태"));
    row.field(QStringLiteral("POST"), at(post, line1)).withCaption(QStringLiteral("우편번호"));
    row.field(QStringLiteral("ADDRESS1"), at(addr, line1)).withCaption(QStringLiteral("주소"));
    row.field(QStringLiteral("KAWN_SA"), QRectF(kind.x, line1, k, lh)).withCaption(QStringLiteral("구분")).centre();
    row.field(QStringLiteral("MISU"), QRectF(kind.x + k, line1, k, lh)).withCaption(QStringLiteral("미수")).centre();
    row.field(QStringLiteral("VAT"), QRectF(kind.x + 2 * k, line1, k, lh)).withCaption(QStringLiteral("부가세")).centre();
    row.field(QStringLiteral("ILJA"), at(ilja, line1)).withCaption(QStringLiteral("최초등록일자")).centre();
    row.field(QStringLiteral("MEMO"), at(memo, line1)).withCaption(QStringLiteral("메모"));
    row.field(QStringLiteral("NAME"), at(code, line2)).withCaption(QStringLiteral("거래처명"));
    row.field(QStringLiteral("DAEPYO"), at(saupja, line2)).withCaption(QStringLiteral("대표자"));
    row.field(QStringLiteral("JONGMOK"), at(uptae, line2)).withCaption(QStringLiteral("종목"));
    row.field(QStringLiteral("TEL"), at(post, line2)).withCaption(QStringLiteral("전화번호"));
    row.field(QStringLiteral("ADDRESS2"), at(addr, line2)).withCaption(QStringLiteral("주소2"));
    row.field(QStringLiteral("ENABLE"), QRectF(kind.x, line2, k, lh)).withCaption(QStringLiteral("출력")).centre();
    row.field(QStringLiteral("POST_YN"), QRectF(kind.x + k, line2, k, lh)).withCaption(QStringLiteral("우편")).centre();
    row.field(QStringLiteral("RANK"), QRectF(kind.x + 2 * k, line2, k, lh)).withCaption(QStringLiteral("등급")).centre();

    d.addStandardPageFooter(false);
    return d;
}

ReportJob build(const ReportParams&)
{
    ReportJob job;
    job.def = definition();
    // The master lists show every customer, whatever the processing class.
    job.rows = Sql::select(QStringLiteral("select * from customer order by kawn_sa, name, grcd"));
    job.labels.set(QStringLiteral("namel"), session().SessionCompanyName);
    return job;
}

} // namespace

VARER_REPORT(RegisteredReport{QStringLiteral("customers"), QStringLiteral("qr_cust_f1"),
                              QStringLiteral("거래처 코드 집"), {}, build});
