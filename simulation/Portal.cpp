#include "simulation/Portal.h"

#include "gl/Random_vector.h"
#include "simulation/Box_swarm.h"
#include "simulation/Level_element_visitor.h"
#include "simulation/Level_limits.h"
#include "simulation/Local_box.h"

#include <algorithm>

void Portal::reset()
{
    Level_element::reset();
    _end_condition.set_num_captured_molecules(0);
}

void Portal::settle_after_load()
{
    int const wanted = _end_condition.get_min_captured_molecules();
    _end_condition.set_min_captured_molecules(std::min(std::max(wanted, 0), level_atom_limit));
}

void Portal::begin_capture_pass()
{
    if (!_destroy_on_entering) _end_condition.set_num_captured_molecules(0);
}

void Portal::add_captured_molecule()
{
    _end_condition.set_num_captured_molecules(_end_condition.get_num_captured_molecules() + 1);
}

Box_portal::Box_portal() : boxmin(empty_box_min()), boxmax(empty_box_max())
{
}

Box_portal::Box_portal(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max)
{
    _position = (corner_min + corner_max) / 2.f;
    boxmin = corner_min - _position;
    boxmax = corner_max - _position;
}

void Box_portal::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

int Box_portal::molecules_still_missing() const
{
    return _end_condition.get_min_captured_molecules() - _end_condition.get_num_captured_molecules();
}

void Box_portal::animate(float dt)
{
    int const missing = molecules_still_missing();
    if (missing >= 0 && int(_particles.size()) > missing) _particles.resize(std::size_t(missing));

    for (Particle& particle : _particles)
        move_swarm_particle(particle, dt, boxmin, boxmax, [](float old_speed) { return std::min(old_speed, 10.f); });
}

void Box_portal::reset()
{
    Portal::reset();
    rebuild_particles();
}

void Box_portal::rebuild_particles()
{
    _particles.clear();
    int const missing = std::min(molecules_still_missing(), int(swarm_particle_limit));
    for (int i = 0; i < missing; ++i)
    {
        Particle particle;
        particle.position = random_box_point(boxmin, boxmax);
        particle.speed = random_signed_vector() * 10.f;
        particle.color = Color4(0.3f, 0.8f, 0.4f, 1.f);
        _particles.push_back(particle);
    }
}

Eigen::AlignedBox3f Box_portal::get_bounding_box() const
{
    return corner_bounding_box(*this, boxmin, boxmax);
}

bool Box_portal::contains(Eigen::Vector3f const& world_point) const
{
    Eigen::Vector3f const q = to_local(world_point);
    return (q - nearest_box_point(q, boxmin, boxmax)).norm() < 1e-6f;
}

void Box_portal::set_extent(Eigen::Vector3f const& size)
{
    boxmin = -size / 2.f;
    boxmax = size / 2.f;
}

Sphere_portal::Sphere_portal(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max)
    : Box_portal(corner_min, corner_max)
{
}

void Sphere_portal::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

bool Sphere_portal::contains(Eigen::Vector3f const& world_point) const
{
    Eigen::Vector3f const q = to_local(world_point);
    Eigen::Vector3f const half_size = (boxmax - boxmin) / 2.f;
    return q.cwiseQuotient(half_size).squaredNorm() <= 1.f;
}
