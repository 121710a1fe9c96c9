#ifndef WIDGETS_PARAMETER_BINDING_H
#define WIDGETS_PARAMETER_BINDING_H

#include "foundation/Parameter.h"

// The parameter a widget mirrors. The binding is the parameter's listener for
// as long as it holds it and passes each change on to the widget; once the
// parameter is gone it holds null, and neither the widget nor its destructor
// reaches the parameter again.
class Parameter_binding : public Parameter_listener
{
public:
    explicit Parameter_binding(Notifiable& widget, Parameter* parameter = nullptr);
    Parameter_binding(Parameter_binding const&) = delete;
    Parameter_binding& operator=(Parameter_binding const&) = delete;
    ~Parameter_binding() override;

    void bind(Parameter* parameter);
    Parameter* get() const { return _parameter; }

    void notify() override { _widget.notify(); }
    void parameter_destroyed(Parameter const& parameter) override;

private:
    Notifiable& _widget;
    Parameter* _parameter = nullptr;
};

#endif
