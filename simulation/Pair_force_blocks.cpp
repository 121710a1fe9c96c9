#include "simulation/Pair_force_blocks.h"

#include "simulation/Pair_force_law.h"

#include <algorithm>
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
    std::int32_t molecule_id;
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
    target.molecule_id = atoms.molecule_id[i];
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

// The forces the sources put on the target. A guarded pass drops each pair
// that is not finite (an atom at infinity or NaN, a force beyond float) rather
// than spread it to every atom it meets; an unguarded one leaves it to show in
// the sums (see sum_row_block). Pairs within one molecule add nothing; the
// test is left out where the two blocks cannot share a molecule.
template <bool guarded, bool molecules_shared>
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
    if (guarded || molecules_shared)
    {
        Lane_mask counts = sources.molecule_id != target.molecule_id;
        if (guarded) counts &= (d2 <= FLT_MAX) & (scale <= FLT_MAX) & (scale >= -FLT_MAX);
        fx = counts ? scale * dx : zero;
        fy = counts ? scale * dy : zero;
        fz = counts ? scale * dz : zero;
    }
    else
    {
        fx = scale * dx;
        fy = scale * dy;
        fz = scale * dz;
    }
}

// Per lane until a row block is done, so that no sum is reordered to vectorise
// it.
struct Row_lanes
{
    Lanes x[pair_block_size];
    Lanes y[pair_block_size];
    Lanes z[pair_block_size];
};

// A row block with itself: every pair both ways, so nothing goes to the
// columns.
template <bool guarded>
inline __attribute__((always_inline)) void sum_own_block(Pair_atoms const& atoms, Pair_strengths const& strengths,
                                                         int row_begin, Row_lanes& rows)
{
    Target target = {};
    Sources sources;
    Lanes fx, fy, fz;
    for (int i = 0; i < pair_block_size; ++i)
    {
        set_target(target, atoms, strengths, row_begin + i);
        for (int j = row_begin; j < row_begin + pair_block_size; j += lane_count)
        {
            load_sources(sources, atoms, j);
            pair_forces<guarded, true>(target, sources, fx, fy, fz);
            rows.x[i] += fx;
            rows.y[i] += fy;
            rows.z[i] += fz;
        }
    }
}

// A row block with a later block: every pair once, added to the row atom and
// taken from the column atom. Two row atoms at a time share the loads of the
// column atoms and the updates of their sums.
template <bool guarded, bool molecules_shared>
inline __attribute__((always_inline)) void
sum_later_block(Pair_atoms const& atoms, Pair_strengths const& strengths, int row_begin, int column_begin,
                Row_lanes& rows, float* __restrict column_x, float* __restrict column_y, float* __restrict column_z)
{
    static_assert(pair_block_size % 2 == 0, "row atoms go in twos");
    Target target = {}, next_target = {};
    Sources sources;
    Lanes fx, fy, fz, next_fx, next_fy, next_fz;
    for (int i = 0; i < pair_block_size; i += 2)
    {
        set_target(target, atoms, strengths, row_begin + i);
        set_target(next_target, atoms, strengths, row_begin + i + 1);
        Lanes sum_x = rows.x[i], sum_y = rows.y[i], sum_z = rows.z[i];
        Lanes next_sum_x = rows.x[i + 1], next_sum_y = rows.y[i + 1], next_sum_z = rows.z[i + 1];
        for (int j = column_begin; j < column_begin + pair_block_size; j += lane_count)
        {
            load_sources(sources, atoms, j);
            pair_forces<guarded, molecules_shared>(target, sources, fx, fy, fz);
            pair_forces<guarded, molecules_shared>(next_target, sources, next_fx, next_fy, next_fz);
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
        rows.x[i] = sum_x;
        rows.y[i] = sum_y;
        rows.z[i] = sum_z;
        rows.x[i + 1] = next_sum_x;
        rows.y[i + 1] = next_sum_y;
        rows.z[i + 1] = next_sum_z;
    }
}

inline __attribute__((always_inline)) bool all_finite(Lanes const* values, int count)
{
    Lanes const zero = {};
    Lane_mask finite = zero == zero;
    for (int k = 0; k < count; ++k) finite &= (values[k] - values[k]) == zero;
    for (int lane = 0; lane < lane_count; ++lane)
        if (!finite[lane]) return false;
    return true;
}

inline __attribute__((always_inline)) bool all_finite(float const* values, int count)
{
    bool finite = true;
    for (int k = 0; k < count; ++k) finite &= (values[k] - values[k]) == 0.f;
    return finite;
}

inline __attribute__((always_inline)) bool rows_finite(Row_lanes const& rows)
{
    return all_finite(rows.x, pair_block_size) && all_finite(rows.y, pair_block_size) &&
           all_finite(rows.z, pair_block_size);
}

// Whether two blocks may hold atoms of one molecule. A molecule's atoms are
// neighbours in the running index, and molecules are numbered as they come, so
// most pairs of blocks cannot.
inline __attribute__((always_inline)) bool may_share_a_molecule(Pair_atoms const& atoms, int first, int second)
{
    std::int32_t first_low = atoms.molecule_id[first], first_high = first_low;
    std::int32_t second_low = atoms.molecule_id[second], second_high = second_low;
    for (int k = 0; k < pair_block_size; ++k)
    {
        first_low = std::min(first_low, atoms.molecule_id[first + k]);
        first_high = std::max(first_high, atoms.molecule_id[first + k]);
        second_low = std::min(second_low, atoms.molecule_id[second + k]);
        second_high = std::max(second_high, atoms.molecule_id[second + k]);
    }
    return first_low <= second_high && second_low <= first_high;
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

    // A pair that is not finite is rare, and guarding every pair against it
    // costs a third of the time. So each block is summed unguarded first; a
    // pair that was not finite leaves a sum that is not finite either (nothing
    // brings it back), and then the block is summed again from where it began,
    // guarded.
    Row_lanes rows = {};
    sum_own_block<false>(atoms, strengths, row_begin, rows);
    if (!rows_finite(rows))
    {
        rows = Row_lanes{};
        sum_own_block<true>(atoms, strengths, row_begin, rows);
    }

    Row_lanes rows_before;
    float columns_before[3][pair_block_size];
    for (int column_begin = later_begin; column_begin < padded_count; column_begin += pair_block_size)
    {
        rows_before = rows;
        std::memcpy(columns_before[0], column_x + column_begin, sizeof columns_before[0]);
        std::memcpy(columns_before[1], column_y + column_begin, sizeof columns_before[1]);
        std::memcpy(columns_before[2], column_z + column_begin, sizeof columns_before[2]);

        if (may_share_a_molecule(atoms, row_begin, column_begin))
            sum_later_block<false, true>(atoms, strengths, row_begin, column_begin, rows, column_x, column_y, column_z);
        else
            sum_later_block<false, false>(atoms, strengths, row_begin, column_begin, rows, column_x, column_y,
                                          column_z);

        bool const finite = rows_finite(rows) && all_finite(column_x + column_begin, pair_block_size) &&
                            all_finite(column_y + column_begin, pair_block_size) &&
                            all_finite(column_z + column_begin, pair_block_size);
        if (finite) continue;
        rows = rows_before;
        std::memcpy(column_x + column_begin, columns_before[0], sizeof columns_before[0]);
        std::memcpy(column_y + column_begin, columns_before[1], sizeof columns_before[1]);
        std::memcpy(column_z + column_begin, columns_before[2], sizeof columns_before[2]);
        sum_later_block<true, true>(atoms, strengths, row_begin, column_begin, rows, column_x, column_y, column_z);
    }

    for (int i = 0; i < pair_block_size; ++i)
    {
        float x = 0.f, y = 0.f, z = 0.f;
        for (int lane = 0; lane < lane_count; ++lane)
        {
            x += rows.x[i][lane];
            y += rows.y[i][lane];
            z += rows.z[i][lane];
        }
        sums.row[0][row_begin + i] = x;
        sums.row[1][row_begin + i] = y;
        sums.row[2][row_begin + i] = z;
    }
}
