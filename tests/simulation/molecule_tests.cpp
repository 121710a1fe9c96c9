#include "simulation/Molecule_factory.h"

#include "support/Capture_stdout.h"
#include "support/Vector_expect.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

TEST(Molecule_factory, water_is_one_oxygen_with_two_bonded_hydrogens)
{
    Eigen::Vector3f const position(1.f, 2.f, 3.f);
    Molecule const water = create_molecule("H2O", position);

    ASSERT_EQ(3u, water._atoms.size());
    EXPECT_EQ(2, water._atoms[0]._type);
    EXPECT_EQ(1, water._atoms[1]._type);
    EXPECT_EQ(1, water._atoms[2]._type);
    std::vector<std::vector<int>> const bonds_of_the_oxygen{{1, 2}};
    EXPECT_EQ(bonds_of_the_oxygen, water._connectivity);

    EXPECT_FLOAT_EQ(2.99269112f, water._mass);
    EXPECT_EQ(0.f, water._accumulated_charge);

    // Offsets around the centre of mass, which sits at the given position.
    expect_near(Eigen::Vector3f(-0.0657671f, 0.f, 0.f), water._atoms[0]._r_0);
    expect_near(Eigen::Vector3f(0.5219614f, 0.7590620f, 0.f), water._atoms[1]._r_0);
    expect_near(Eigen::Vector3f(0.5219614f, -0.7590620f, 0.f), water._atoms[2]._r_0);
    Eigen::Vector3f weighted = Eigen::Vector3f::Zero();
    for (Atom const& atom : water._atoms)
    {
        weighted += atom._mass * atom._r_0;
        expect_near(position + atom._r_0, atom.get_position());
    }
    expect_near(Eigen::Vector3f::Zero(), weighted);
    EXPECT_EQ(position, water._x);

    // The inertia stays the one about the oxygen.
    Eigen::Matrix3f expected_inertia = Eigen::Vector3f(0.1929517f, 0.1156772f, 0.3086288f).asDiagonal();
    EXPECT_LT((expected_inertia - water._I_body).norm(), 1e-6f) << water._I_body;
    EXPECT_LT((water._I_body * water._I_body_inv - Eigen::Matrix3f::Identity()).norm(), 1e-5f);
}

TEST(Molecule_factory, ions_are_single_charged_atoms_with_unit_inertia)
{
    Molecule const sodium = create_molecule("Na", Eigen::Vector3f::Zero());
    ASSERT_EQ(1u, sodium._atoms.size());
    EXPECT_FLOAT_EQ(3.8189368f, sodium._mass);
    EXPECT_EQ(1.f, sodium._accumulated_charge);
    EXPECT_FLOAT_EQ(2.27f, sodium._atoms[0]._radius);
    EXPECT_EQ(6, sodium._atoms[0]._type);
    EXPECT_EQ(Eigen::Matrix3f::Identity(), sodium._I_body);
    EXPECT_EQ(Eigen::Matrix3f::Identity(), sodium._I_body_inv);

    Molecule const chloride = create_molecule("Cl", Eigen::Vector3f(0.f, 0.f, 4.f));
    ASSERT_EQ(1u, chloride._atoms.size());
    EXPECT_FLOAT_EQ(5.8803987f, chloride._mass);
    EXPECT_EQ(-1.f, chloride._accumulated_charge);
    EXPECT_EQ(-1.f, chloride._atoms[0]._charge);
    EXPECT_FLOAT_EQ(1.8f, chloride._atoms[0]._radius);
    EXPECT_EQ(7, chloride._atoms[0]._type);
    EXPECT_EQ(Eigen::Vector3f(0.f, 0.f, 4.f), chloride._atoms[0].get_position());
}

TEST(Molecule_factory, knows_exactly_three_molecules)
{
    EXPECT_THAT(get_molecule_names(), ::testing::UnorderedElementsAre("H2O", "Na", "Cl"));
    EXPECT_EQ(get_molecule_names(), get_molecule_names());
    EXPECT_TRUE(molecule_exists("Cl"));
    EXPECT_FALSE(molecule_exists("NaCl"));
    EXPECT_THROW(create_molecule("NaCl", Eigen::Vector3f::Zero()), std::out_of_range);
}

TEST(Molecule_motion, derived_quantities_follow_the_momenta)
{
    Molecule water = create_molecule("H2O", Eigen::Vector3f::Zero());
    water._P = Eigen::Vector3f(1.f, 0.f, 0.f);
    water._L = Eigen::Vector3f(0.f, 0.f, 1.f);
    water._q = Eigen::Quaternionf(2.f, 0.f, 0.f, 0.f);

    water.update_derived(0.1f);

    expect_near(Eigen::Vector3f(3.341476f, 0.f, 0.f), water._v, 1e-5f);
    EXPECT_FLOAT_EQ(1.f, water._q.w());
    EXPECT_FLOAT_EQ(1.f, water._q.norm());
    expect_near(Eigen::Vector3f(0.f, 0.f, 32.40138f), water._omega, 1e-3f);
}

TEST(Molecule_motion, orientation_turns_the_atoms_about_the_centre)
{
    Molecule water = create_molecule("H2O", Eigen::Vector3f(5.f, 0.f, 0.f));
    Eigen::Quaternionf const half_turn_about_z(0.f, 0.f, 0.f, 3.f); // not normalised on purpose

    water.set_orientation(half_turn_about_z);

    EXPECT_EQ(half_turn_about_z.coeffs(), water._q.coeffs());
    Eigen::Vector3f const offset = water._atoms[1]._r_0;
    expect_near(Eigen::Vector3f(5.f - offset.x(), -offset.y(), 0.f), water._atoms[1].get_position(), 1e-5f);
}

// Archives write every field; one left unset would be saved as garbage or NaN.
TEST(Molecule_construction, default_molecule_is_fully_initialised_and_says_so)
{
    Capture_stdout capture;
    Molecule const molecule;
    EXPECT_EQ("Molecule() should not be used outside serialization\n", capture.text());

    EXPECT_TRUE(molecule._atoms.empty());
    EXPECT_TRUE(molecule._connectivity.empty());
    EXPECT_EQ(0.f, molecule._mass);
    EXPECT_EQ(0, molecule._id);
    EXPECT_EQ(0.f, molecule._accumulated_charge);
    EXPECT_EQ(Eigen::Quaternionf::Identity().coeffs(), molecule._q.coeffs());
    for (Eigen::Matrix3f const* matrix : {&molecule._I_body, &molecule._I_body_inv, &molecule._I_inv, &molecule._R})
        EXPECT_EQ(Eigen::Matrix3f::Identity(), *matrix);
    for (Eigen::Vector3f const* vector : {&molecule._x, &molecule._P, &molecule._L, &molecule._v, &molecule._omega,
                                          &molecule._force, &molecule._torque})
        EXPECT_EQ(Eigen::Vector3f::Zero(), *vector);
}
