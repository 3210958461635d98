// Daily sales journal (판매일보): the sales rows of one day of a book, by
// class, customer, site and spec, with the day's total and the day, month and
// year figures of public-works (class K) and the other customers.
#include "reports/defs/qr_mastilbo_f1.h"

#include "books/SalesBook.h"
#include "data/Session.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportRegistry.h"

#include <QDate>
#include <QLocale>

namespace {

struct Col {
    double x, w;
};
// Printed columns, millimetres from the left margin (277 mm wide).
const Col kCustomer{0, 46}, kSite{47, 52}, kSpec{100, 40}, kM3{141, 19}, kDanga{161, 18}, kVat{180, 5},
    kKum{186, 24}, kVatkum{211, 20}, kHap{232, 23}, kMan{259, 18};
const double kLine = 5;

QRectF at(const Col& c, double y = 0.5) { return QRectF(c.x, y, c.w, kLine - 1); }

// One line of figures that code fills: m3, kum, vatkum and hap of `prefix`.
void figureLine(ReportBand& b, double y, const QString& title, const QString& kind, const QString& prefix)
{
    if (!title.isEmpty())
        b.text(title, QRectF(kSite.x, y, 30, kLine - 1));
    b.text(kind, QRectF(kSpec.x, y, kSpec.w, kLine - 1)).centre();
    b.label(prefix + QStringLiteral("m3"), QRectF(kM3.x, y, kM3.w, kLine - 1)).right();
    b.label(prefix + QStringLiteral("kum"), QRectF(kKum.x, y, kKum.w, kLine - 1)).right();
    b.label(prefix + QStringLiteral("vatkum"), QRectF(kVatkum.x, y, kVatkum.w, kLine - 1)).right();
    b.label(prefix + QStringLiteral("hap"), QRectF(kHap.x, y, kHap.w, kLine - 1)).right();
}

ReportDefinition definition()
{
    ReportDefinition d;
    d.name = QStringLiteral("qr_mastilbo_f1");
    d.title = QStringLiteral("판매일보");
    d.landscape = true;
    d.rowRule = true;
    d.ruleReset = 0;
    const double w = d.contentWidth();

    ReportBand& head = d.band(BandKind::PageHeader, 40);
    head.text(QStringLiteral("[ 판   매   일   보 ]"), QRectF(0, 0, w, 10)).withFont(18, true).centre();
    head.approvalBox(QRectF(w - 80, 0, 80, 24));
    head.text(QStringLiteral("판 매 일 :"), QRectF(0, 20, 20, 5));
    head.label(QStringLiteral("iljal"), QRectF(21, 20, 70, 5));
    head.text(QStringLiteral("품     명 :"), QRectF(0, 26, 20, 5));
    head.label(QStringLiteral("japuml"), QRectF(21, 26, 70, 5));
    head.hline(0, 32.5, w);
    const auto title = [&](const Col& c, const QString& t) { head.text(t, QRectF(c.x, 33.5, c.w, 5)).centre(); };
    title(kCustomer, QStringLiteral("거래처"));
    title(kSite, QStringLiteral("현    장"));
    title(kSpec, QStringLiteral("규격"));
    title(kM3, QStringLiteral("판매량"));
    title(kDanga, QStringLiteral("단가"));
    title(kKum, QStringLiteral("금액"));
    title(kVatkum, QStringLiteral("세액"));
    title(kHap, QStringLiteral("합계"));
    title(kMan, QStringLiteral("담당자"));
    head.hline(0, 39.5, w);

    ReportBand& row = d.band(BandKind::Detail, kLine);
    row.field(QStringLiteral("grcd_name"), at(kCustomer)).withCaption(QStringLiteral("거래처"));
    row.field(QStringLiteral("code_name"), at(kSite)).withCaption(QStringLiteral("현장"));
    row.field(QStringLiteral("remi_code"), QRectF(kSpec.x, 0.5, 10, kLine - 1)).withCaption(QStringLiteral("코드"));
    row.field(QStringLiteral("standard"), QRectF(kSpec.x + 11, 0.5, kSpec.w - 11, kLine - 1))
        .withCaption(QStringLiteral("규격"));
    row.field(QStringLiteral("m3"), at(kM3), QStringLiteral("#,##0.00")).withCaption(QStringLiteral("판매량"));
    row.field(QStringLiteral("danga"), at(kDanga), QStringLiteral("#,##0")).withCaption(QStringLiteral("단가"));
    row.field(QStringLiteral("vat"), at(kVat)).withCaption(QStringLiteral("구분")).centre();
    row.field(QStringLiteral("kum"), at(kKum), QStringLiteral("#,##0")).withCaption(QStringLiteral("금액"));
    row.field(QStringLiteral("vatkum"), at(kVatkum), QStringLiteral("#,##0")).withCaption(QStringLiteral("세액"));
    row.field(QStringLiteral("hap"), at(kHap), QStringLiteral("#,##0")).withCaption(QStringLiteral("합계"));
    row.field(QStringLiteral("man_name"), at(kMan)).withCaption(QStringLiteral("담당자"));

    // The day's total over the printed rows, then the figures code fills.
    ReportBand& sum = d.band(BandKind::Summary, 3 + 10 * kLine);
    sum.hline(0, 0.5, w);
    sum.text(QStringLiteral("[합    계]"), QRectF(kSite.x, 1, 30, kLine - 1));
    sum.sum(QStringLiteral("m3"), QRectF(kM3.x, 1, kM3.w, kLine - 1), QStringLiteral("#,##0.00"), SumReset::Never)
        .figure = QStringLiteral("daym3");
    sum.sum(QStringLiteral("kum"), QRectF(kKum.x, 1, kKum.w, kLine - 1), QStringLiteral("#,##0"), SumReset::Never)
        .figure = QStringLiteral("daykum");
    sum.sum(QStringLiteral("vatkum"), QRectF(kVatkum.x, 1, kVatkum.w, kLine - 1), QStringLiteral("#,##0"),
            SumReset::Never)
        .figure = QStringLiteral("dayvatkum");
    ReportElement& hap = sum.sum(QStringLiteral("hap"), QRectF(kHap.x, 1, kHap.w, kLine - 1),
                                 QStringLiteral("#,##0"), SumReset::Never);
    hap.figure = QStringLiteral("dayhap");
    hap.value = [](const ReportRow& r) { return r.number(QStringLiteral("kum")) + r.number(QStringLiteral("vatkum")); };
    sum.hline(0, 1 + kLine, w);

    double y = 2 + kLine;
    const QString kwan = QStringLiteral("관수"), sa = QStringLiteral("민수"), total = QStringLiteral("합계");
    figureLine(sum, y, QStringLiteral("[일 계]"), kwan, QStringLiteral("ilkwan"));
    figureLine(sum, y += kLine, QString(), sa, QStringLiteral("ilsa"));
    figureLine(sum, y += kLine, QStringLiteral("[월 계]"), kwan, QStringLiteral("ulkwan"));
    figureLine(sum, y += kLine, QString(), sa, QStringLiteral("ulsa"));
    figureLine(sum, y += kLine, QString(), total, QStringLiteral("ulhap"));
    figureLine(sum, y += kLine, QStringLiteral("[년 계]"), kwan, QStringLiteral("yunkwan"));
    figureLine(sum, y += kLine, QString(), sa, QStringLiteral("yunsa"));
    figureLine(sum, y += kLine, QString(), total, QStringLiteral("yunhap"));
    sum.hline(0, y + kLine, w);

    d.addStandardPageFooter(true);
    return d;
}

void setFigures(ReportLabels& labels, const QString& prefix, const SalesBook::Figures& f)
{
    labels.setNumber(prefix + QStringLiteral("m3"), f.m3, QStringLiteral("%.2n"));
    labels.setNumber(prefix + QStringLiteral("kum"), f.kum, QStringLiteral("%.0n"));
    labels.setNumber(prefix + QStringLiteral("vatkum"), f.vatkum, QStringLiteral("%.0n"));
    labels.setNumber(prefix + QStringLiteral("hap"), f.hap, QStringLiteral("%.0n"));
}

} // namespace

ReportJob salesJournalJob(const QString& ilja, int bookMode)
{
    const QDate day = QDate::fromString(ilja, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        throw ReportError(QStringLiteral("날짜가 올바르지 않습니다: %1").arg(ilja));
    if (bookMode < 0 || bookMode >= SalesBook::BookCount)
        throw ReportError(QStringLiteral("장부는 0(판매), 1(세금), 2(조합), 3(매입) 중 하나입니다."));

    const SalesBook::Journal j = SalesBook(bookMode).journal(ilja, session().SessionLevel);

    ReportJob job;
    job.def = definition();
    job.rows = j.rows;
    ReportLabels& l = job.labels;
    setStandardLabels(l);
    l.set(QStringLiteral("iljal"), QLocale(QLocale::Korean, QLocale::SouthKorea).toString(day, QLocale::LongFormat));
    setFigures(l, QStringLiteral("ilkwan"), j.publicDay);
    setFigures(l, QStringLiteral("ilsa"), j.privateDay);
    setFigures(l, QStringLiteral("ulkwan"), j.publicMonth);
    setFigures(l, QStringLiteral("ulsa"), j.privateMonth);
    setFigures(l, QStringLiteral("ulhap"), j.publicMonth + j.privateMonth);
    setFigures(l, QStringLiteral("yunkwan"), j.publicYear);
    setFigures(l, QStringLiteral("yunsa"), j.privateYear);
    setFigures(l, QStringLiteral("yunhap"), j.publicYear + j.privateYear);
    return job;
}

namespace {

ReportJob build(const ReportParams& p)
{
    bool ok = true;
    const int book = p.value(QStringLiteral("book"), QStringLiteral("0")).toInt(&ok);
    if (!ok)
        throw ReportError(QStringLiteral("장부는 0(판매), 1(세금), 2(조합), 3(매입) 중 하나입니다."));
    return salesJournalJob(p.value(QStringLiteral("date")), book);
}

} // namespace

VARER_REPORT(RegisteredReport{
    QStringLiteral("sales-journal"), QStringLiteral("qr_mastilbo_f1"), QStringLiteral("판매일보"),
    {{QStringLiteral("date"), QStringLiteral("YYYY-MM-DD"), QStringLiteral("The day of the journal."), true},
     {QStringLiteral("book"), QStringLiteral("N"),
      QStringLiteral("Book: 0 sales (default), 1 tax, 2 cooperative, 3 purchases."), false}},
    build});
