#ifndef FOUNDATION_Q_SPIN_PARAMETERS_H
#define FOUNDATION_Q_SPIN_PARAMETERS_H

#include "foundation/Notifiable.h"
#include "foundation/Q_parameter_bridge.h"

class QDoubleSpinBox;
class QSpinBox;

// Spin boxes take a typed value only when it is confirmed (Enter or focus loss).
class Q_int_parameter : public Q_parameter_bridge, public Notifiable
{
public:
    explicit Q_int_parameter(Parameter* parameter);
    ~Q_int_parameter() override;

    void notify() override;

private:
    QSpinBox* _spin_box;
};

class Q_float_parameter : public Q_parameter_bridge, public Notifiable
{
public:
    explicit Q_float_parameter(Parameter* parameter);
    ~Q_float_parameter() override;

    // Step and decimals follow the range given at construction only.
    void notify() override;

private:
    QDoubleSpinBox* _spin_box;
};

#endif
