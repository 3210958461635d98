// Daily deposit journal (입금일보): the deposits of one day of a book, by
// class and customer, with the day, month and year figures of public-works
// (class K) and the other customers. The deposit total printed here leaves
// out the discount and the non-operating income.
#include "reports/defs/qr_ipkumilbo_f3.h"

#include "books/DepositBook.h"
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
const Col kCustomer{0, 38}, kSite{39, 44}, kHyun{84, 22}, kAu{107, 22}, kHal{130, 20}, kTotal{151, 24},
    kCard{176, 24}, kBank{201, 20}, kLast{222, 19}, kMemo{242, 20}, kMan{263, 14};
const double kLine = 5;
// The computed deposit total of a row: hyun + au + dea + gi.
const QString kTotalColumn = QStringLiteral("ipkum");

QRectF at(const Col& c, double y = 0.5) { return QRectF(c.x, y, c.w, kLine - 1); }

// One line of figures that code fills: cash, note, discount and total.
void figureLine(ReportBand& b, double y, const QString& title, const QString& kind, const QString& prefix)
{
    if (!title.isEmpty())
        b.text(title, QRectF(kCustomer.x, y, kCustomer.w, kLine - 1));
    b.text(kind, at(kSite, y)).centre();
    b.label(prefix + QStringLiteral("cost1"), at(kHyun, y)).right();
    b.label(prefix + QStringLiteral("cost2"), at(kAu, y)).right();
    b.label(prefix + QStringLiteral("cost4"), at(kHal, y)).right();
    b.label(prefix + QStringLiteral("hap"), at(kTotal, y)).right();
}

ReportDefinition definition()
{
    ReportDefinition d;
    d.name = QStringLiteral("qr_ipkumilbo_f3");
    d.title = QStringLiteral("입금일보");
    d.landscape = true;
    d.rowRule = true;
    d.ruleReset = 0;
    const double w = d.contentWidth();

    ReportBand& head = d.band(BandKind::PageHeader, 40);
    head.text(QStringLiteral("[ 입 금 일 보 ]"), QRectF(0, 0, w, 10)).withFont(18, true).centre();
    head.approvalBox(QRectF(w - 80, 0, 80, 24));
    head.text(QStringLiteral("입 금 일 :"), QRectF(0, 26, 20, 5));
    head.label(QStringLiteral("ilja1"), QRectF(21, 26, 70, 5));
    head.hline(0, 32.5, w);
    const auto title = [&](const Col& c, const QString& t) { head.text(t, QRectF(c.x, 33.5, c.w, 5)).centre(); };
    title(kCustomer, QStringLiteral("거래처"));
    title(kSite, QStringLiteral("현 장"));
    title(kHyun, QStringLiteral("현금"));
    title(kAu, QStringLiteral("어음"));
    title(kHal, QStringLiteral("할인"));
    title(kTotal, QStringLiteral("입금액"));
    title(kCard, QStringLiteral("어음번호"));
    title(kBank, QStringLiteral("은행명"));
    title(kLast, QStringLiteral("만기일자"));
    title(kMemo, QStringLiteral("메모"));
    title(kMan, QStringLiteral("담당자"));
    head.hline(0, 39.5, w);

    ReportBand& row = d.band(BandKind::Detail, kLine);
    const QString money = QStringLiteral("#,##0");
    row.field(QStringLiteral("grcd_name"), at(kCustomer)).withCaption(QStringLiteral("거래처"));
    row.field(QStringLiteral("code_name"), at(kSite)).withCaption(QStringLiteral("현장"));
    row.field(QStringLiteral("hyun"), at(kHyun), money).withCaption(QStringLiteral("현금")).right();
    row.field(QStringLiteral("au"), at(kAu), money).withCaption(QStringLiteral("어음")).right();
    row.field(QStringLiteral("hal"), at(kHal), money).withCaption(QStringLiteral("할인")).right();
    row.field(kTotalColumn, at(kTotal), money).withCaption(QStringLiteral("입금액")).right();
    row.field(QStringLiteral("card_num"), at(kCard)).withCaption(QStringLiteral("어음번호"));
    row.field(QStringLiteral("bank"), at(kBank)).withCaption(QStringLiteral("은행명"));
    row.field(QStringLiteral("last_date"), at(kLast)).withCaption(QStringLiteral("만기일자"));
    row.field(QStringLiteral("memo"), at(kMemo)).withCaption(QStringLiteral("메모"));
    row.field(QStringLiteral("man_name"), at(kMan)).withCaption(QStringLiteral("담당자"));

    ReportBand& sum = d.band(BandKind::Summary, 2 + 9 * kLine);
    sum.hline(0, 0.5, w);
    double y = 1;
    const QString kwan = QStringLiteral("관  수"), sa = QStringLiteral("민  수"), total = QStringLiteral("합  계");
    for (const auto& [period, prefix] : QList<QPair<QString, QString>>{{QStringLiteral("[일 계]"), QStringLiteral("il")},
                                                                       {QStringLiteral("[월 계]"), QStringLiteral("ul")},
                                                                       {QStringLiteral("[년 계]"), QStringLiteral("yun")}}) {
        figureLine(sum, y, period, QStringLiteral("[%1]").arg(kwan), prefix + QStringLiteral("k"));
        figureLine(sum, y += kLine, QString(), QStringLiteral("[%1]").arg(sa), prefix + QStringLiteral("s"));
        figureLine(sum, y += kLine, QString(), QStringLiteral("[%1]").arg(total), prefix + QStringLiteral("tot_"));
        y += kLine;
    }
    sum.hline(0, y, w);

    d.addStandardPageFooter(true);
    return d;
}

void setFigures(ReportLabels& labels, const QString& prefix, const DepositAmounts& a)
{
    labels.setNumber(prefix + QStringLiteral("cost1"), a.hyun);
    labels.setNumber(prefix + QStringLiteral("cost2"), a.au);
    labels.setNumber(prefix + QStringLiteral("cost4"), a.hal);
    labels.setNumber(prefix + QStringLiteral("hap"), a.journalTotal());
}

void setPeriod(ReportLabels& labels, const QString& period, const DepositAmounts& publicWorks,
               const DepositAmounts& others)
{
    setFigures(labels, period + QStringLiteral("k"), publicWorks);
    setFigures(labels, period + QStringLiteral("s"), others);
    setFigures(labels, period + QStringLiteral("tot_"), publicWorks + others);
}

} // namespace

ReportJob depositJournalJob(const QString& ilja, int bookMode)
{
    const QDate day = QDate::fromString(ilja, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        throw ReportError(QStringLiteral("날짜가 올바르지 않습니다: %1").arg(ilja));
    if (bookMode < 0 || bookMode >= DepositBook::BookCount)
        throw ReportError(QStringLiteral("장부는 0(입금), 1(세금 입금) 중 하나입니다."));

    const DepositBook::Journal j = DepositBook(bookMode).journal(ilja, session().SessionLevel);

    ReportJob job;
    job.def = definition();
    job.rows = j.rows;
    job.rows.columns << kTotalColumn;
    for (int i = 0; i < job.rows.size(); ++i) {
        const DepositAmounts a{j.rows.number(i, "hyun"), j.rows.number(i, "au"), j.rows.number(i, "gi"),
                               j.rows.number(i, "hal"),  j.rows.number(i, "dea"), j.rows.number(i, "lee")};
        job.rows.data[i] << a.journalTotal();
    }
    ReportLabels& l = job.labels;
    setStandardLabels(l);
    l.set(QStringLiteral("ilja1"), QLocale(QLocale::Korean, QLocale::SouthKorea).toString(day, QLocale::LongFormat));
    setPeriod(l, QStringLiteral("il"), j.publicDay, j.privateDay);
    setPeriod(l, QStringLiteral("ul"), j.publicMonth, j.privateMonth);
    setPeriod(l, QStringLiteral("yun"), j.publicYear, j.privateYear);
    return job;
}

namespace {

ReportJob build(const ReportParams& p)
{
    bool ok = true;
    const int book = p.value(QStringLiteral("book"), QStringLiteral("0")).toInt(&ok);
    if (!ok)
        throw ReportError(QStringLiteral("장부는 0(입금), 1(세금 입금) 중 하나입니다."));
    return depositJournalJob(p.value(QStringLiteral("date")), book);
}

} // namespace

VARER_REPORT(RegisteredReport{
    QStringLiteral("deposit-journal"), QStringLiteral("qr_ipkumilbo_f3"), QStringLiteral("입금일보"),
    {{QStringLiteral("date"), QStringLiteral("YYYY-MM-DD"), QStringLiteral("The day of the journal."), true},
     {QStringLiteral("book"), QStringLiteral("N"), QStringLiteral("Book: 0 deposits (default), 1 tax deposits."),
      false}},
    build});
