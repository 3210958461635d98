// Spec list (레미콘 규격 코드집): every version of every spec with its mix
// and prices; a rule under every third row.
#include "data/Session.h"
#include "reports/engine/ReportRegistry.h"

namespace {

ReportDefinition definition()
{
    ReportDefinition d;
    d.name = QStringLiteral("qr_size_f1");
    d.title = QStringLiteral("레미콘 규격 코드집");
    d.landscape = true;
    d.spreadsheetFilter = true;
    d.textFilter = true;
    d.rowRule = true;
    d.ruleReset = 0;
    const double w = d.contentWidth(); // 277 mm
    const double lh = 4.5;

    ReportBand& head = d.band(BandKind::PageHeader, 27);
    head.text(QStringLiteral("[레미콘 규격 코드집]"), QRectF(0, 0, w, 10)).withFont(18, true).centre();
    head.hline(0, 14, w);
    head.text(QStringLiteral("코드"), QRectF(0, 16, 14, lh)).centre();
    head.text(QStringLiteral("일자"), QRectF(15, 15, 24, lh)).centre();
    head.text(QStringLiteral("규격"), QRectF(15, 20, 24, lh)).centre();
    head.text(QStringLiteral("품명"), QRectF(40, 15, 30, lh)).centre();
    head.text(QStringLiteral("정부물품번호"), QRectF(40, 20, 30, lh)).centre();

    // Mix columns, 11 mm each from x = 72: group title above, number below.
    struct Mix { QString column, number, mask; };
    const QString whole = QStringLiteral("#,##0"), upTo2 = QStringLiteral("#,##0.##");
    const QList<QPair<QString, QList<Mix>>> groups = {
        {QStringLiteral("시멘트"), {{"CEMENT_1", "1", whole}, {"CEMENT_2", "2", whole}, {"CEMENT_3", "3", whole}}},
        {QStringLiteral("모래"), {{"SAND_1", "1", whole}, {"SAND_2", "2", whole}}},
        {QStringLiteral("자갈"), {{"GRAVEL_1", "1", whole}, {"GRAVEL_2", "2", whole}, {"GRAVEL_3", "3", whole},
                                  {"SAND_3", "4", whole}}},
        {QStringLiteral("물"), {{"WATER_1", "1", whole}, {"WATER_2", "2", whole}}},
        {QStringLiteral("혼화제"), {{"AD_1", "1", upTo2}, {"AD_2", "2", upTo2}, {"AD_3", "3", upTo2}}},
    };
    const double mixW = 11;
    double x = 72;
    QList<QPair<Mix, QString>> mixFields; // with their column titles
    QList<double> mixX;
    for (const auto& [title, cols] : groups) {
        head.text(title, QRectF(x, 15, mixW * cols.size(), lh)).centre();
        for (const Mix& m : cols) {
            head.text(m.number, QRectF(x, 20, mixW, lh)).centre();
            mixFields.append({m, title + m.number});
            mixX << x;
            x += mixW;
        }
    }
    const double priceW = 22;
    head.text(QStringLiteral("관급단가"), QRectF(x + 1, 16, priceW, lh)).centre();
    head.text(QStringLiteral("사급단가"), QRectF(x + 2 + priceW, 16, priceW, lh)).centre();
    head.hline(0, 26, w);

    ReportBand& row = d.band(BandKind::Detail, 10);
    const double l1 = 0.5, l2 = 5;
    row.field(QStringLiteral("REMI_CODE"), QRectF(0, l1, 14, lh)).withCaption(QStringLiteral("코드")).centre();
    row.field(QStringLiteral("ILJA"), QRectF(15, l1, 24, lh)).withCaption(QStringLiteral("일자")).centre();
    row.field(QStringLiteral("STANDARD"), QRectF(15, l2, 24, lh)).withCaption(QStringLiteral("규격")).centre();
    row.field(QStringLiteral("kind"), QRectF(40, l1, 30, lh)).withCaption(QStringLiteral("품명"));
    row.field(QStringLiteral("GOVER_NUM"), QRectF(40, l2, 30, lh)).withCaption(QStringLiteral("정부물품번호"));
    for (int i = 0; i < mixFields.size(); ++i) {
        const auto& [m, caption] = mixFields.at(i);
        row.field(m.column, QRectF(mixX.at(i), l1, mixW - 1, lh), m.mask).withCaption(caption);
    }
    row.field(QStringLiteral("KWAN_DANGA"), QRectF(x + 1, l1, priceW, lh), whole).withCaption(QStringLiteral("관급단가"));
    row.field(QStringLiteral("SA_DANGA"), QRectF(x + 2 + priceW, l1, priceW, lh), whole)
        .withCaption(QStringLiteral("사급단가"));

    d.addStandardPageFooter(true);
    return d;
}

ReportJob build(const ReportParams&)
{
    ReportJob job;
    job.def = definition();
    job.rows = Sql::select(QStringLiteral("select * from r_size order by remi_code, ilja"));
    job.labels.set(QStringLiteral("namel"), session().SessionCompanyName);
    // iso_seq stays empty on this list.
    return job;
}

} // namespace

VARER_REPORT(RegisteredReport{QStringLiteral("specs"), QStringLiteral("qr_size_f1"),
                              QStringLiteral("레미콘 규격 코드집"), {}, build});
