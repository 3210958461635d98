#pragma once
// The program's icon and splash picture, drawn in code (the same truck as
// icons/varer.svg, which the desktop menu uses).
#include <QIcon>
#include <QPixmap>

class QPainter;
class QRectF;

namespace Artwork {

void paintIcon(QPainter& p, const QRectF& box);
QIcon appIcon();
QPixmap splash();

} // namespace Artwork
