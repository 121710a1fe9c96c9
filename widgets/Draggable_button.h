#ifndef WIDGETS_DRAGGABLE_BUTTON_H
#define WIDGETS_DRAGGABLE_BUTTON_H

#include "widgets/Draggable_label.h"
#include "widgets/Parameter_binding.h"
#include "widgets/Right_click_action.h"

#include <functional>
#include <string>

class Parameter;

// A label that acts when clicked. A checkable button toggles first; a button
// bound to a bool parameter shows the parameter's value as its checked state.
class Draggable_button : public Draggable_label
{
public:
    Draggable_button(Eigen::Vector3f const& position, Eigen::Vector2f const& size, std::string const& text,
                     std::function<void()> const& callback);
    Draggable_button(Eigen::Vector3f const& position, Eigen::Vector2f const& size, std::string const& text,
                     std::function<void(std::string const&)> const& callback, std::string const& argument);

    void clicked() override;
    void right_clicked() override;
    void notify() override;

    void set_checkable(bool checkable) { _checkable = checkable; }
    bool is_checkable() const { return _checkable; }
    bool is_checked() const { return _checked; }
    void set_checked(bool checked) { _checked = checked; }
    void uncheck() { _checked = false; }

    void set_right_click_callback(std::function<void(std::string const&)> const& callback, std::string const& argument)
    {
        _right_click.set(callback, argument);
    }

    // Listens to the parameter from now on; null unbinds.
    void set_parameter(Parameter* parameter);
    Parameter* get_parameter() const { return _parameter.get(); }

private:
    std::function<void()> _callback;
    std::function<void(std::string const&)> _string_callback;
    std::string _string_argument;
    Right_click_action _right_click;
    bool _checkable = false;
    bool _checked = false;
    Parameter_binding _parameter{*this};
};

#endif
