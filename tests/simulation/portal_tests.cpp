#include "simulation/Molecule_factory.h"
#include "simulation/Particle_system_element.h"
#include "simulation/Portal.h"

#include "support/Vector_expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

namespace
{

Eigen::Vector3f const cube_min(-5.f, -5.f, -5.f);
Eigen::Vector3f const cube_max(5.f, 5.f, 5.f);

bool is_met(Portal const& portal)
{
    // The capture goal never reads the level, so any storage stands in for it.
    static char const no_level = 0;
    return portal.get_end_condition().is_met(reinterpret_cast<Level_data const&>(no_level));
}

void capture(Portal& portal, int count)
{
    for (int i = 0; i < count; ++i) portal.add_captured_molecule();
}

} // namespace

TEST(Portal, wants_ten_molecules_scores_sixty_and_does_not_swallow_unless_told)
{
    Box_portal built(cube_min, cube_max);
    Sphere_portal loaded;
    for (Portal* portal : std::initializer_list<Portal*>{&built, &loaded})
    {
        EXPECT_EQ(0, portal->get_end_condition().get_type());
        EXPECT_EQ(10, portal->get_end_condition().get_min_captured_molecules());
        EXPECT_EQ(60.f, portal->get_score_factor());
        EXPECT_FALSE(portal->get_destroy_on_entering());
        EXPECT_TRUE(portal->get_properties()._list.empty());
    }
    EXPECT_TRUE(loaded.get_box().isEmpty());

    capture(built, 9);
    EXPECT_FALSE(is_met(built));
    capture(built, 1);
    EXPECT_TRUE(is_met(built));

    built.get_end_condition().set_min_captured_molecules(0);
    built.reset();
    EXPECT_TRUE(is_met(built));
}

TEST(Portal, box_contains_its_faces_in_its_own_frame)
{
    Box_portal portal(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(10.f, 4.f, 4.f));
    EXPECT_TRUE(portal.contains(Eigen::Vector3f(10.f, 2.f, 2.f)));
    EXPECT_TRUE(portal.contains(Eigen::Vector3f(0.f, 0.f, 0.f)));
    EXPECT_FALSE(portal.contains(Eigen::Vector3f(10.001f, 2.f, 2.f)));

    // Turned a quarter about z around its centre (5, 2, 2): its long side runs along y.
    Eigen::Matrix4f turn = Eigen::Matrix4f::Identity();
    turn.topLeftCorner<3, 3>() = Eigen::AngleAxisf(float(M_PI) / 2.f, Eigen::Vector3f::UnitZ()).toRotationMatrix();
    portal.set_transform(turn);
    EXPECT_TRUE(portal.contains(Eigen::Vector3f(5.f, 6.9f, 2.f)));
    EXPECT_FALSE(portal.contains(Eigen::Vector3f(9.f, 2.f, 2.f)));
}

TEST(Portal, sphere_contains_the_ellipsoid_inscribed_in_its_box)
{
    Sphere_portal const ball(cube_min, cube_max);
    EXPECT_TRUE(ball.contains(Eigen::Vector3f(4.f, 0.f, 0.f)));
    EXPECT_TRUE(ball.contains(Eigen::Vector3f(2.8f, 2.8f, 2.8f)));
    EXPECT_FALSE(ball.contains(Eigen::Vector3f(2.9f, 2.9f, 2.9f)));

    Sphere_portal const egg(Eigen::Vector3f(10.f, -2.f, -2.f), Eigen::Vector3f(30.f, 2.f, 2.f));
    EXPECT_TRUE(egg.contains(Eigen::Vector3f(29.f, 0.f, 0.f)));
    EXPECT_FALSE(egg.contains(Eigen::Vector3f(20.f, 2.5f, 0.f)));
}

TEST(Portal, plain_count_restarts_each_pass_and_swallowed_count_lasts_until_reset)
{
    Box_portal plain(cube_min, cube_max);
    Box_portal swallowing(cube_min, cube_max);
    swallowing.set_destroy_on_entering(true);

    for (Portal* portal : std::initializer_list<Portal*>{&plain, &swallowing})
    {
        portal->begin_capture_pass();
        capture(*portal, 3);
        portal->begin_capture_pass();
    }
    EXPECT_EQ(0, plain.get_end_condition().get_num_captured_molecules());
    EXPECT_EQ(3, swallowing.get_end_condition().get_num_captured_molecules());

    swallowing.reset();
    EXPECT_EQ(0, swallowing.get_end_condition().get_num_captured_molecules());
}

TEST(Portal, swarm_holds_one_particle_per_missing_molecule_and_stays_near_the_box)
{
    std::srand(3);
    Box_portal portal(cube_min, cube_max);
    portal.get_end_condition().set_min_captured_molecules(3);
    capture(portal, 1);
    portal.reset();
    ASSERT_EQ(3u, portal.get_particles().size());
    for (Particle const& particle : portal.get_particles())
    {
        EXPECT_TRUE(portal.get_box().contains(particle.position));
        EXPECT_LE(particle.speed.cwiseAbs().maxCoeff(), 10.f);
    }

    capture(portal, 1);
    portal.animate(0.04f);
    EXPECT_EQ(2u, portal.get_particles().size());

    capture(portal, 5);
    for (int i = 0; i < 500; ++i) portal.animate(0.04f);
    EXPECT_EQ(2u, portal.get_particles().size());
    for (Particle const& particle : portal.get_particles())
        EXPECT_LT(portal.get_box().exteriorDistance(particle.position), 4.5f);

    capture(portal, 1);
    portal.reset();
    EXPECT_EQ(3u, portal.get_particles().size());
}

TEST(Particle_burst, covers_the_atoms_of_the_swallowed_molecule_and_ends_after_a_second)
{
    std::srand(5);
    Molecule const sodium = create_molecule("Na", Eigen::Vector3f(1.f, 2.f, 3.f));
    Particle_system_element burst;
    burst.emit_from_molecule(sodium);
    ASSERT_EQ(100u, burst.get_particles().size());
    for (Particle const& particle : burst.get_particles())
        EXPECT_NEAR(sodium._atoms[0]._radius, (particle.position - sodium._x).norm(), 1e-5f);

    Molecule const water = create_molecule("H2O", Eigen::Vector3f::Zero());
    Particle_system_element water_burst;
    water_burst.emit_from_molecule(water);
    std::set<int> atoms_covered;
    for (Particle const& particle : water_burst.get_particles())
    {
        for (int i = 0; i < 3; ++i)
        {
            Atom const& atom = water._atoms[std::size_t(i)];
            if (std::abs((particle.position - atom.get_position()).norm() - atom._radius) < 1e-5f)
                atoms_covered.insert(i);
        }
    }
    EXPECT_EQ(3u, atoms_covered.size());

    for (int i = 0; i < 16; ++i) burst.animate(1.f / 16.f);
    EXPECT_FALSE(burst.is_finished());
    burst.animate(1.f / 16.f);
    EXPECT_TRUE(burst.is_finished());
    EXPECT_GT(burst.get_age_fraction(), 1.f);
}

TEST(Particle_burst, from_a_molecule_without_atoms_is_empty)
{
    Molecule empty(Eigen::Vector3f::Zero());
    Particle_system_element burst;
    burst.emit_from_molecule(empty);
    EXPECT_TRUE(burst.get_particles().empty());
}
