#include "simulation/Cpu_force.h"
#include "simulation/Molecule_factory.h"

#include "Scattered_molecules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <list>
#include <set>

namespace
{

float const coulomb = 1.f;
float const vdw = 0.1f;
float const radius_factor = 1.4f;
Eigen::Vector2f const field(100.f, 100.f);

std::vector<Eigen::Vector3f> forces_of(Cpu_force& force, std::list<Molecule> const& molecules)
{
    Eigen::Vector3f const* forces = force.calc_forces(molecules, coulomb, vdw, radius_factor, 0.f, field);
    return std::vector<Eigen::Vector3f>(forces, forces + force.get_atom_count());
}

// The law written out plainly in double precision, pair by pair, for atom i of
// the running index.
Eigen::Vector3d reference_force_on(std::list<Molecule> const& molecules, size_t i)
{
    std::vector<Atom const*> atoms;
    std::vector<int> owners;
    for_each_atom(molecules, [&](Atom const& atom, int molecule_id) {
        atoms.push_back(&atom);
        owners.push_back(molecule_id);
    });
    Eigen::Vector3d force = Eigen::Vector3d::Zero();
    for (size_t j = 0; j < atoms.size(); ++j)
    {
        if (owners[i] == owners[j]) continue;
        Eigen::Vector3d const d = (atoms[i]->get_position() - atoms[j]->get_position()).cast<double>();
        double const r = d.norm();
        double magnitude = double(atoms[i]->_charge) * coulomb * atoms[j]->_charge / (r * r);
        if (atoms[i]->_type != 0 && atoms[j]->_type != 0)
        {
            double const s = (double(atoms[i]->_radius) + atoms[j]->_radius) * radius_factor / r;
            magnitude += 4.0 * vdw * (std::pow(s, 12) - std::pow(s, 6));
        }
        // A pair with an atom at infinity or NaN, or whose force is beyond
        // float, is dropped.
        if (!d.allFinite() || !(std::abs(magnitude / r) <= FLT_MAX)) continue;
        force += magnitude * d / r;
    }
    return force;
}

void expect_near_reference(std::vector<Eigen::Vector3f> const& forces, std::list<Molecule> const& molecules,
                           size_t atom)
{
    Eigen::Vector3d const expected = reference_force_on(molecules, atom);
    double const error = (forces[atom].cast<double>() - expected).stableNorm();
    EXPECT_LE(error, 1e-4 * std::max(1.0, expected.stableNorm())) << "atom " << atom << " of " << forces.size();
}

int atom_count(std::list<Molecule> const& molecules)
{
    int count = 0;
    for (Molecule const& molecule : molecules) count += int(molecule._atoms.size());
    return count;
}

// Scattered molecules with exactly `atoms` atoms: waters become sodium ions in
// their place, and an ion goes, until the count is met.
std::list<Molecule> scattered_atoms(int atoms, unsigned seed)
{
    std::list<Molecule> molecules =
        scattered_molecules(atoms * 7 / 10 + 1, Eigen::Vector3f::Constant(80.f), 1.5f, seed);
    for (auto molecule = molecules.begin(); molecule != molecules.end() && atom_count(molecules) > atoms;)
    {
        int const excess = atom_count(molecules) - atoms;
        if (excess >= 2 && molecule->_atoms.size() == 3)
            *molecule = create_na_molecule(molecule->_x);
        else if (excess == 1 && molecule->_atoms.size() == 1)
            molecule = molecules.erase(molecule);
        else
            ++molecule;
    }
    return with_ids(molecules);
}
} // namespace

TEST(Cpu_force, pair_law_matches_known_pairs)
{
    Cpu_force force(1);

    std::vector<Eigen::Vector3f> forces =
        forces_of(force, with_ids({create_na_molecule(Eigen::Vector3f(-3.f, 0.f, 0.f)),
                                   create_na_molecule(Eigen::Vector3f(3.f, 0.f, 0.f))}));
    ASSERT_EQ(2u, forces.size());
    EXPECT_LT((forces[0] - Eigen::Vector3f(-0.2613329f, 0.f, 0.f)).norm(), 1e-6f) << forces[0].transpose();
    EXPECT_LT((forces[1] - Eigen::Vector3f(0.2613329f, 0.f, 0.f)).norm(), 1e-6f) << forces[1].transpose();

    forces = forces_of(force, with_ids({create_na_molecule(Eigen::Vector3f::Zero()),
                                        create_cl_molecule(Eigen::Vector3f(5.f, 0.f, 0.f))}));
    EXPECT_LT((forces[0] - Eigen::Vector3f(-1.0029209f, 0.f, 0.f)).norm(), 1e-6f) << forces[0].transpose();

    // Without an element type there is only the Coulomb repulsion: 1 / 6^2.
    std::list<Molecule> untyped = with_ids(
        {create_na_molecule(Eigen::Vector3f(-3.f, 0.f, 0.f)), create_na_molecule(Eigen::Vector3f(3.f, 0.f, 0.f))});
    untyped.front()._atoms[0]._type = 0;
    forces = forces_of(force, untyped);
    EXPECT_FLOAT_EQ(-1.f / 36.f, forces[0].x());
}

TEST(Cpu_force, leaves_out_pairs_within_one_molecule)
{
    Cpu_force force(1);
    std::vector<Eigen::Vector3f> const forces =
        forces_of(force, with_ids({create_h2o_molecule(Eigen::Vector3f::Zero())}));
    ASSERT_EQ(3u, forces.size());
    for (Eigen::Vector3f const& f : forces) EXPECT_EQ(Eigen::Vector3f::Zero(), f);

    EXPECT_EQ(
        0, (force.calc_forces(std::list<Molecule>(), coulomb, vdw, radius_factor, 0.f, field), force.get_atom_count()));
}

TEST(Cpu_force, agrees_with_a_double_precision_reference)
{
    std::list<Molecule> const molecules = scattered_molecules(150, Eigen::Vector3f::Constant(40.f), 3.f, 11);
    Cpu_force force(4);
    std::vector<Eigen::Vector3f> const forces = forces_of(force, molecules);
    ASSERT_EQ(size_t(atom_count(molecules)), forces.size());

    Eigen::Vector3d total = Eigen::Vector3d::Zero();
    double magnitudes = 0.0;
    for (size_t i = 0; i < forces.size(); ++i)
    {
        expect_near_reference(forces, molecules, i);
        total += forces[i].cast<double>();
        magnitudes += forces[i].norm();
    }
    // Every pair pushes both ways alike.
    EXPECT_LT(total.norm(), 1e-5 * magnitudes);
}

// Atoms are weighed in blocks: a block's first and last atom, a block just
// full or one atom over, and the atom limit and beyond it.
TEST(Cpu_force, agrees_with_the_reference_at_every_block_edge_and_the_atom_limit)
{
    Cpu_force force;
    for (int atoms : {1, 2, 63, 64, 65, 130, 4066, 4096})
    {
        std::list<Molecule> const molecules = scattered_atoms(atoms, unsigned(atoms));
        ASSERT_EQ(atoms, atom_count(molecules));
        std::vector<Eigen::Vector3f> const forces = forces_of(force, molecules);
        ASSERT_EQ(size_t(atoms), forces.size());
        size_t const stride = atoms > 200 ? 61 : 1;
        for (size_t i = 0; i < forces.size(); i += stride) expect_near_reference(forces, molecules, i);
        expect_near_reference(forces, molecules, forces.size() - 1);
    }
}

TEST(Cpu_force, results_do_not_depend_on_the_thread_count)
{
    std::list<Molecule> const molecules = scattered_molecules(900, Eigen::Vector3f::Constant(80.f), 1.5f, 5);
    Cpu_force single(1);
    std::vector<Eigen::Vector3f> const one = forces_of(single, molecules);
    ASSERT_GT(one.size(), 1000u);
    for (int threads : {2, 3, 8})
    {
        Cpu_force several(threads);
        std::vector<Eigen::Vector3f> const many = forces_of(several, molecules);
        ASSERT_EQ(one.size(), many.size());
        EXPECT_EQ(0, std::memcmp(one.data(), many.data(), one.size() * sizeof(Eigen::Vector3f))) << threads;
    }

    // A vector of molecules is walked the same way as a list.
    Cpu_force several(3);
    std::vector<Molecule> const as_vector(molecules.begin(), molecules.end());
    Eigen::Vector3f const* from_vector = several.calc_forces(as_vector, coulomb, vdw, radius_factor, 0.f, field);
    EXPECT_EQ(0, std::memcmp(one.data(), from_vector, one.size() * sizeof(Eigen::Vector3f)));
}

TEST(Cpu_force, atoms_at_one_point_or_lost_in_space_give_finite_forces)
{
    Cpu_force force(1);

    std::vector<Eigen::Vector3f> forces =
        forces_of(force, with_ids({create_na_molecule(Eigen::Vector3f(1.f, 1.f, 1.f)),
                                   create_cl_molecule(Eigen::Vector3f(1.f, 1.f, 1.f)),
                                   create_na_molecule(Eigen::Vector3f(1.f, 1.f, 1.005f))}));
    for (Eigen::Vector3f const& f : forces) EXPECT_TRUE(f.allFinite()) << f.transpose();
    EXPECT_GT(forces[2].z(), 0.f) << "pushed away from the pair below it";

    // One atom with a NaN position must not poison the others.
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const inf = std::numeric_limits<float>::infinity();
    std::list<Molecule> molecules = with_ids(
        {create_na_molecule(Eigen::Vector3f(-3.f, 0.f, 0.f)), create_na_molecule(Eigen::Vector3f(3.f, 0.f, 0.f)),
         create_cl_molecule(Eigen::Vector3f(nan, 0.f, 0.f)), create_cl_molecule(Eigen::Vector3f(inf, 0.f, 0.f))});
    forces = forces_of(force, molecules);
    EXPECT_LT((forces[0] - Eigen::Vector3f(-0.2613329f, 0.f, 0.f)).norm(), 1e-6f) << forces[0].transpose();
    for (Eigen::Vector3f const& f : forces) EXPECT_TRUE(f.allFinite()) << f.transpose();
}

// Among many atoms, each block holding a lost atom (or one whose force is
// beyond float) is summed again with every pair guarded: the other atoms get
// the forces of the rest, as if it were not there.
TEST(Cpu_force, lost_atoms_in_a_crowd_leave_the_others_their_forces)
{
    float const nan = std::numeric_limits<float>::quiet_NaN();
    float const inf = std::numeric_limits<float>::infinity();
    std::list<Molecule> molecules = scattered_atoms(1000, 3);
    std::vector<Molecule*> ions;
    for (Molecule& molecule : molecules)
        if (molecule._atoms.size() == 1) ions.push_back(&molecule);
    ASSERT_GT(ions.size(), 400u);
    ions[3]->_atoms[0].set_position(Eigen::Vector3f(nan, 0.f, 0.f));
    ions[200]->_atoms[0].set_position(Eigen::Vector3f(0.f, -inf, 0.f));
    ions.back()->_atoms[0].set_position(Eigen::Vector3f(1e30f, 0.f, 1e30f));
    // Its Van der Waals force overflows with every atom.
    ions[300]->_atoms[0]._radius = 1e20f;
    std::set<Atom const*> const lost = {&ions[3]->_atoms[0], &ions[200]->_atoms[0], &ions.back()->_atoms[0],
                                        &ions[300]->_atoms[0]};

    Cpu_force force;
    std::vector<Eigen::Vector3f> const forces = forces_of(force, molecules);
    size_t i = 0;
    for_each_atom(molecules, [&](Atom const& atom, int) {
        EXPECT_TRUE(forces[i].allFinite()) << "atom " << i;
        if (!lost.count(&atom)) expect_near_reference(forces, molecules, i);
        ++i;
    });
}
