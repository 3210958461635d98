#include "reports/engine/ReportDefinition.h"

namespace {
ReportElement& add(ReportBand& b, ReportElement::Kind kind, const QString& name, const QRectF& r)
{
    ReportElement e;
    e.kind = kind;
    e.name = name;
    e.rect = r;
    b.elements.append(e);
    return b.elements.last();
}
} // namespace

ReportElement& ReportBand::text(const QString& t, const QRectF& r)
{
    ReportElement& e = add(*this, ReportElement::Text, QString(), r);
    e.text = t;
    return e;
}

ReportElement& ReportBand::field(const QString& column, const QRectF& r, const QString& mask)
{
    ReportElement& e = add(*this, ReportElement::Field, column, r);
    e.mask = mask;
    if (!mask.isEmpty())
        e.align = Qt::AlignRight | Qt::AlignVCenter;
    return e;
}

ReportElement& ReportBand::label(const QString& name, const QRectF& r)
{
    return add(*this, ReportElement::Label, name, r);
}

ReportElement& ReportBand::sum(const QString& column, const QRectF& r, const QString& mask, SumReset reset)
{
    ReportElement& e = add(*this, ReportElement::Sum, column, r);
    e.mask = mask;
    e.reset = reset;
    e.align = Qt::AlignRight | Qt::AlignVCenter;
    return e;
}

ReportElement& ReportBand::count(const QRectF& r, const QString& mask, SumReset reset)
{
    ReportElement& e = sum(QString(), r, mask, reset);
    e.count = true;
    return e;
}

ReportElement& ReportBand::printedAt(const QString& before, const QRectF& r)
{
    ReportElement& e = add(*this, ReportElement::PrintedAt, QString(), r);
    e.text = before;
    return e;
}

ReportElement& ReportBand::pageNumber(const QString& before, const QRectF& r)
{
    ReportElement& e = add(*this, ReportElement::PageNumber, QString(), r);
    e.text = before;
    return e;
}

ReportElement& ReportBand::approvalBox(const QRectF& r, bool everyPage)
{
    ReportElement& e = add(*this, ReportElement::Picture, QString(), r);
    e.firstPageOnly = !everyPage;
    return e;
}

ReportElement& ReportBand::hline(double x, double y, double width)
{
    return add(*this, ReportElement::HLine, QString(), QRectF(x, y, width, 0));
}

ReportElement& ReportBand::box(const QRectF& r) { return add(*this, ReportElement::Box, QString(), r); }

ReportBand& ReportDefinition::band(BandKind kind, double height)
{
    for (ReportBand& b : bands)
        if (b.kind == kind)
            return b;
    bands.append(ReportBand{kind, height, {}});
    return bands.last();
}

const ReportBand* ReportDefinition::find(BandKind kind) const
{
    for (const ReportBand& b : bands)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

ReportGroup& ReportDefinition::group(const QString& column, double headerHeight, double footerHeight)
{
    ReportGroup g;
    g.column = column;
    g.header.height = headerHeight;
    g.footer.height = footerHeight;
    groups.append(g);
    return groups.last();
}

void ReportDefinition::addStandardPageFooter(bool isoAndPaper)
{
    const double w = contentWidth();
    ReportBand& f = band(BandKind::PageFooter, 14);
    f.hline(0, 0.5, w);
    f.printedAt(QStringLiteral("출력일자 : "), QRectF(0, 2, 90, 5)).withFont(8);
    f.label(QStringLiteral("namel"), QRectF(w / 2 - 70, 2, 140, 9)).withFont(14, true).centre();
    f.pageNumber(QStringLiteral("페이지 : "), QRectF(w - 60, 2, 60, 5)).withFont(8).right();
    if (isoAndPaper) {
        f.label(QStringLiteral("iso_seq"), QRectF(0, 7.5, 90, 5)).withFont(8);
        f.text(QStringLiteral("A4.(210*297)"), QRectF(w - 60, 7.5, 60, 5)).withFont(8).right();
    }
}
