#include "widgets/Draggable.h"

#include <Eigen/Geometry>

Draggable::Draggable(Eigen::Vector3f const& position) : _position(position)
{
}

Draggable::Draggable(Draggable const& other)
    : Level_element_visitor(other), Level_element_listener(other), _parent(other._parent), _position(other._position),
      _constraints(other._constraints), _updating(other._updating), _draggable(other._draggable),
      _handle_range(other._handle_range), _visible(other._visible), _tooltip(other._tooltip),
      _click_callback(other._click_callback)
{
    set_level_element(other._level_element);
}

Draggable& Draggable::operator=(Draggable const& other)
{
    if (this == &other) return *this;
    _parent = other._parent;
    _position = other._position;
    _constraints = other._constraints;
    _updating = other._updating;
    _draggable = other._draggable;
    _handle_range = other._handle_range;
    _visible = other._visible;
    _tooltip = other._tooltip;
    _click_callback = other._click_callback;
    set_level_element(other._level_element);
    return *this;
}

Draggable::~Draggable()
{
    detach();
}

void Draggable::update()
{
    _updating = true;
    if (_parent) _parent->update();
    _updating = false;
}

std::vector<Draggable*> Draggable::get_draggables(int /*flags*/)
{
    return {};
}

Eigen::Matrix4f Draggable::get_transform() const
{
    return _parent ? _parent->get_transform() : Eigen::Matrix4f::Identity();
}

void Draggable::clicked()
{
    if (_click_callback) _click_callback(this);
}

void Draggable::notify()
{
    if (_level_element) set_position(_level_element->get_position());
}

void Draggable::element_destroyed(Level_element const& element)
{
    if (&element == _level_element) _level_element = nullptr;
}

Eigen::Matrix4f Draggable::get_frame_dragged_in() const
{
    return _parent ? _parent->get_frame_for_handles() : get_transform();
}

void Draggable::drag(Eigen::Vector3f const& world_point)
{
    _position = Eigen::Affine3f(get_frame_dragged_in()).inverse(Eigen::Affine) * world_point;
    for (auto const& constraint : _constraints) _position = constraint->apply(_position);
}

Eigen::Vector3f Draggable::get_world_position() const
{
    return Eigen::Affine3f(get_frame_dragged_in()) * _position;
}

void Draggable::set_level_element(Level_element* element)
{
    if (element == _level_element) return;
    detach();
    _level_element = element;
    if (_level_element) _level_element->add_notifiable(this);
}

void Draggable::detach()
{
    if (_level_element) _level_element->remove_notifiable(this);
    _level_element = nullptr;
}

Draggable* Draggable::get_root()
{
    Draggable* root = this;
    while (root->_parent) root = root->_parent;
    return root;
}
