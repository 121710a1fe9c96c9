#ifndef SIMULATION_PARTICLE_SYSTEM_ELEMENT_H
#define SIMULATION_PARTICLE_SYSTEM_ELEMENT_H

#include "simulation/Level_element.h"
#include "simulation/Molecule.h"

#include "gl/Particle.h"

#include <vector>

// The short burst of particles left where a swallowing portal took a molecule.
// It lives for one second of simulation time.
class Particle_system_element : public Level_element
{
public:
    Particle_system_element() = default;

    void accept(Level_element_visitor& visitor) override;
    void animate(float dt) override;
    // A burst has no extent worth placing: the empty box.
    Eigen::AlignedBox3f get_bounding_box() const override;

    // 100 particles on the surfaces of the molecule's atoms, in world coordinates.
    void emit_from_molecule(Molecule const& molecule);

    std::vector<Particle> const& get_particles() const { return _particles; }
    float get_age_fraction() const { return _age / _lifetime; }
    bool is_finished() const { return _age > _lifetime; }

private:
    std::vector<Particle> _particles;
    float _age = 0.f;
    float _lifetime = 1.f;
};

#endif
