#include "widgets/Draggable_slider.h"

#include "foundation/Parameter.h"
#include "widgets/Parameter_track.h"

Draggable_slider::Draggable_slider(Eigen::Vector3f const& position, Eigen::Vector2f const& size, Parameter* parameter,
                                   std::function<void()> const& value_changed_callback)
    : Draggable_label(position, size, ""), _value_changed_callback(value_changed_callback), _parameter(*this, parameter)
{
    _handle_range = 1.f;
    _handle.set_parent(this);
    _handle.add_constraint(
        std::make_shared<Range_constraint>(Eigen::Vector3f(-1.f, 0.f, 0.f), Eigen::Vector3f(1.f, 0.f, 0.f)));
    notify();
}

bool Draggable_slider::has_range() const
{
    return _parameter.get() && is_ranged<float>(*_parameter.get());
}

void Draggable_slider::update()
{
    if (!has_range()) return;
    Parameter& parameter = *_parameter.get();
    parameter.set_value_no_update(track_value(parameter, _handle.get_position().x(), _handle_range));
    if (parameter._callback) parameter._callback();
    if (_value_changed_callback) _value_changed_callback();
}

void Draggable_slider::notify()
{
    float const x = has_range() ? track_position(*_parameter.get(), _handle_range) : -_handle_range;
    _handle.set_position(Eigen::Vector3f(x, 0.f, 0.f));
}

std::vector<Draggable*> Draggable_slider::get_draggables(int /*flags*/)
{
    return {&_handle};
}

Eigen::Matrix4f Draggable_slider::get_transform() const
{
    return rectangle_transform(_position, _size);
}
