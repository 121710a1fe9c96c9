#include "tools/textures/Widget_textures.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace
{

// A rounded arrow head pointing down, in the blue and white of the widget
// frames, on a transparent ground. The spin box turns it over for its up arrow.
QImage spinbox_arrow()
{
    int const size = 64;
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QRadialGradient glow(QPointF(32, 30), 30);
    glow.setColorAt(0.0, QColor(76, 153, 204, 110));
    glow.setColorAt(1.0, QColor(76, 153, 204, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(32, 30), 30, 30);

    QPainterPath head;
    head.moveTo(10, 18);
    head.lineTo(54, 18);
    head.lineTo(32, 48);
    head.closeSubpath();
    painter.setPen(QPen(QColor(20, 133, 204), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(QColor(240, 248, 255));
    painter.drawPath(head);
    return image;
}

} // namespace

bool write_widget_textures(QDir const& data)
{
    QImage const arrow = spinbox_arrow();
    // Both files point down: the up arrow is drawn turned by 180 degrees.
    return arrow.save(data.filePath("textures/spinbox_arrowup.png")) &&
           arrow.save(data.filePath("textures/spinbox_arrowdown.png"));
}
