#include "simulation/Cpu_force.h"

#include "simulation/Pair_force_law.h"
#include "simulation/Thermal_agitation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <system_error>
#include <thread>

namespace
{

// Partial sums per lane let the compiler vectorise the sum without reordering
// any addition, so a sum never depends on how atoms are split over threads.
constexpr int lanes = 8;

// Below this many atoms per thread, starting a thread costs more than it saves.
constexpr int min_atoms_per_thread = 256;

struct Atom_arrays
{
    float const* x;
    float const* y;
    float const* z;
    float const* charge;
    float const* radius; // already times the radius factor
    float const* has_vdw;
    int const* molecule_id;
    int padded_count;
};

struct Law
{
    float coulomb_factor;
    float vdw_factor;
    float time;
    Eigen::Vector2f game_field_size;
    Frame_buffer<float> const* temperature;
};

// The atom whose force is being summed, with its factors of the law applied.
struct Target_atom
{
    float x, y, z;
    float scaled_charge; // charge times the Coulomb strength
    float radius;        // times the radius factor
    float vdw;           // 4 times the Van der Waals strength, 0 without Van der Waals
    int molecule_id;
};

// What atoms [first, first + count) add to the target's force, one entry each.
// Kept free of sums so that the compiler vectorises it; machines with AVX2 get
// a wider copy, chosen when the program loads.
#if defined(__x86_64__) && defined(__GNUC__)
__attribute__((target_clones("avx2", "default")))
#endif
void pair_contributions(Atom_arrays const& atoms, Target_atom const& target, int first, int count, float* __restrict cx,
                        float* __restrict cy, float* __restrict cz)
{
    float const min_r2 = pair_force_min_distance * pair_force_min_distance;
    for (int k = 0; k < count; ++k)
    {
        int const j = first + k;
        float const dx = target.x - atoms.x[j];
        float const dy = target.y - atoms.y[j];
        float const dz = target.z - atoms.z[j];
        float const d2 = dx * dx + dy * dy + dz * dz;
        float const r2 = std::max(d2, min_r2);
        float const inv_r = 1.f / std::sqrt(r2);
        float const inv_r2 = inv_r * inv_r;
        float const radius_sum = target.radius + atoms.radius[j];
        float const s2 = radius_sum * radius_sum * inv_r2;
        float const s6 = s2 * s2 * s2;
        float const magnitude =
            target.scaled_charge * atoms.charge[j] * inv_r2 + target.vdw * atoms.has_vdw[j] * (s6 * s6 - s6);
        float const scale = magnitude * inv_r;
        // Other molecules only. A pair that is not finite (an atom at infinity or
        // NaN) is dropped rather than spread to every atom it meets.
        bool const counts =
            (atoms.molecule_id[j] != target.molecule_id) & (d2 <= FLT_MAX) & (std::fabs(scale) <= FLT_MAX);
        cx[k] = counts ? scale * dx : 0.f;
        cy[k] = counts ? scale * dy : 0.f;
        cz[k] = counts ? scale * dz : 0.f;
    }
}

Eigen::Vector3f force_on_atom(Atom_arrays const& atoms, Law const& law, int i)
{
    Target_atom const target{atoms.x[i],          atoms.y[i],
                             atoms.z[i],          atoms.charge[i] * law.coulomb_factor,
                             atoms.radius[i],     4.f * law.vdw_factor * atoms.has_vdw[i],
                             atoms.molecule_id[i]};

    constexpr int block = 256;
    float cx[block], cy[block], cz[block];
    float fx[lanes] = {};
    float fy[lanes] = {};
    float fz[lanes] = {};
    for (int first = 0; first < atoms.padded_count; first += block)
    {
        int const count = std::min(block, atoms.padded_count - first);
        pair_contributions(atoms, target, first, count, cx, cy, cz);
        for (int k0 = 0; k0 < count; k0 += lanes)
        {
            for (int lane = 0; lane < lanes; ++lane)
            {
                fx[lane] += cx[k0 + lane];
                fy[lane] += cy[k0 + lane];
                fz[lane] += cz[k0 + lane];
            }
        }
    }

    Eigen::Vector3f force = Eigen::Vector3f::Zero();
    for (int lane = 0; lane < lanes; ++lane) force += Eigen::Vector3f(fx[lane], fy[lane], fz[lane]);
    float const temperature = sample_temperature(*law.temperature, law.game_field_size, target.x, target.z);
    force += thermal_agitation(std::uint32_t(i), temperature, law.time);
    if (!force.allFinite()) force.setZero();
    return force;
}

void compute_range(Atom_arrays const& atoms, Law const& law, int begin, int end, Eigen::Vector3f* forces)
{
    for (int i = begin; i < end; ++i) forces[i] = force_on_atom(atoms, law, i);
}

} // namespace

Cpu_force::Cpu_force(int thread_count)
{
    set_thread_count(thread_count);
}

void Cpu_force::set_thread_count(int thread_count)
{
    if (thread_count <= 0) thread_count = int(std::thread::hardware_concurrency());
    _thread_count = std::max(1, thread_count);
}

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

void Cpu_force::compute(float coulomb_factor, float vdw_factor, float vdw_radius_factor, float time,
                        Eigen::Vector2f const& game_field_size)
{
    // Padding atoms carry neither charge nor Van der Waals force.
    int const padded_count = (_atom_count + lanes - 1) / lanes * lanes;
    for (std::vector<float>* values : {&_x, &_y, &_z, &_charge, &_radius, &_has_vdw}) values->resize(padded_count, 0.f);
    _molecule_id.resize(padded_count, 0);
    for (float& radius : _radius) radius *= vdw_radius_factor;

    _forces.resize(_atom_count);

    Atom_arrays const atoms{_x.data(),      _y.data(),       _z.data(),           _charge.data(),
                            _radius.data(), _has_vdw.data(), _molecule_id.data(), padded_count};
    Law const law{coulomb_factor, vdw_factor, time, game_field_size, &_temperature};

    int const threads =
        std::max(1, std::min(_thread_count, (_atom_count + min_atoms_per_thread - 1) / min_atoms_per_thread));
    int const chunk = (_atom_count + threads - 1) / threads;

    std::vector<std::thread> workers;
    workers.reserve(threads);
    int begin = 0;
    try
    {
        // The calling thread takes the last chunk itself.
        while (threads > 1 && begin + chunk < _atom_count)
        {
            workers.emplace_back(compute_range, std::cref(atoms), std::cref(law), begin, begin + chunk, _forces.data());
            begin += chunk;
        }
    }
    catch (std::system_error const&)
    {
        // No thread to be had: whatever is left is done here.
    }
    compute_range(atoms, law, begin, _atom_count, _forces.data());
    for (std::thread& worker : workers) worker.join();
}
