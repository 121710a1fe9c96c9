#include "widgets/Draggable_button.h"

#include "foundation/Parameter.h"

#include <typeinfo>

Draggable_button::Draggable_button(Eigen::Vector3f const& position, Eigen::Vector2f const& size,
                                   std::string const& text, std::function<void()> const& callback)
    : Draggable_label(position, size, text), _callback(callback)
{
}

Draggable_button::Draggable_button(Eigen::Vector3f const& position, Eigen::Vector2f const& size,
                                   std::string const& text, std::function<void(std::string const&)> const& callback,
                                   std::string const& argument)
    : Draggable_label(position, size, text), _string_callback(callback), _string_argument(argument)
{
}

void Draggable_button::clicked()
{
    if (_checkable) _checked = !_checked;
    if (_string_callback)
        _string_callback(_string_argument);
    else if (_callback)
        _callback();
}

void Draggable_button::right_clicked()
{
    _right_click.run();
}

void Draggable_button::notify()
{
    // A level or settings file may hold another type under the same name.
    Parameter const* parameter = _parameter.get();
    if (parameter && parameter->get_type() == typeid(bool)) _checked = parameter->get_value<bool>();
}

void Draggable_button::set_parameter(Parameter* parameter)
{
    _parameter.bind(parameter);
    if (parameter) notify();
}
