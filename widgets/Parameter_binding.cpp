#include "widgets/Parameter_binding.h"

Parameter_binding::Parameter_binding(Notifiable& widget, Parameter* parameter) : _widget(widget)
{
    bind(parameter);
}

Parameter_binding::~Parameter_binding()
{
    bind(nullptr);
}

void Parameter_binding::bind(Parameter* parameter)
{
    if (parameter == _parameter) return;
    if (_parameter) _parameter->remove_listener(this);
    _parameter = parameter;
    if (_parameter) _parameter->add_listener(this);
}

void Parameter_binding::parameter_destroyed(Parameter const& parameter)
{
    if (&parameter == _parameter) _parameter = nullptr;
}
