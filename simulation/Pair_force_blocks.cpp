#include "simulation/Pair_force_blocks.h"

#include "simulation/Pair_force_law.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <initializer_list>

namespace
{

// Eight atoms at once: the compiler's vector types give the loop its width on
// every target, without a hand-written copy per instruction set.
constexpr int lane_count = 8;
using Lanes = float __attribute__((vector_size(lane_count * sizeof(float))));
using Lane_mask = std::int32_t __attribute__((vector_size(lane_count * sizeof(float))));

static_assert(pair_block_size % lane_count == 0, "a block is whole lanes");

template <class Vector, class Value> inline __attribute__((always_inline)) void load(Vector& v, Value const* values)
{
    std::memcpy(&v, values, sizeof v);
}

inline __attribute__((always_inline)) void store(float* values, Lanes const& v)
{
    std::memcpy(values, &v, sizeof v);
}

// The atom whose force is summed, its factors of the law applied and copied to
// every lane.
struct Target
{
    Lanes x, y, z;
    Lanes scaled_charge; // charge times the Coulomb strength
    Lanes radius;
    Lanes vdw; // 4 times the Van der Waals strength, 0 without Van der Waals
    Lane_mask molecule_id;
};

inline __attribute__((always_inline)) void set_target(Target& target, Pair_atoms const& atoms,
                                                      Pair_strengths const& strengths, int i)
{
    Lanes const zero = {};
    target.x = zero + atoms.x[i];
    target.y = zero + atoms.y[i];
    target.z = zero + atoms.z[i];
    target.scaled_charge = zero + atoms.charge[i] * strengths.coulomb;
    target.radius = zero + atoms.radius[i];
    target.vdw = zero + 4.f * strengths.vdw * atoms.has_vdw[i];
    target.molecule_id = Lane_mask{} + atoms.molecule_id[i];
}

// Atoms j to j + 7, whose forces on a target are summed.
struct Sources
{
    Lanes x, y, z, charge, radius, has_vdw;
    Lane_mask molecule_id;
};

inline __attribute__((always_inline)) void load_sources(Sources& sources, Pair_atoms const& atoms, int j)
{
    load(sources.x, atoms.x + j);
    load(sources.y, atoms.y + j);
    load(sources.z, atoms.z + j);
    load(sources.charge, atoms.charge + j);
    load(sources.radius, atoms.radius + j);
    load(sources.has_vdw, atoms.has_vdw + j);
    load(sources.molecule_id, atoms.molecule_id + j);
}

// The forces the sources put on the target; zero for a pair that does not
// count.
inline __attribute__((always_inline)) void pair_forces(Target const& target, Sources const& sources, Lanes& fx,
                                                       Lanes& fy, Lanes& fz)
{
    Lanes const zero = {};
    Lanes const min_r2 = zero + pair_force_min_distance * pair_force_min_distance;
    Lanes const dx = target.x - sources.x;
    Lanes const dy = target.y - sources.y;
    Lanes const dz = target.z - sources.z;
    Lanes const d2 = dx * dx + dy * dy + dz * dz;
    Lanes const r2 = d2 > min_r2 ? d2 : min_r2;
    Lanes inv_r;
    for (int lane = 0; lane < lane_count; ++lane) inv_r[lane] = 1.f / std::sqrt(r2[lane]);
    Lanes const inv_r2 = inv_r * inv_r;
    Lanes const radius_sum = target.radius + sources.radius;
    Lanes const s2 = radius_sum * radius_sum * inv_r2;
    Lanes const s6 = s2 * s2 * s2;
    Lanes const magnitude =
        target.scaled_charge * sources.charge * inv_r2 + target.vdw * sources.has_vdw * (s6 * s6 - s6);
    Lanes const scale = magnitude * inv_r;
    // Other molecules only. A pair that is not finite (an atom at infinity or
    // NaN) is dropped rather than spread to every atom it meets.
    Lane_mask const counts =
        (sources.molecule_id != target.molecule_id) & (d2 <= FLT_MAX) & (scale <= FLT_MAX) & (scale >= -FLT_MAX);
    fx = counts ? scale * dx : zero;
    fy = counts ? scale * dy : zero;
    fz = counts ? scale * dz : zero;
}

} // namespace

// Machines with AVX2 and FMA get a wider copy, chosen when the program loads.
// ThreadSanitizer would instrument the loader's chooser, which runs before it
// is set up.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_THREAD__)
__attribute__((target_clones("arch=x86-64-v3", "default")))
#endif
void sum_row_block(Pair_atoms const& shared_atoms, Pair_strengths const& strengths, int row_block,
                   Row_block_sums const& sums)
{
    // Local copies, so that the compiler need not reload them after every store.
    Pair_atoms const atoms = shared_atoms;
    int const padded_count = atoms.block_count * pair_block_size;
    int const row_begin = row_block * pair_block_size;
    int const later_begin = row_begin + pair_block_size;
    float* __restrict const column_x = sums.column[0];
    float* __restrict const column_y = sums.column[1];
    float* __restrict const column_z = sums.column[2];
    for (float* column : {column_x, column_y, column_z})
        std::memset(column + later_begin, 0, sizeof(float) * (padded_count - later_begin));

    // Per lane until the end, so that no sum is reordered to vectorise it.
    Lanes row_x[pair_block_size] = {};
    Lanes row_y[pair_block_size] = {};
    Lanes row_z[pair_block_size] = {};

    Target target = {}, next_target = {};
    Sources sources;
    Lanes fx, fy, fz, next_fx, next_fy, next_fz;
    for (int i = 0; i < pair_block_size; ++i)
    {
        set_target(target, atoms, strengths, row_begin + i);
        for (int j = row_begin; j < later_begin; j += lane_count)
        {
            load_sources(sources, atoms, j);
            pair_forces(target, sources, fx, fy, fz);
            row_x[i] += fx;
            row_y[i] += fy;
            row_z[i] += fz;
        }
    }

    // Two targets at a time share the loads of the sources and their sums.
    static_assert(pair_block_size % 2 == 0, "targets go in twos");
    for (int column_begin = later_begin; column_begin < padded_count; column_begin += pair_block_size)
    {
        int const column_end = column_begin + pair_block_size;
        for (int i = 0; i < pair_block_size; i += 2)
        {
            set_target(target, atoms, strengths, row_begin + i);
            set_target(next_target, atoms, strengths, row_begin + i + 1);
            Lanes sum_x = row_x[i], sum_y = row_y[i], sum_z = row_z[i];
            Lanes next_sum_x = row_x[i + 1], next_sum_y = row_y[i + 1], next_sum_z = row_z[i + 1];
            for (int j = column_begin; j < column_end; j += lane_count)
            {
                load_sources(sources, atoms, j);
                pair_forces(target, sources, fx, fy, fz);
                pair_forces(next_target, sources, next_fx, next_fy, next_fz);
                sum_x += fx;
                sum_y += fy;
                sum_z += fz;
                next_sum_x += next_fx;
                next_sum_y += next_fy;
                next_sum_z += next_fz;
                Lanes column;
                load(column, column_x + j);
                store(column_x + j, column - fx - next_fx);
                load(column, column_y + j);
                store(column_y + j, column - fy - next_fy);
                load(column, column_z + j);
                store(column_z + j, column - fz - next_fz);
            }
            row_x[i] = sum_x;
            row_y[i] = sum_y;
            row_z[i] = sum_z;
            row_x[i + 1] = next_sum_x;
            row_y[i + 1] = next_sum_y;
            row_z[i + 1] = next_sum_z;
        }
    }

    for (int i = 0; i < pair_block_size; ++i)
    {
        float x = 0.f, y = 0.f, z = 0.f;
        for (int lane = 0; lane < lane_count; ++lane)
        {
            x += row_x[i][lane];
            y += row_y[i][lane];
            z += row_z[i][lane];
        }
        sums.row[0][row_begin + i] = x;
        sums.row[1][row_begin + i] = y;
        sums.row[2][row_begin + i] = z;
    }
}
