#ifndef SIMULATION_CPU_FORCE_H
#define SIMULATION_CPU_FORCE_H

#include "gl/Frame_buffer.h"
#include "simulation/Molecule.h"
#include "simulation/Pair_force_law.h"

#include <Eigen/Core>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class Worker_pool;

// The forces on every atom, computed on the CPU: Coulomb plus Van der Waals
// (Lennard-Jones form) between the atoms of different molecules, and the thermal
// agitation of the temperature grid. It serves where no GL context exists and
// checks the GPU pass, whose calling interface it shares. Each pair is weighed
// once (see Pair_force_blocks.h), on threads that start with the first call
// that needs them and end with this object; every atom's sum is formed the same
// way whatever the thread count, so results do not depend on it.
class Cpu_force
{
public:
    // A thread count of 0 takes one thread per hardware thread.
    explicit Cpu_force(int thread_count = 0);
    ~Cpu_force();

    Cpu_force(Cpu_force const&) = delete;
    Cpu_force& operator=(Cpu_force const&) = delete;

    int get_thread_count() const { return _thread_count; }

    // Forces on every atom, in molecule order and then atom order; valid until the
    // next call, one entry per atom. Pairs within a molecule (the same `_id`) are
    // left out. `time` and the game field's width and height (x and z) place the
    // thermal agitation.
    template <class Molecules>
    Eigen::Vector3f const* calc_forces(Molecules const& molecules, float coulomb_factor, float vdw_factor,
                                       float vdw_radius_factor, float time, Eigen::Vector2f const& game_field_size);

    // The temperatures over the game field's x-z plane (see sample_temperature).
    void set_temperature(Frame_buffer<float> const& temperature) { _temperature = temperature; }

    // The atom limit a level keeps to whichever implementation runs; this one
    // would take more.
    int get_max_atoms() const { return pair_force_max_atoms; }

    int get_atom_count() const { return _atom_count; }

private:
    void clear_atoms();
    void add_atom(Atom const& atom, int molecule_id);
    void compute(float coulomb_factor, float vdw_factor, float vdw_radius_factor, float time,
                 Eigen::Vector2f const& game_field_size);
    void run_blocks(int block_count, std::function<void(int)> const& job);
    void add_up_block(int block, float time, Eigen::Vector2f const& game_field_size);

    int _thread_count = 1;
    std::unique_ptr<Worker_pool> _workers;
    int _atom_count = 0;

    // One entry per atom, padded to whole blocks with atoms that exert no force.
    std::vector<float> _x, _y, _z;
    std::vector<float> _charge;
    std::vector<float> _radius;
    std::vector<float> _has_vdw;
    std::vector<std::int32_t> _molecule_id;

    // Per axis and atom: the row sums, and per row block its column sums.
    std::vector<float> _row_sums;
    std::vector<float> _column_sums;

    std::vector<Eigen::Vector3f> _forces;
    Frame_buffer<float> _temperature;
};

template <class Molecules>
Eigen::Vector3f const* Cpu_force::calc_forces(Molecules const& molecules, float coulomb_factor, float vdw_factor,
                                              float vdw_radius_factor, float time,
                                              Eigen::Vector2f const& game_field_size)
{
    clear_atoms();
    for_each_atom(molecules, [this](Atom const& atom, int molecule_id) { add_atom(atom, molecule_id); });
    compute(coulomb_factor, vdw_factor, vdw_radius_factor, time, game_field_size);
    return _forces.data();
}

#endif
