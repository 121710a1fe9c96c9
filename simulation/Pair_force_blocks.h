#ifndef SIMULATION_PAIR_FORCE_BLOCKS_H
#define SIMULATION_PAIR_FORCE_BLOCKS_H

#include <cstdint>

// The pair law summed over blocks of atoms. Atoms are cut into blocks of
// pair_block_size; a row block meets itself (every pair both ways) and each
// later block (every pair once, its force added to one atom and taken from the
// other). What a row block adds to the atoms of later blocks goes to sums of
// its own, so no two row blocks write to one place and the order of every sum
// is fixed by the blocks alone, whichever thread runs them.
constexpr int pair_block_size = 64;

// One array per quantity, padded to whole blocks with atoms that carry neither
// charge nor Van der Waals force.
struct Pair_atoms
{
    float const* x;
    float const* y;
    float const* z;
    float const* charge;
    float const* radius;  // already times the radius factor
    float const* has_vdw; // 1 or 0
    std::int32_t const* molecule_id;
    int block_count;
};

struct Pair_strengths
{
    float coulomb;
    float vdw;
};

// Where one row block's sums go: `row` holds its own atoms' forces (indexed by
// atom), `column` what it adds to the atoms of later blocks (indexed by atom;
// nothing before the next block is written). Each axis is an array of its own.
struct Row_block_sums
{
    float* row[3];
    float* column[3];
};

// Overwrites the row sums of the block's atoms and the column sums of every
// later block's atoms. A pair within one molecule, or one whose force is not
// finite (an atom at infinity or NaN), adds nothing.
void sum_row_block(Pair_atoms const& atoms, Pair_strengths const& strengths, int row_block, Row_block_sums const& sums);

#endif
