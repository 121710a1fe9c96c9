#include "tools/textures/Button_painting.h"

#include <QDir>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

QImage button_panel(QColor const& frame, std::function<void(QPainter&)> const& draw_panel)
{
    QImage image(button_size, button_size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient panel(0, 0, 0, button_size);
    panel.setColorAt(0.0, QColor(40, 52, 72, 235));
    panel.setColorAt(1.0, QColor(18, 24, 36, 235));
    painter.setPen(QPen(frame, 10));
    painter.setBrush(panel);
    draw_panel(painter);
    return image;
}

QPen outline(QColor const& color, float width)
{
    return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QImage round_button(std::function<void(QPainter&)> const& paint)
{
    QImage image = button_panel(
        frame_blue, [](QPainter& painter) { painter.drawEllipse(QRectF(10, 10, button_size - 20, button_size - 20)); });
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return image;
}

void paint_arc_arrow(QPainter& painter, QPointF const& centre, float radius, float width)
{
    QRectF const circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(circle, 40 * 16, 280 * 16);
    // The head at the arc's end, pointing along it.
    double const end = (40.0 + 280.0) * 3.14159265 / 180.0;
    QPointF const tip(centre.x() + radius * std::cos(end), centre.y() - radius * std::sin(end));
    QPointF const along(std::sin(end), std::cos(end));
    QPointF const across(std::cos(end), -std::sin(end));
    QPainterPath head;
    head.moveTo(tip + along * width * 1.6);
    head.lineTo(tip + across * width * 1.6);
    head.lineTo(tip - across * width * 1.6);
    head.closeSubpath();
    painter.setBrush(painter.pen().color());
    painter.drawPath(head);
}

bool save_textures(QDir const& data, std::vector<Named_image> const& images)
{
    for (Named_image const& named : images)
        if (!named.image.save(data.filePath(QString("textures/") + named.file))) return false;
    return true;
}
