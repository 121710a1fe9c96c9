#include "widgets/Parameter_binding.h"

#include "foundation/Parameter_watchers.h"

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
    if (_parameter)
    {
        _parameter->remove_listener(this);
        remove_parameter_watcher(*_parameter, this);
    }
    _parameter = parameter;
    if (!_parameter) return;
    _parameter->add_listener(this);
    add_parameter_watcher(*_parameter, this);
}

void Parameter_binding::parameter_destroyed(Parameter const& parameter)
{
    if (&parameter == _parameter) _parameter = nullptr;
}
