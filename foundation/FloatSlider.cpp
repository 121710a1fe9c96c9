#include "foundation/FloatSlider.h"

#include <QToolTip>

FloatSlider::FloatSlider(float min, float max, float value)
{
    setMinimum(int(min * _factor));
    setMaximum(int(max * _factor));
    setValue(int(value * _factor));
    setOrientation(Qt::Horizontal);
    connect(this, &QAbstractSlider::valueChanged, this, &FloatSlider::changeValue);
}

float FloatSlider::get_float_value() const
{
    return float(value()) / _factor;
}

void FloatSlider::set_float_value(float value)
{
    setValue(int(value * _factor));
}

void FloatSlider::changeValue(int /*position*/)
{
    emit valueChanged(get_float_value());
}

QPoint FloatSlider::tooltip_position() const
{
    // Equal bounds leave nothing to move across: the tooltip stays at the left.
    float const span = float(maximum()) - float(minimum());
    float const x = span > 0.f ? (float(value()) - float(minimum())) / span * float(width()) : 0.f;
    float const y = float(height()) * 0.5f - 45.f;
    return mapToGlobal(QPoint(0, 0)) + QPoint(int(x), int(y));
}

void FloatSlider::mouseMoveEvent(QMouseEvent* event)
{
    QSlider::mouseMoveEvent(event);
    if (_show_tooltip) QToolTip::showText(tooltip_position(), QString("%1").arg(get_float_value(), 0, 'g'), this);
}
