#include "simulation/Brownian_box.h"

#include "gl/Random_vector.h"
#include "simulation/Box_swarm.h"
#include "simulation/Element_properties.h"
#include "simulation/Fall_off.h"
#include "simulation/Level_element_visitor.h"
#include "simulation/Level_limits.h"
#include "simulation/Local_box.h"

#include <cmath>

Brownian_box::Brownian_box() : boxmin(empty_box_min()), boxmax(empty_box_max())
{
}

Brownian_box::Brownian_box(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength)
{
    _strength = strength;
    _radius = 10.f;
    _position = (corner_min + corner_max) / 2.f;
    boxmin = corner_min - _position;
    boxmax = corner_max - _position;

    Eigen::Vector3f const half_size = get_extent() / 2.f;
    for (int i = 0; i < 100; ++i)
    {
        Particle particle;
        particle.position = random_signed_vector().cwiseProduct(half_size);
        particle.speed = random_signed_vector() * 0.1f * (strength + 50.f) * 0.01f;
        particle.color = Color4(1.f, 1.f, 1.f, 1.f);
        _particles.push_back(particle);
    }

    ensure_properties();
}

void Brownian_box::ensure_properties()
{
    ensure_float_property("strength", _strength, -50.f, 50.f);
}

void Brownian_box::settle_after_load()
{
    check_loaded_box(boxmin, boxmax);
    if (_particles.size() > swarm_particle_limit) _particles.resize(swarm_particle_limit);
    ensure_properties();
}

void Brownian_box::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

void Brownian_box::animate(float dt)
{
    // -50 freezes the particles inside the box, 50 moves them at 10 units per second.
    float const inside_speed = (_strength + 50.f) * 0.1f;
    for (Particle& particle : _particles)
        move_swarm_particle(particle, dt, boxmin, boxmax, [inside_speed](float) { return inside_speed; });
}

float Brownian_box::get_energy_consumption() const
{
    Eigen::Vector3f const size = get_extent();
    float const strongest = float_property_max(_properties, "strength", 50.f);
    return std::abs(_strength) / strongest * (size.x() + 0.1f * _radius) * (size.z() + 0.1f * _radius);
}

Eigen::AlignedBox3f Brownian_box::get_bounding_box() const
{
    return corner_bounding_box(*this, boxmin, boxmax);
}

void Brownian_box::apply_parameters(Parameter_list const& parameters)
{
    read_float_property(parameters, "strength", _strength);
}

float Brownian_box::get_strength_at(Eigen::Vector3f const& world_point) const
{
    Eigen::Vector3f const q = to_local(world_point);
    float const distance = (q - nearest_box_point(q, boxmin, boxmax)).norm();
    return fall_off(distance, _radius) * _strength;
}

void Brownian_box::set_extent(Eigen::Vector3f const& size)
{
    boxmin = -size / 2.f;
    boxmax = size / 2.f;
}
