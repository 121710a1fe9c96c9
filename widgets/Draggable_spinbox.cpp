#include "widgets/Draggable_spinbox.h"

#include "foundation/Parameter.h"

#include <algorithm>
#include <iostream>
#include <typeinfo>

Draggable_spinbox::Draggable_spinbox(Eigen::Vector3f const& position, Eigen::Vector2f const& size, Parameter* parameter,
                                     std::function<void()> const& callback)
    : Draggable_label(position, size, ""), _up_handle(Eigen::Vector3f(0.f, 0.75f, 0.f)),
      _down_handle(Eigen::Vector3f(0.f, -0.75f, 0.f)), _callback(callback), _parameter(*this, parameter)
{
    for (Draggable_screen_point* arrow : {&_up_handle, &_down_handle})
    {
        arrow->set_parent(this);
        arrow->set_draggable(false);
    }
}

int Draggable_spinbox::get_value() const
{
    Parameter const* parameter = _parameter.get();
    return parameter && parameter->get_type() == typeid(int) ? parameter->get_value<int>() : 0;
}

void Draggable_spinbox::update()
{
    std::cout << "Draggable_spinbox::update"
              << " implement!" << std::endl;
    Parameter* parameter = _parameter.get();
    if (!parameter || parameter->get_type() != typeid(int)) return;

    int value = get_value();
    if (_up_handle.is_updating())
        ++value;
    else if (_down_handle.is_updating())
        --value;
    if (is_ranged<int>(*parameter))
        value = std::min(std::max(value, parameter->get_min<int>()), parameter->get_max<int>());
    parameter->set_value_no_update(value);
    if (parameter->_callback) parameter->_callback();
    if (_callback) _callback();
}

std::vector<Draggable*> Draggable_spinbox::get_draggables(int /*flags*/)
{
    return {&_up_handle, &_down_handle};
}

Eigen::Matrix4f Draggable_spinbox::get_transform() const
{
    return rectangle_transform(_position, _size);
}
