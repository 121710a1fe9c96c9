#ifndef WIDGETS_DRAGGABLE_SPINBOX_H
#define WIDGETS_DRAGGABLE_SPINBOX_H

#include "widgets/Draggable_label.h"
#include "widgets/Parameter_binding.h"

#include <functional>

class Parameter;

// A one-digit spin box over an int parameter: an up and a down arrow above and
// below the digit step the value by one within the parameter's range. Its
// arrows point back to it, so it is not copyable.
class Draggable_spinbox : public Draggable_label
{
public:
    Draggable_spinbox(Eigen::Vector3f const& position, Eigen::Vector2f const& size, Parameter* parameter,
                      std::function<void()> const& callback);

    // Steps by the arrow that is updating, then runs the parameter's callback and
    // the spin box's own.
    void update() override;
    // The value is read from the parameter when shown, so a change made
    // elsewhere needs nothing but a redraw; the spin box stays where it is.
    void notify() override {}
    std::vector<Draggable*> get_draggables(int flags) override;
    Eigen::Matrix4f get_transform() const override;

    // The parameter's value; 0 without an int parameter.
    int get_value() const;
    Parameter* get_parameter() const { return _parameter.get(); }
    Draggable_screen_point const& get_up_handle() const { return _up_handle; }
    Draggable_screen_point const& get_down_handle() const { return _down_handle; }
    Draggable_screen_point& get_up_handle() { return _up_handle; }
    Draggable_screen_point& get_down_handle() { return _down_handle; }

private:
    Draggable_screen_point _up_handle;
    Draggable_screen_point _down_handle;
    std::function<void()> _callback;
    Parameter_binding _parameter;
};

#endif
