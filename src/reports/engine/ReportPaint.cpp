#include "reports/engine/ReportPaint.h"
#include "reports/engine/ReportError.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <cmath>
#include <optional>

namespace {

// Draws a single-line text in its rectangle. Text with spaces is drawn word
// by word at the words' measured places: some Korean fonts (NanumGothic) map
// the space and control codes to one glyph, and a PDF would then read the
// space back as U+0001. Without a space glyph readers see a gap instead.
void drawText(QPainter& painter, const QFontMetricsF& m, double space, const QRectF& r, int align,
              const QString& text)
{
    const int flags = Qt::TextSingleLine | Qt::TextDontClip;
    if (!text.contains(QLatin1Char(' '))) {
        painter.drawText(r, align | flags, text);
        return;
    }
    struct Word {
        QString text;
        double at, width;
    };
    QList<Word> words;
    double x = 0;
    int start = 0;
    const int n = int(text.size());
    while (start < n) {
        if (text.at(start) == QLatin1Char(' ')) {
            x += space;
            ++start;
            continue;
        }
        int end = start;
        while (end < n && text.at(end) != QLatin1Char(' '))
            ++end;
        const QString word = text.mid(start, end - start);
        const double w = m.horizontalAdvance(word);
        words.append({word, x, w});
        x += w;
        start = end;
    }
    double left = r.left();
    if (align & Qt::AlignRight)
        left = r.right() - x;
    else if (align & Qt::AlignHCenter)
        left = r.center().x() - x / 2;
    const int vertical = align & Qt::AlignVertical_Mask;
    for (const Word& w : words)
        painter.drawText(QRectF(left + w.at, r.top(), w.width + 1, r.height()), Qt::AlignLeft | vertical | flags, w.text);
}

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
    std::optional<QFontMetricsF> metrics;
    double space = 0;
    for (const ReportItem& item : doc.pages.at(index).items) {
        switch (item.kind) {
        case ReportItem::Text:
            if (item.font != current) {
                current = item.font;
                painter.setFont(fonts.at(current));
                metrics.emplace(painter.font(), painter.device());
                space = metrics->horizontalAdvance(QLatin1Char(' '));
            }
            drawText(painter, *metrics, space, px(item.rect), int(item.align), item.text);
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
