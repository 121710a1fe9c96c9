#include "simulation/Tractor_barrier.h"

#include "foundation/Random.h"
#include "simulation/Element_properties.h"
#include "simulation/Fall_off.h"
#include "simulation/Level_element_visitor.h"
#include "simulation/Level_limits.h"

#include <algorithm>
#include <cmath>

Tractor_barrier::Tractor_barrier(Eigen::Vector3f const& corner_min, Eigen::Vector3f const& corner_max, float strength)
    : Box_barrier(corner_min, corner_max, strength, 0.f)
{
    _tractor_strength = 2.f;
    _radius = 5.f;
    ensure_properties();
}

void Tractor_barrier::ensure_properties()
{
    ensure_float_property("tractor_strength", _tractor_strength, -10.f, 10.f);
    ensure_float_property("radius", _radius, 5.f, 100.f);
}

void Tractor_barrier::settle_after_load()
{
    if (_particles.size() > swarm_particle_limit) _particles.resize(swarm_particle_limit);
    ensure_properties();
}

void Tractor_barrier::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

void Tractor_barrier::apply_parameters(Parameter_list const& parameters)
{
    read_float_property(parameters, "tractor_strength", _tractor_strength);
    read_float_property(parameters, "radius", _radius);
}

Eigen::Vector3f Tractor_barrier::get_force(Molecule const& molecule) const
{
    Eigen::Vector3f const q = to_local(molecule._x);
    if (q.z() < boxmin.z() || q.z() > boxmax.z()) return Eigen::Vector3f::Zero();
    return fall_off(std::abs(q.x()), _radius) * _tractor_strength * to_world_direction(Eigen::Vector3f::UnitX());
}

void Tractor_barrier::animate(float dt)
{
    _particles.remove_if([](Particle const& particle) { return particle.age > 0.99f; });

    Eigen::Vector3f const size = get_extent();
    float const emission_interval = 10.f / (std::abs(_tractor_strength) * std::sqrt(size.z() * size.y()));
    if (_emission_timer > emission_interval)
    {
        _emission_timer = 0.f;
        emit_particle(size);
    }
    _emission_timer += dt;

    float const crossing = size.x() / 2.f + _radius;
    for (Particle& particle : _particles)
    {
        particle.age = std::min(std::abs(particle.position.x()) / crossing, 1.f);
        particle.speed.x() += (2.f * _tractor_strength - particle.speed.x()) * dt;
        particle.position += dt * particle.speed;
    }

    _rotation_angle += _tractor_strength * 5.f * dt;
}

void Tractor_barrier::emit_particle(Eigen::Vector3f const& size)
{
    // Particles enter on the side the tractor pulls from.
    float const side = _tractor_strength >= 0.f ? 1.f : -1.f;
    Particle particle;
    particle.position.x() = -(size.x() / 2.f + 0.95f * _radius) * side;
    particle.position.y() = rand_signed() * size.y() / 2.f;
    particle.position.z() = rand_signed() * size.z() / 2.f;
    particle.speed = Eigen::Vector3f(2.f * _tractor_strength, 0.f, 0.f);
    particle.color = Color4(1.f, 0.3f, 0.05f, 1.f);
    _particles.push_back(particle);
}

float Tractor_barrier::get_energy_consumption() const
{
    Eigen::Vector3f const size = get_extent();
    float const strongest = float_property_max(_properties, "tractor_strength", 10.f);
    return std::abs(_tractor_strength) / strongest * (size.x() + 0.1f * _radius) * (size.z() + 0.1f * _radius);
}
