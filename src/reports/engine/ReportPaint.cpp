#include "reports/engine/ReportPaint.h"
#include "reports/engine/ReportError.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cmath>

namespace {

QPageLayout a4(const ReportDocument& doc)
{
    return QPageLayout(QPageSize(QPageSize::A4),
                       doc.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

void paintAll(const ReportDocument& doc, QPaintDevice& device, double pixelsPerMm,
              const std::function<bool()>& newPage, const std::function<bool(int, int)>& progress)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(QStringLiteral("출력 장치를 열 수 없습니다."));
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0 && !newPage())
            throw ReportError(QStringLiteral("출력 장치에 새 페이지를 만들 수 없습니다."));
        ReportPaint::page(painter, doc, i, pixelsPerMm);
        if (progress && !progress(i + 1, doc.pageCount()))
            break;
    }
    painter.end();
}

} // namespace

namespace ReportPaint {

void page(QPainter& painter, const ReportDocument& doc, int index, double pixelsPerMm)
{
    if (index < 0 || index >= doc.pageCount())
        return;
    const double s = pixelsPerMm;
    auto px = [s](const QRectF& r) { return QRectF(r.x() * s, r.y() * s, r.width() * s, r.height() * s); };

    QList<QFont> fonts;
    for (const ReportFont& f : doc.fonts) {
        QFont font(doc.fontFamily);
        font.setPixelSize(qMax(1, int(std::lround(f.size * 25.4 / 72.0 * s))));
        font.setBold(f.bold);
        fonts << font;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    QPen pen(Qt::black);
    pen.setWidthF(qMax(1.0, 0.2 * s));
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    int current = -1;
    for (const ReportItem& item : doc.pages.at(index).items) {
        switch (item.kind) {
        case ReportItem::Text:
            if (item.font != current) {
                current = item.font;
                painter.setFont(fonts.at(current));
            }
            painter.drawText(px(item.rect), int(item.align) | Qt::TextSingleLine | Qt::TextDontClip, item.text);
            break;
        case ReportItem::Line: {
            const QRectF r = px(item.rect);
            painter.drawLine(r.topLeft(), r.bottomRight());
            break;
        }
        case ReportItem::Box:
            painter.drawRect(px(item.rect));
            break;
        case ReportItem::Picture:
            painter.drawImage(px(item.rect), doc.pictures.at(item.font));
            break;
        }
    }
    painter.restore();
}

void pdf(const ReportDocument& doc, const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(600);
    writer.setPageLayout(a4(doc));
    writer.setTitle(doc.title);
    writer.setCreator(QStringLiteral("varer"));
    paintAll(doc, writer, writer.resolution() / 25.4, [&] { return writer.newPage(); }, {});
}

void print(const ReportDocument& doc, QPrinter& printer, const std::function<bool(int, int)>& progress)
{
    printer.setFullPage(true);
    printer.setPageLayout(a4(doc));
    printer.setDocName(doc.title);
    paintAll(doc, printer, printer.resolution() / 25.4, [&] { return printer.newPage(); }, progress);
}

} // namespace ReportPaint
