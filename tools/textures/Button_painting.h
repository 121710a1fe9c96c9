#ifndef TOOLS_TEXTURES_BUTTON_PAINTING_H
#define TOOLS_TEXTURES_BUTTON_PAINTING_H

#include <QColor>
#include <QImage>
#include <QPen>
#include <QPointF>

#include <functional>
#include <vector>

class QDir;
class QPainter;

// The look every in-view button and icon shares: dark translucent panels with
// a coloured frame, pale drawings on them.

int const button_size = 256;
int const icon_size = 128;

QColor const frame_blue(20, 133, 204);
QColor const light(240, 248, 255);

// A transparent button image whose dark panel, framed in `frame`, `draw_panel`
// outlines with the painter's pen and brush.
QImage button_panel(QColor const& frame, std::function<void(QPainter&)> const& draw_panel);

// A plain round button framed in blue, with `paint`'s picture on it.
QImage round_button(std::function<void(QPainter&)> const& paint);

QPen outline(QColor const& color, float width = 6.f);

// A circular arrow turning anticlockwise, its head at the end, in the pen's colour.
void paint_arc_arrow(QPainter& painter, QPointF const& centre, float radius, float width);

struct Named_image
{
    char const* file;
    QImage image;
};

// Saves each image into the data directory's textures folder; false when one
// could not be written.
bool save_textures(QDir const& data, std::vector<Named_image> const& images);

#endif
