#include "widgets/Draggable_spinbox.h"

#include "foundation/Parameter.h"

#include <algorithm>
#include <iostream>
#include <typeinfo>

Draggable_spinbox::Draggable_spinbox(Eigen::Vector3f const& position, Eigen::Vector2f const& size, Parameter* parameter,
                                     std::function<void()> const& callback)
    : Draggable_label(position, size, ""), _up_handle(Eigen::Vector3f(0.f, 0.75f, 0.f)),
      _down_handle(Eigen::Vector3f(0.f, -0.75f, 0.f)), _callback(callback), _parameter(parameter)
{
    for (Draggable_screen_point* arrow : {&_up_handle, &_down_handle})
    {
        arrow->set_parent(this);
        arrow->set_draggable(false);
    }
    if (_parameter) _parameter->add_listener(this);
}

Draggable_spinbox::~Draggable_spinbox()
{
    if (_parameter) _parameter->remove_listener(this);
}

int Draggable_spinbox::get_value() const
{
    return _parameter && _parameter->get_type() == typeid(int) ? _parameter->get_value<int>() : 0;
}

void Draggable_spinbox::update()
{
    std::cout << "Draggable_spinbox::update"
              << " implement!" << std::endl;
    if (!_parameter || _parameter->get_type() != typeid(int)) return;

    int value = get_value();
    if (_up_handle.is_updating())
        ++value;
    else if (_down_handle.is_updating())
        --value;
    if (is_ranged<int>(*_parameter))
        value = std::min(std::max(value, _parameter->get_min<int>()), _parameter->get_max<int>());
    _parameter->set_value_no_update(value);
    if (_parameter->_callback) _parameter->_callback();
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
