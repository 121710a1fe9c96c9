#include "tools/textures/Toolbar_textures.h"

#include "tools/textures/Button_painting.h"

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace
{

// A rounded panel framed in the kind's colour, with a pale badge in the lower
// left where the play screen paints the count in black (from (25, 200) at 100
// pixels).
QImage button_ground(QColor const& accent)
{
    QImage image = button_panel(accent, [](QPainter& painter) {
        painter.drawRoundedRect(QRectF(8, 8, button_size - 16, button_size - 16), 36, 36);
    });
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(235, 242, 250, 230));
    painter.drawRoundedRect(QRectF(18, 118, 84, 104), 22, 22);
    return image;
}

// The picture of a kind, drawn by `paint` into a square of 112 that is scaled to
// fill the panel's upper right, clear of the count badge.
QImage element_button(QColor const& accent, std::function<void(QPainter&)> const& paint)
{
    QImage image = button_ground(accent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(90, 18);
    painter.scale(1.35, 1.35);
    paint(painter);
    return image;
}

void paint_box(QPainter& painter, QColor const& fill, QColor const& edge)
{
    painter.setPen(outline(edge));
    painter.setBrush(fill);
    QPolygonF front({QPointF(8, 36), QPointF(80, 36), QPointF(80, 104), QPointF(8, 104)});
    QPolygonF top({QPointF(8, 36), QPointF(32, 12), QPointF(104, 12), QPointF(80, 36)});
    QPolygonF side({QPointF(80, 36), QPointF(104, 12), QPointF(104, 80), QPointF(80, 104)});
    painter.drawPolygon(front);
    painter.setBrush(fill.lighter(130));
    painter.drawPolygon(top);
    painter.setBrush(fill.darker(130));
    painter.drawPolygon(side);
}

void paint_wall(QPainter& painter)
{
    paint_box(painter, QColor(150, 156, 168), QColor(60, 64, 74));
    painter.setPen(outline(QColor(90, 96, 108), 4));
    for (int row = 0; row < 3; ++row)
    {
        float const y = 58 + row * 22;
        painter.drawLine(QPointF(8, y), QPointF(80, y));
        float const shift = row % 2 ? 26 : 44;
        painter.drawLine(QPointF(shift, y - 22), QPointF(shift, y));
    }
}

void paint_heat(QPainter& painter)
{
    QLinearGradient hot_cold(0, 0, 112, 0);
    hot_cold.setColorAt(0.0, QColor(60, 130, 255));
    hot_cold.setColorAt(1.0, QColor(255, 90, 40));
    painter.setPen(outline(light));
    painter.setBrush(hot_cold);
    painter.drawRoundedRect(QRectF(6, 20, 100, 84), 14, 14);
    painter.setBrush(Qt::NoBrush);
    for (int wave = 0; wave < 3; ++wave)
    {
        QPainterPath path;
        float const x = 26 + wave * 28;
        path.moveTo(x, 92);
        path.cubicTo(x - 12, 76, x + 12, 60, x, 44);
        path.cubicTo(x - 8, 36, x + 6, 30, x, 26);
        painter.drawPath(path);
    }
}

void paint_box_portal(QPainter& painter)
{
    paint_box(painter, QColor(60, 190, 110, 200), QColor(20, 90, 50));
    painter.setPen(outline(light, 8));
    painter.drawLine(QPointF(44, 44), QPointF(44, 92));
    painter.drawLine(QPointF(28, 76), QPointF(44, 94));
    painter.drawLine(QPointF(60, 76), QPointF(44, 94));
}

void paint_sphere_portal(QPainter& painter)
{
    QRadialGradient ball(QPointF(44, 44), 64);
    ball.setColorAt(0.0, QColor(190, 255, 210));
    ball.setColorAt(0.6, QColor(60, 190, 110));
    ball.setColorAt(1.0, QColor(20, 90, 50));
    painter.setPen(outline(QColor(20, 90, 50)));
    painter.setBrush(ball);
    painter.drawEllipse(QPointF(56, 58), 48, 48);
}

void paint_releaser(QPainter& painter)
{
    painter.setPen(outline(QColor(50, 60, 80)));
    painter.setBrush(QColor(180, 188, 200));
    painter.drawRoundedRect(QRectF(4, 36, 54, 52), 10, 10);
    painter.drawRect(QRectF(56, 48, 18, 28));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(90, 170, 255));
    QPointF const drops[] = {{86, 40}, {96, 62}, {88, 84}, {106, 30}, {108, 94}};
    for (QPointF const& drop : drops) painter.drawEllipse(drop, 7, 7);
}

void paint_charged(QPainter& painter)
{
    paint_box(painter, QColor(240, 200, 60), QColor(120, 90, 10));
    painter.setPen(outline(QColor(120, 30, 20), 8));
    painter.drawLine(QPointF(20, 70), QPointF(44, 70));
    painter.drawLine(QPointF(32, 58), QPointF(32, 82));
    painter.setPen(outline(QColor(20, 50, 130), 8));
    painter.drawLine(QPointF(54, 70), QPointF(72, 70));
}

void paint_tractor(QPainter& painter)
{
    painter.setPen(outline(QColor(90, 40, 140)));
    painter.setBrush(QColor(170, 110, 230, 220));
    painter.drawRoundedRect(QRectF(4, 26, 104, 76), 16, 16);
    painter.setPen(outline(light, 8));
    for (int chevron = 0; chevron < 3; ++chevron)
    {
        float const x = 20 + chevron * 28;
        painter.drawLine(QPointF(x, 44), QPointF(x + 18, 64));
        painter.drawLine(QPointF(x + 18, 64), QPointF(x, 84));
    }
}

void paint_reset_camera(QPainter& painter)
{
    painter.setPen(outline(light, 12));
    paint_arc_arrow(painter, QPointF(128, 128), 72, 12);
    painter.setPen(outline(light, 8));
    painter.setBrush(QColor(20, 133, 204));
    painter.drawRoundedRect(QRectF(92, 108, 72, 48), 8, 8);
    painter.drawEllipse(QPointF(128, 132), 14, 14);
}

void paint_change_speed(QPainter& painter)
{
    painter.setPen(outline(light, 8));
    painter.setBrush(light);
    for (int head = 0; head < 2; ++head)
    {
        float const x = 70 + head * 60;
        painter.drawPolygon(QPolygonF({QPointF(x, 78), QPointF(x + 58, 128), QPointF(x, 178)}));
    }
}

// Handle icons: white on a transparent ground with a dark rim, so they show
// against the light station walls and the dark field alike.
QImage handle_icon(std::function<void(QPainter&)> const& paint)
{
    QImage image(icon_size, icon_size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 60, 100, 170));
    painter.drawEllipse(QRectF(6, 6, icon_size - 12, icon_size - 12));
    painter.setPen(outline(light, 9));
    paint(painter);
    return image;
}

void paint_rotate(QPainter& painter)
{
    paint_arc_arrow(painter, QPointF(64, 64), 34, 9);
}

void paint_scale(QPainter& painter)
{
    painter.drawLine(QPointF(36, 92), QPointF(92, 36));
    for (QPointF const& corner : {QPointF(36, 92), QPointF(92, 36)})
    {
        float const sign = corner.x() < 64 ? 1.f : -1.f;
        painter.drawLine(corner, corner + QPointF(sign * 24, 0));
        painter.drawLine(corner, corner + QPointF(0, -sign * 24));
    }
}

void paint_move(QPainter& painter)
{
    painter.drawLine(QPointF(64, 26), QPointF(64, 102));
    painter.drawLine(QPointF(26, 64), QPointF(102, 64));
    QPointF const tips[] = {{64, 26}, {64, 102}, {26, 64}, {102, 64}};
    for (QPointF const& tip : tips)
    {
        QPointF const inward = (QPointF(64, 64) - tip) / 38.0 * 14.0;
        QPointF const side(inward.y(), -inward.x());
        painter.drawLine(tip, tip + inward + side);
        painter.drawLine(tip, tip + inward - side);
    }
}

void paint_slider(QPainter& painter)
{
    painter.drawLine(QPointF(22, 64), QPointF(106, 64));
    painter.setBrush(QColor(20, 133, 204));
    painter.drawRoundedRect(QRectF(50, 38, 28, 52), 8, 8);
}

void paint_gear(QPainter& painter)
{
    QPainterPath gear;
    int const teeth = 8;
    for (int i = 0; i < 2 * teeth; ++i)
    {
        double const angle = i * 3.14159265 / teeth;
        double const radius = i % 2 ? 30.0 : 42.0;
        QPointF const point(64 + radius * std::cos(angle), 64 + radius * std::sin(angle));
        if (i == 0)
            gear.moveTo(point);
        else
            gear.lineTo(point);
    }
    gear.closeSubpath();
    painter.setBrush(QColor(20, 133, 204));
    painter.drawPath(gear);
    painter.drawEllipse(QPointF(64, 64), 12, 12);
}

} // namespace

bool write_toolbar_textures(QDir const& data)
{
    return save_textures(data,
                         {
                             {"button_Box_barrier.png", element_button(QColor(150, 156, 168), paint_wall)},
                             {"button_Brownian_box.png", element_button(QColor(255, 120, 60), paint_heat)},
                             {"button_Box_portal.png", element_button(QColor(60, 190, 110), paint_box_portal)},
                             {"button_Sphere_portal.png", element_button(QColor(60, 190, 110), paint_sphere_portal)},
                             {"button_Molecule_releaser.png", element_button(QColor(90, 170, 255), paint_releaser)},
                             {"button_Charged_barrier.png", element_button(QColor(240, 200, 60), paint_charged)},
                             {"button_Tractor_barrier.png", element_button(QColor(170, 110, 230), paint_tractor)},
                             {"button_reset_camera.png", round_button(paint_reset_camera)},
                             {"button_change_speed.png", round_button(paint_change_speed)},
                             {"rotate.png", handle_icon(paint_rotate)},
                             {"scale.png", handle_icon(paint_scale)},
                             {"move.png", handle_icon(paint_move)},
                             {"slider.png", handle_icon(paint_slider)},
                             {"handle_settings.png", handle_icon(paint_gear)},
                         });
}
