#include "simulation/Cpu_force.h"

#include "simulation/Pair_force_blocks.h"
#include "simulation/Thermal_agitation.h"
#include "simulation/Worker_pool.h"

#include <algorithm>
#include <thread>

namespace
{

// With fewer blocks than this, waking the threads costs more than they save.
constexpr int min_blocks_for_threads = 4;

} // namespace

Cpu_force::Cpu_force(int thread_count)
{
    if (thread_count <= 0) thread_count = int(std::thread::hardware_concurrency());
    _thread_count = std::max(1, thread_count);
}

// Out of line, where Worker_pool is complete.
Cpu_force::~Cpu_force() = default;

void Cpu_force::clear_atoms()
{
    _atom_count = 0;
    for (std::vector<float>* values : {&_x, &_y, &_z, &_charge, &_radius, &_has_vdw}) values->clear();
    _molecule_id.clear();
}

void Cpu_force::add_atom(Atom const& atom, int molecule_id)
{
    Eigen::Vector3f const& position = atom.get_position();
    _x.push_back(position.x());
    _y.push_back(position.y());
    _z.push_back(position.z());
    _charge.push_back(atom._charge);
    _radius.push_back(atom._radius);
    _has_vdw.push_back(atom._type != 0 ? 1.f : 0.f);
    _molecule_id.push_back(molecule_id);
    ++_atom_count;
}

void Cpu_force::run_blocks(int block_count, std::function<void(int)> const& job)
{
    if (_thread_count == 1 || block_count < min_blocks_for_threads)
    {
        for (int block = 0; block < block_count; ++block) job(block);
        return;
    }
    if (!_workers) _workers = std::make_unique<Worker_pool>(_thread_count);
    _workers->run(block_count, job);
}

void Cpu_force::compute(float coulomb_factor, float vdw_factor, float vdw_radius_factor, float time,
                        Eigen::Vector2f const& game_field_size)
{
    int const block_count = (_atom_count + pair_block_size - 1) / pair_block_size;
    int const padded_count = block_count * pair_block_size;
    for (std::vector<float>* values : {&_x, &_y, &_z, &_charge, &_radius, &_has_vdw}) values->resize(padded_count, 0.f);
    // Padding carries no force whatever its molecule; the last atom's keeps the
    // last block from seeming to share a molecule with the first.
    std::int32_t const last_molecule = _atom_count > 0 ? _molecule_id.back() : 0;
    _molecule_id.resize(padded_count, last_molecule);
    for (float& radius : _radius) radius *= vdw_radius_factor;

    _row_sums.resize(3 * size_t(padded_count));
    _column_sums.resize(3 * size_t(padded_count) * size_t(block_count));
    _forces.resize(_atom_count);

    Pair_atoms const atoms{_x.data(),      _y.data(),       _z.data(),           _charge.data(),
                           _radius.data(), _has_vdw.data(), _molecule_id.data(), block_count};
    Pair_strengths const strengths{coulomb_factor, vdw_factor};
    run_blocks(block_count, [&](int block) {
        float* const row = _row_sums.data();
        float* const column = _column_sums.data() + 3 * size_t(padded_count) * size_t(block);
        Row_block_sums const sums{{row, row + padded_count, row + 2 * padded_count},
                                  {column, column + padded_count, column + 2 * padded_count}};
        sum_row_block(atoms, strengths, block, sums);
    });
    run_blocks(block_count, [&](int block) { add_up_block(block, time, game_field_size); });
}

// An atom's force is its row sum and then the column sums of the blocks before
// its own, in block order.
void Cpu_force::add_up_block(int block, float time, Eigen::Vector2f const& game_field_size)
{
    size_t const padded_count = _x.size();
    int const begin = block * pair_block_size;
    float sums[3][pair_block_size];
    for (int axis = 0; axis < 3; ++axis)
    {
        float const* row = _row_sums.data() + axis * padded_count + begin;
        std::copy(row, row + pair_block_size, sums[axis]);
        for (int earlier = 0; earlier < block; ++earlier)
        {
            float const* column = _column_sums.data() + (3 * size_t(earlier) + axis) * padded_count + begin;
            for (int k = 0; k < pair_block_size; ++k) sums[axis][k] += column[k];
        }
    }

    int const end = std::min(begin + pair_block_size, _atom_count);
    for (int i = begin; i < end; ++i)
    {
        int const k = i - begin;
        Eigen::Vector3f force(sums[0][k], sums[1][k], sums[2][k]);
        float const temperature = sample_temperature(_temperature, game_field_size, _x[i], _z[i]);
        force += thermal_agitation(std::uint32_t(i), temperature, time);
        if (!force.allFinite()) force.setZero();
        _forces[i] = force;
    }
}
