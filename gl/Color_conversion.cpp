#include "gl/Color_conversion.h"

#include <QtGlobal>

namespace
{

float unit_clamped(float value)
{
    // qBound turns NaN into 0 here, which QColor accepts.
    return qBound(0.f, value, 1.f);
}

} // namespace

Color4 to_color4(QRgb pixel)
{
    return Color4(qRed(pixel) / 255.f, qGreen(pixel) / 255.f, qBlue(pixel) / 255.f, qAlpha(pixel) / 255.f);
}

Color to_color(QColor const& color)
{
    return Color(float(color.redF()), float(color.greenF()), float(color.blueF()));
}

QColor to_qcolor(Color4 const& color)
{
    return QColor::fromRgbF(unit_clamped(color.r), unit_clamped(color.g), unit_clamped(color.b), unit_clamped(color.a));
}
