#include "foundation/Q_check_parameters.h"

#include "foundation/Parameter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QSignalBlocker>

Q_bool_parameter::Q_bool_parameter(Parameter* parameter)
    : Q_parameter_bridge(parameter), _check_box(new QCheckBox(QString::fromStdString(parameter->_name)))
{
    _check_box->setChecked(parameter->get_value<bool>());
    set_widget(_check_box);
    connect(_check_box, &QCheckBox::stateChanged, this, &Q_parameter_bridge::set_bool_from_int);
    parameter->add_listener(this);
}

Q_bool_parameter::~Q_bool_parameter()
{
    _parameter->remove_listener(this);
}

void Q_bool_parameter::notify()
{
    QSignalBlocker const blocker(_check_box);
    bool const value = _parameter->get_value<bool>();
    if (_check_box->isChecked() != value) _check_box->setChecked(value);
}

Q_groupbox_parameter::Q_groupbox_parameter(Parameter* parameter, QGroupBox* group_box)
    : Q_parameter_bridge(parameter),
      _group_box(group_box ? group_box : new QGroupBox(QString::fromStdString(parameter->_name)))
{
    _group_box->setCheckable(true);
    _group_box->setChecked(parameter->get_value<bool>());
    set_widget(_group_box);
    connect(_group_box, &QGroupBox::toggled, this, &Q_parameter_bridge::set_bool);
    parameter->add_listener(this);
}

Q_groupbox_parameter::~Q_groupbox_parameter()
{
    _parameter->remove_listener(this);
}

void Q_groupbox_parameter::notify()
{
    QSignalBlocker const blocker(_group_box);
    bool const value = _parameter->get_value<bool>();
    if (_group_box->isChecked() != value) _group_box->setChecked(value);
}
