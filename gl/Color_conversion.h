#ifndef GL_COLOR_CONVERSION_H
#define GL_COLOR_CONVERSION_H

#include "gl/Color.h"

#include <QColor>
#include <QRgb>

// Each byte of an ARGB pixel divided by 255.
Color4 to_color4(QRgb pixel);

Color to_color(QColor const& color);

// Components are clamped to [0, 1] first: QColor takes nothing outside that
// range, and float render targets routinely hold such values.
QColor to_qcolor(Color4 const& color);

#endif
