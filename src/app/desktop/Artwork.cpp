#include "app/desktop/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace Artwork {

void paintIcon(QPainter& p, const QRectF& box)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(box.topLeft());
    p.scale(box.width() / 256.0, box.height() / 256.0);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#2f5d8a"));
    p.drawRoundedRect(QRectF(8, 8, 240, 240), 40, 40);
    p.setBrush(QColor("#3b3b3b"));
    p.drawRoundedRect(QRectF(36, 160, 184, 18), 4, 4);

    // drum
    p.save();
    p.translate(112, 122);
    p.rotate(-14);
    p.setPen(QPen(QColor("#5a5a5a"), 5));
    p.setBrush(QColor("#d9d9d9"));
    p.drawEllipse(QPointF(0, 0), 74, 44);
    p.setPen(QPen(QColor("#8c8c8c"), 8));
    for (const auto& [x1, y1, x2, y2] : {std::array{-50, -30, -28, 34}, std::array{-16, -42, 6, 42},
                                          std::array{18, -42, 38, 40}, std::array{48, -32, 64, 28}})
        p.drawLine(x1, y1, x2, y2);
    p.setPen(QPen(QColor("#5a5a5a"), 4));
    p.setBrush(QColor("#b0b0b0"));
    p.drawEllipse(QPointF(74, 0), 10, 30);
    p.restore();

    // cab
    QPainterPath cab;
    cab.moveTo(186, 104);
    cab.lineTo(218, 104);
    cab.lineTo(232, 134);
    cab.lineTo(232, 168);
    cab.lineTo(186, 168);
    cab.closeSubpath();
    p.setPen(QPen(QColor("#7a5a10"), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor("#f2b632"));
    p.drawPath(cab);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor("#cfe6f7"));
    p.drawPolygon(QPolygonF({QPointF(196, 112), QPointF(214, 112), QPointF(224, 134), QPointF(196, 134)}));

    // wheels
    p.setPen(QPen(QColor("#999999"), 5));
    p.setBrush(QColor("#222222"));
    for (int x : {70, 116, 206})
        p.drawEllipse(QPointF(x, 184), 20, 20);
    p.restore();
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        paintIcon(p, QRectF(0, 0, size, size));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QPixmap splash()
{
    QPixmap pm(520, 300);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, pm.height());
    bg.setColorAt(0, QColor("#3d6d99"));
    bg.setColorAt(1, QColor("#1f3f5f"));
    p.fillRect(pm.rect(), bg);
    paintIcon(p, QRectF(30, 70, 160, 160));

    QFont title(QStringLiteral("NanumGothic"));
    title.setPixelSize(54);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(220, 80, 280, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("varer"));
    QFont sub(QStringLiteral("NanumGothic"));
    sub.setPixelSize(20);
    p.setFont(sub);
    p.setPen(QColor("#dce8f3"));
    p.drawText(QRectF(222, 150, 280, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("레미콘 영업 관리"));
    p.end();
    return pm;
}

} // namespace Artwork
