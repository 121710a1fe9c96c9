#ifndef FOUNDATION_FLOATSLIDER_H
#define FOUNDATION_FLOATSLIDER_H

#include <QPoint>
#include <QSlider>

// A horizontal slider over a float range, carried as integer positions of
// value x 10000; while dragged it shows its value in a tooltip above the handle.
class FloatSlider : public QSlider
{
    Q_OBJECT

public:
    FloatSlider(float min, float max, float value);

    virtual float get_float_value() const;
    virtual void set_float_value(float value);

    // In global coordinates: 45 pixels above the vertical middle, across the
    // slider as far as the position is across the range.
    QPoint tooltip_position() const;

signals:
    void valueChanged(float value);

public slots:
    void changeValue(int position);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    float _factor = 10000.f;
    bool _show_tooltip = true;
};

#endif
