#ifndef SIMULATION_CPU_FORCE_H
#define SIMULATION_CPU_FORCE_H

#include "simulation/Molecule.h"

#include <Eigen/Core>

#include <vector>

// The pair forces between the atoms of different molecules, computed on the CPU:
// Coulomb plus Van der Waals (Lennard-Jones form). It serves where no GL context
// exists and checks the GPU pass. Work is spread over threads by atom, and each
// atom's sum is formed the same way whatever the thread count, so results do not
// depend on it.
class Cpu_force
{
public:
    // A thread count of 0 takes one thread per hardware thread.
    explicit Cpu_force(int thread_count = 0);

    void set_thread_count(int thread_count);
    int get_thread_count() const { return _thread_count; }

    // Forces on every atom, in molecule order and then atom order; valid until the
    // next call, one entry per atom. Pairs within a molecule (the same `_id`) are
    // left out. `time` and `game_field_size` are taken for the thermal agitation of
    // the GPU pass, which is not computed here.
    template <class Molecules>
    Eigen::Vector3f const* calc_forces(Molecules const& molecules, float coulomb_factor, float vdw_factor,
                                       float vdw_radius_factor, float time, Eigen::Vector2f const& game_field_size);

    int get_atom_count() const { return _atom_count; }

private:
    void clear_atoms();
    void add_atom(Atom const& atom, int molecule_id);
    void compute(float coulomb_factor, float vdw_factor, float vdw_radius_factor);

    int _thread_count = 1;
    int _atom_count = 0;

    // One entry per atom, padded with atoms that exert no force.
    std::vector<float> _x, _y, _z;
    std::vector<float> _charge;
    std::vector<float> _radius;
    std::vector<float> _has_vdw;
    std::vector<int> _molecule_id;

    std::vector<Eigen::Vector3f> _forces;
};

template <class Molecules>
Eigen::Vector3f const* Cpu_force::calc_forces(Molecules const& molecules, float coulomb_factor, float vdw_factor,
                                              float vdw_radius_factor, float /*time*/,
                                              Eigen::Vector2f const& /*game_field_size*/)
{
    clear_atoms();
    for (Molecule const& molecule : molecules)
    {
        for (Atom const& atom : molecule._atoms) add_atom(atom, molecule._id);
    }
    compute(coulomb_factor, vdw_factor, vdw_radius_factor);
    return _forces.data();
}

#endif
