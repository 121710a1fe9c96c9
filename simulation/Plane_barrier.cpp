#include "simulation/Plane_barrier.h"

#include "simulation/Fall_off.h"
#include "simulation/Level_element_visitor.h"

#include <cmath>

std::pair<Eigen::Vector3f, Eigen::Vector3f> make_orthonormal_basis(Eigen::Vector3f const& n)
{
    if (n.x() == 0.f && n.y() == 0.f)
        return {Eigen::Vector3f(n.z() >= 0.f ? 1.f : -1.f, 0.f, 0.f), Eigen::Vector3f::UnitY()};
    Eigen::Vector3f const u = Eigen::Vector3f(n.y(), -n.x(), 0.f) / std::sqrt(n.x() * n.x() + n.y() * n.y());
    return {u, n.cross(u)};
}

Plane_barrier::Plane_barrier(Eigen::Vector3f const& position, Eigen::Vector3f const& normal, float strength,
                             float radius, boost::optional<Eigen::Vector2f> const& extent)
    : _strength(strength), _radius(radius), _extent(extent)
{
    _position = position;
    auto const basis = make_orthonormal_basis(normal);
    Eigen::Matrix4f frame = Eigen::Matrix4f::Identity();
    frame.block<3, 1>(0, 0) = basis.first;
    frame.block<3, 1>(0, 1) = basis.second;
    frame.block<3, 1>(0, 2) = normal;
    set_transform(frame);
}

void Plane_barrier::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

Eigen::AlignedBox3f Plane_barrier::get_bounding_box() const
{
    return Eigen::AlignedBox3f();
}

Eigen::Vector3f Plane_barrier::get_force(Atom const& atom) const
{
    return force_at(atom.get_position());
}

Eigen::Vector3f Plane_barrier::get_force(Molecule const& molecule) const
{
    return force_at(molecule._x);
}

Eigen::Vector3f Plane_barrier::force_at(Eigen::Vector3f const& point) const
{
    Eigen::Vector3f const normal = get_normal();
    float const height = normal.dot(point - _position);
    return fall_off(height, _radius) * _strength * normal;
}
