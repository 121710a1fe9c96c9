#include "simulation/Box_barrier.h"

#include "simulation/Fall_off.h"
#include "simulation/Level_element_visitor.h"
#include "simulation/Local_box.h"

Box_barrier::Box_barrier() : boxmin(empty_box_min()), boxmax(empty_box_max())
{
}

Box_barrier::Box_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength,
                         float radius)
    : _strength(strength), _radius(radius)
{
    _position = (corner_min + corner_max) / 2.f;
    boxmin = corner_min - _position;
    boxmax = corner_max - _position;
    update_box_radius();
}

void Box_barrier::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

Eigen::AlignedBox3f Box_barrier::get_bounding_box() const
{
    return corner_bounding_box(*this, boxmin, boxmax);
}

Eigen::Vector3f Box_barrier::get_force(Molecule const& molecule) const
{
    if ((molecule._x - _position).norm() > _box_radius + _radius) return Eigen::Vector3f::Zero();
    return box_push(offset_from_box(molecule._x));
}

void Box_barrier::set_extent(Eigen::Vector3f const& size)
{
    boxmin = -size / 2.f;
    boxmax = size / 2.f;
    update_box_radius();
}

Box_barrier::Box_offset Box_barrier::offset_from_box(Eigen::Vector3f const& world_point) const
{
    Box_offset offset;
    offset.local = to_local(world_point);
    offset.nearest = nearest_box_point(offset.local, boxmin, boxmax);
    offset.distance = (offset.local - offset.nearest).norm();
    return offset;
}

Eigen::Vector3f Box_barrier::box_push(Box_offset const& offset) const
{
    if (offset.distance < 1e-6f) return _strength * to_world_direction(offset.local.normalized());
    return fall_off(offset.distance, _radius) * _strength *
           to_world_direction((offset.local - offset.nearest).normalized());
}

void Box_barrier::update_box_radius()
{
    _box_radius = (boxmax - boxmin).norm() / 2.f;
}

Moving_box_barrier::Moving_box_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max,
                                       float strength, float radius)
    : Box_barrier(corner_min, corner_max, strength, radius)
{
    Animation animation;
    animation._start = _position;
    animation._end = _position;
    animation._duration = 2.f;
    _animations.push_back(animation);
}

void Moving_box_barrier::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

Blow_barrier::Blow_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength,
                           float radius)
    : Box_barrier(corner_min, corner_max, strength, radius)
{
}

void Blow_barrier::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}
