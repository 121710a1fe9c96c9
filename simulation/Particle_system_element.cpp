#include "simulation/Particle_system_element.h"

#include "gl/Random_vector.h"
#include "simulation/Atom_surface_points.h"
#include "simulation/Level_element_visitor.h"

void Particle_system_element::accept(Level_element_visitor& visitor)
{
    visitor.visit(*this);
}

void Particle_system_element::animate(float dt)
{
    _age += dt;
    for (Particle& particle : _particles)
    {
        particle.position += dt * particle.speed;
        particle.speed += dt * random_signed_vector();
    }
}

Eigen::AlignedBox3f Particle_system_element::get_bounding_box() const
{
    return Eigen::AlignedBox3f();
}

void Particle_system_element::emit_from_molecule(Molecule const& molecule)
{
    for (Atom_surface_point const& point : atom_surface_points(molecule, 100))
    {
        Atom const& atom = molecule._atoms[std::size_t(point.atom_index)];
        Particle particle;
        particle.position = atom.get_position() + point.direction * atom._radius;
        particle.color = atom_color(atom);
        particle.speed = random_signed_vector() * 10.f;
        _particles.push_back(particle);
    }
}
