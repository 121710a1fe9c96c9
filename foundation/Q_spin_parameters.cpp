#include "foundation/Q_spin_parameters.h"

#include "foundation/Mouse_wheel_eater.h"
#include "foundation/Parameter.h"

#include <QDoubleSpinBox>
#include <QFrame>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <limits>

namespace
{

bool has_range(Parameter const& parameter)
{
    return parameter._value_list.size() == 2;
}

// A thousandth of the range per step, and as many decimals as that step needs,
// from 4 for a range of 1 or less down to 0 for a range of 10000 or more.
void set_float_format(QDoubleSpinBox* spin_box, float min, float max)
{
    float const range = std::fabs(max - min);
    spin_box->setSingleStep(range * 0.001f);
    spin_box->setDecimals(int(4.f - std::min(std::max(std::log10(range), 0.f), 4.f)));
}

template <typename Spin_box, typename T> void write_range_and_value(Spin_box* spin_box, Parameter const& parameter)
{
    if (has_range(parameter))
    {
        T const min = parameter.get_min<T>();
        T const max = parameter.get_max<T>();
        if (spin_box->minimum() != min) spin_box->setMinimum(min);
        if (spin_box->maximum() != max) spin_box->setMaximum(max);
    }
    T const value = parameter.get_value<T>();
    if (spin_box->value() != value) spin_box->setValue(value);
}

template <typename Spin_box> void prepare_spin_box(Spin_box* spin_box)
{
    spin_box->setKeyboardTracking(false);
    install_mouse_wheel_eater(spin_box);
}

} // namespace

Q_int_parameter::Q_int_parameter(Parameter* parameter) : Q_parameter_bridge(parameter), _spin_box(new QSpinBox)
{
    prepare_spin_box(_spin_box);
    if (!has_range(*parameter)) _spin_box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    write_range_and_value<QSpinBox, int>(_spin_box, *parameter);

    set_widget(make_labelled_frame(QString::fromStdString(parameter->_name), _spin_box));
    connect(_spin_box, QOverload<int>::of(&QSpinBox::valueChanged), this, &Q_parameter_bridge::set_int);
    parameter->add_listener(this);
}

Q_int_parameter::~Q_int_parameter()
{
    _parameter->remove_listener(this);
}

void Q_int_parameter::notify()
{
    QSignalBlocker const blocker(_spin_box);
    write_range_and_value<QSpinBox, int>(_spin_box, *_parameter);
}

Q_float_parameter::Q_float_parameter(Parameter* parameter)
    : Q_parameter_bridge(parameter), _spin_box(new QDoubleSpinBox)
{
    prepare_spin_box(_spin_box);
    // Decimals first: the spin box rounds range and value to the decimals it has.
    if (has_range(*parameter))
    {
        set_float_format(_spin_box, parameter->get_min<float>(), parameter->get_max<float>());
    }
    else
    {
        _spin_box->setRange(-std::numeric_limits<float>::max(), std::numeric_limits<float>::max());
    }
    write_range_and_value<QDoubleSpinBox, float>(_spin_box, *parameter);

    set_widget(make_labelled_frame(QString::fromStdString(parameter->_name), _spin_box));
    connect(_spin_box, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &Q_parameter_bridge::set_double);
    parameter->add_listener(this);
}

Q_float_parameter::~Q_float_parameter()
{
    _parameter->remove_listener(this);
}

void Q_float_parameter::notify()
{
    QSignalBlocker const blocker(_spin_box);
    write_range_and_value<QDoubleSpinBox, float>(_spin_box, *_parameter);
}
