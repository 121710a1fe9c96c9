#ifndef WIDGETS_DRAGGABLE_SLIDER_H
#define WIDGETS_DRAGGABLE_SLIDER_H

#include "widgets/Draggable_label.h"
#include "widgets/Parameter_binding.h"
#include "widgets/Right_click_action.h"

#include <functional>
#include <string>

class Parameter;

// A horizontal slider over a ranged float parameter. Its handle runs from -1 to
// 1 in the slider's own frame, which maps that square onto the slider's rectangle.
// Its handle points back to it, so it is not copyable.
class Draggable_slider : public Draggable_label
{
public:
    Draggable_slider(Eigen::Vector3f const& position, Eigen::Vector2f const& size, Parameter* parameter,
                     std::function<void()> const& value_changed_callback);

    // Sets the parameter from the handle, then runs the parameter's callback and
    // the slider's own.
    void update() override;
    // Puts the handle where the parameter's value lies.
    void notify() override;
    void right_clicked() override { _right_click.run(); }
    std::vector<Draggable*> get_draggables(int flags) override;
    Eigen::Matrix4f get_transform() const override;

    Draggable_screen_point& get_handle() { return _handle; }
    Draggable_screen_point const& get_handle() const { return _handle; }
    GLuint get_handle_texture() const { return _handle_texture; }
    void set_handle_texture(GLuint texture) { _handle_texture = texture; }
    Parameter* get_parameter() const { return _parameter.get(); }

    void set_right_click_callback(std::function<void(std::string const&)> const& callback, std::string const& argument)
    {
        _right_click.set(callback, argument);
    }

private:
    bool has_range() const;

    Draggable_screen_point _handle;
    std::function<void()> _value_changed_callback;
    Right_click_action _right_click;
    Parameter_binding _parameter;
    GLuint _handle_texture = 0;
};

#endif
