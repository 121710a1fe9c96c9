#ifndef FOUNDATION_Q_CHECK_PARAMETERS_H
#define FOUNDATION_Q_CHECK_PARAMETERS_H

#include "foundation/Notifiable.h"
#include "foundation/Q_parameter_bridge.h"

class QCheckBox;
class QGroupBox;

class Q_bool_parameter : public Q_parameter_bridge, public Notifiable
{
public:
    explicit Q_bool_parameter(Parameter* parameter);
    ~Q_bool_parameter() override;

    void notify() override;

private:
    QCheckBox* _check_box;
};

// Makes a group box checkable and binds its check mark to a bool parameter;
// without a box, a new one titled with the parameter's name.
class Q_groupbox_parameter : public Q_parameter_bridge, public Notifiable
{
public:
    explicit Q_groupbox_parameter(Parameter* parameter, QGroupBox* group_box = nullptr);
    ~Q_groupbox_parameter() override;

    void notify() override;

private:
    QGroupBox* _group_box;
};

#endif
