#include "tools/textures/Editor_textures.h"

#include "tools/textures/Button_painting.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <functional>

namespace
{

QColor const hydrogen(245, 245, 250);
QColor const oxygen(230, 51, 51);
QColor const sodium(204, 77, 204);
QColor const chlorine(128, 204, 77);

void paint_atom(QPainter& painter, QPointF const& centre, float radius, QColor const& color)
{
    QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.4);
    shade.setColorAt(0.0, color.lighter(150));
    shade.setColorAt(0.7, color);
    shade.setColorAt(1.0, color.darker(170));
    painter.setPen(outline(color.darker(220), 4));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius, radius);
}

void paint_text(QPainter& painter, QRectF const& box, QString const& text, int pixel_size, QColor const& color)
{
    QFont font("Sans");
    font.setBold(true);
    font.setPixelSize(pixel_size);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(box, Qt::AlignCenter, text);
}

// A rounded panel framed in the molecule's colour with its picture and, below
// it, its formula.
QImage molecule_button(QColor const& accent, QString const& formula, std::function<void(QPainter&)> const& paint)
{
    QImage image = button_panel(accent, [](QPainter& painter) {
        painter.drawRoundedRect(QRectF(8, 8, button_size - 16, button_size - 16), 36, 36);
    });
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    paint_text(painter, QRectF(0, 184, button_size, 56), formula, 48, light);
    return image;
}

void paint_water(QPainter& painter)
{
    paint_atom(painter, QPointF(72, 72), 34, hydrogen);
    paint_atom(painter, QPointF(184, 72), 34, hydrogen);
    paint_atom(painter, QPointF(128, 112), 58, oxygen);
}

// A lone ion with its charge on it.
std::function<void(QPainter&)> ion(QColor const& color, QString const& charge)
{
    return [color, charge](QPainter& painter) {
        paint_atom(painter, QPointF(128, 104), 74, color);
        paint_text(painter, QRectF(54, 30, 148, 148), charge, 120, QColor(255, 255, 255, 235));
    };
}

void paint_play_pause(QPainter& painter)
{
    painter.setPen(outline(light, 8));
    painter.setBrush(light);
    painter.drawPolygon(QPolygonF({QPointF(70, 82), QPointF(138, 128), QPointF(70, 174)}));
    painter.drawRoundedRect(QRectF(156, 84, 16, 88), 4, 4);
    painter.drawRoundedRect(QRectF(188, 84, 16, 88), 4, 4);
}

// The icons left of the editor's sliders: a pale sign on a dark rounded square.
QImage slider_icon(std::function<void(QPainter&)> const& paint)
{
    QImage image(icon_size, icon_size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(frame_blue, 6));
    painter.setBrush(QColor(24, 32, 48, 225));
    painter.drawRoundedRect(QRectF(5, 5, icon_size - 10, icon_size - 10), 22, 22);
    painter.setPen(outline(light, 8));
    painter.setBrush(Qt::NoBrush);
    paint(painter);
    return image;
}

void paint_arrow_head(QPainter& painter, QPointF const& tip, QPointF const& direction, float size)
{
    QPointF const back = tip - direction * size;
    QPointF const side(-direction.y() * size * 0.7, direction.x() * size * 0.7);
    painter.setBrush(painter.pen().color());
    painter.drawPolygon(QPolygonF({tip, back + side, back - side}));
    painter.setBrush(Qt::NoBrush);
}

void paint_double_arrow(QPainter& painter, QPointF const& from, QPointF const& to)
{
    QPointF const along = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    painter.drawLine(from + along * 14, to - along * 14);
    paint_arrow_head(painter, from, -along, 18);
    paint_arrow_head(painter, to, along, 18);
}

void paint_thermometer(QPainter& painter)
{
    painter.drawRoundedRect(QRectF(52, 20, 24, 70), 12, 12);
    painter.setPen(outline(QColor(255, 110, 60), 6));
    painter.setBrush(QColor(255, 90, 40));
    painter.drawEllipse(QPointF(64, 96), 16, 16);
    painter.drawLine(QPointF(64, 84), QPointF(64, 42));
}

void paint_damping(QPainter& painter)
{
    QPainterPath wave;
    wave.moveTo(16, 64);
    for (int x = 16; x <= 112; x += 2)
    {
        double const t = (x - 16) / 96.0;
        wave.lineTo(x, 64 - 40 * std::exp(-3.0 * t) * std::sin(t * 4.0 * 3.14159265 * 1.5));
    }
    painter.drawPath(wave);
}

void paint_gravity(QPainter& painter)
{
    paint_atom(painter, QPointF(64, 40), 20, QColor(220, 60, 50));
    painter.setPen(outline(light, 8));
    painter.drawLine(QPointF(64, 70), QPointF(64, 96));
    paint_arrow_head(painter, QPointF(64, 112), QPointF(0, 1), 18);
}

void paint_mass(QPainter& painter)
{
    painter.drawEllipse(QPointF(64, 34), 12, 12);
    painter.setBrush(light);
    painter.drawPolygon(QPolygonF({QPointF(40, 52), QPointF(88, 52), QPointF(104, 104), QPointF(24, 104)}));
}

void paint_coulomb(QPainter& painter)
{
    paint_atom(painter, QPointF(38, 64), 24, sodium);
    paint_atom(painter, QPointF(90, 64), 24, chlorine);
    painter.setPen(outline(light, 6));
    painter.drawLine(QPointF(28, 64), QPointF(48, 64));
    painter.drawLine(QPointF(38, 54), QPointF(38, 74));
    painter.drawLine(QPointF(80, 64), QPointF(100, 64));
}

void paint_waals(QPainter& painter)
{
    paint_atom(painter, QPointF(44, 70), 26, QColor(170, 176, 190));
    paint_atom(painter, QPointF(86, 70), 26, QColor(170, 176, 190));
    painter.setPen(outline(light, 5));
    painter.drawArc(QRectF(30, 18, 68, 40), 30 * 16, 120 * 16);
}

void paint_width(QPainter& painter)
{
    painter.drawLine(QPointF(18, 36), QPointF(18, 92));
    painter.drawLine(QPointF(110, 36), QPointF(110, 92));
    paint_double_arrow(painter, QPointF(26, 64), QPointF(102, 64));
}

void paint_height(QPainter& painter)
{
    painter.drawLine(QPointF(36, 18), QPointF(92, 18));
    painter.drawLine(QPointF(36, 110), QPointF(92, 110));
    paint_double_arrow(painter, QPointF(64, 26), QPointF(64, 102));
}

} // namespace

bool write_editor_textures(QDir const& data)
{
    return save_textures(data, {
                                   {"button_play.png", round_button(paint_play_pause)},
                                   {"button_H2O.png", molecule_button(oxygen, "H\u2082O", paint_water)},
                                   {"button_Na.png", molecule_button(sodium, "Na\u207A", ion(sodium, "+"))},
                                   {"button_Cl.png", molecule_button(chlorine, "Cl\u207B", ion(chlorine, "\u2212"))},
                                   {"slider_temperature.png", slider_icon(paint_thermometer)},
                                   {"slider_damping.png", slider_icon(paint_damping)},
                                   {"slider_gravity.png", slider_icon(paint_gravity)},
                                   {"slider_mass.png", slider_icon(paint_mass)},
                                   {"slider_coulomb.png", slider_icon(paint_coulomb)},
                                   {"slider_waals.png", slider_icon(paint_waals)},
                                   {"slider_width.png", slider_icon(paint_width)},
                                   {"slider_height.png", slider_icon(paint_height)},
                               });
}
