#include "simulation/Box_barrier.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Fall_off.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Tractor_barrier.h"

#include "support/Property_list.h"
#include "support/Vector_expect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{

Molecule molecule_at(Eigen::Vector3f const& position, float charge = 0.f)
{
    Molecule molecule(position);
    molecule._accumulated_charge = charge;
    return molecule;
}

Eigen::Matrix4f rotation_about_z(float angle)
{
    Eigen::Matrix4f matrix = Eigen::Matrix4f::Identity();
    matrix.topLeftCorner<3, 3>() = Eigen::AngleAxisf(angle, Eigen::Vector3f::UnitZ()).toRotationMatrix();
    return matrix;
}

Eigen::Vector3f const cube_min(-5.f, -5.f, -5.f);
Eigen::Vector3f const cube_max(5.f, 5.f, 5.f);

} // namespace

TEST(Orthonormal_basis, completes_the_normal_to_a_right_handed_frame)
{
    auto const up = make_orthonormal_basis(Eigen::Vector3f::UnitZ());
    EXPECT_EQ(Eigen::Vector3f::UnitX(), up.first);
    EXPECT_EQ(Eigen::Vector3f::UnitY(), up.second);

    auto const along_x = make_orthonormal_basis(Eigen::Vector3f::UnitX());
    expect_near(Eigen::Vector3f(0.f, -1.f, 0.f), along_x.first);
    expect_near(Eigen::Vector3f(0.f, 0.f, -1.f), along_x.second);

    std::srand(7);
    std::vector<Eigen::Vector3f> normals{-Eigen::Vector3f::UnitZ()};
    for (int i = 0; i < 20; ++i) normals.push_back(Eigen::Vector3f::Random().normalized());
    for (Eigen::Vector3f const& n : normals)
    {
        auto const basis = make_orthonormal_basis(n);
        Eigen::Matrix3f frame;
        frame << basis.first, basis.second, n;
        EXPECT_NEAR(1.f, frame.determinant(), 1e-5f) << n.transpose();
        EXPECT_NEAR(0.f, basis.first.dot(n), 1e-6f);
    }
}

TEST(Fall_off, is_whole_at_the_surface_and_gone_at_the_radius_even_for_radius_zero)
{
    EXPECT_EQ(1.f, fall_off(0.f, 2.f));
    EXPECT_FLOAT_EQ(0.3125f, fall_off(1.f, 2.f));
    EXPECT_EQ(0.f, fall_off(2.f, 2.f));
    EXPECT_EQ(1.f, fall_off(0.f, 0.f));
    EXPECT_EQ(0.f, fall_off(0.5f, 0.f));
}

TEST(Box_barrier_law, pushes_out_of_the_box_fading_over_its_radius)
{
    Box_barrier const barrier(cube_min, cube_max, 10000.f, 2.f);

    expect_near(Eigen::Vector3f(3125.f, 0.f, 0.f), barrier.get_force(molecule_at(Eigen::Vector3f(6.f, 0.f, 0.f))),
                1e-2f);
    expect_near(Eigen::Vector3f::Zero(), barrier.get_force(molecule_at(Eigen::Vector3f(7.f, 0.f, 0.f))));
    expect_near(Eigen::Vector3f(10000.f, 0.f, 0.f), barrier.get_force(molecule_at(Eigen::Vector3f(5.f, 0.f, 0.f))),
                1e-2f);
    // Inside, it pushes away from the centre.
    expect_near(Eigen::Vector3f(6000.f, 8000.f, 0.f), barrier.get_force(molecule_at(Eigen::Vector3f(3.f, 4.f, 0.f))),
                1e-2f);
    float const reach = barrier.get_box_radius() + barrier.get_radius();
    EXPECT_NEAR(std::sqrt(75.f) + 2.f, reach, 1e-5f);
    expect_near(Eigen::Vector3f::Zero(),
                barrier.get_force(molecule_at(Eigen::Vector3f::Constant(reach / std::sqrt(3.f) + 0.01f))));
}

TEST(Box_barrier_law, pushes_along_the_barrier_frame_and_reaches_as_far_as_its_extent)
{
    Box_barrier rotated(Eigen::Vector3f(-5.f, -2.f, -5.f), Eigen::Vector3f(5.f, 2.f, 5.f), 10000.f, 2.f);
    rotated.set_transform(rotation_about_z(float(M_PI) / 2.f));
    // World y is the barrier's local x, whose face is 5 from the centre.
    expect_near(Eigen::Vector3f(0.f, 3125.f, 0.f), rotated.get_force(molecule_at(Eigen::Vector3f(0.f, 6.f, 0.f))),
                1e-2f);
    expect_near(Eigen::Vector3f::Zero(), rotated.get_force(molecule_at(Eigen::Vector3f(4.f, 0.f, 0.f))));

    Box_barrier grown(cube_min, cube_max, 10000.f, 2.f);
    grown.set_extent(Eigen::Vector3f(20.f, 20.f, 20.f));
    expect_near(Eigen::Vector3f(3125.f, 0.f, 0.f), grown.get_force(molecule_at(Eigen::Vector3f(11.f, 0.f, 0.f))),
                1e-2f);
}

TEST(Charged_barrier_law, adds_a_pull_or_push_by_the_net_charge_at_any_distance)
{
    Charged_barrier barrier(cube_min, cube_max, 0.f, 2.f, 5.f);
    expect_near(Eigen::Vector3f(-5.f, 0.f, 0.f), barrier.get_force(molecule_at(Eigen::Vector3f(100.f, 0.f, 0.f), -1.f)),
                1e-5f);
    expect_near(Eigen::Vector3f(0.f, 0.f, 5.f), barrier.get_force(molecule_at(Eigen::Vector3f(0.f, 0.f, 80.f), 1.f)),
                1e-5f);

    barrier.apply_parameters(Property_list().set("charge", -2.f).list());
    EXPECT_EQ(-2.f, barrier.get_charge());
    expect_near(Eigen::Vector3f(2.f, 0.f, 0.f), barrier.get_force(molecule_at(Eigen::Vector3f(100.f, 0.f, 0.f), -1.f)),
                1e-5f);
}

TEST(Tractor_barrier_law, pushes_along_its_x_axis_anywhere_in_its_z_slab)
{
    Tractor_barrier tractor(cube_min, cube_max, 10000.f);
    EXPECT_EQ(2.f, tractor.get_tractor_strength());
    EXPECT_EQ(5.f, tractor.get_radius());

    expect_near(Eigen::Vector3f(2.f, 0.f, 0.f), tractor.get_force(molecule_at(Eigen::Vector3f::Zero())));
    expect_near(Eigen::Vector3f(2.f, 0.f, 0.f), tractor.get_force(molecule_at(Eigen::Vector3f(0.f, 100.f, 5.f))));
    expect_near(Eigen::Vector3f(0.625f, 0.f, 0.f), tractor.get_force(molecule_at(Eigen::Vector3f(2.5f, 0.f, 0.f))));
    expect_near(Eigen::Vector3f::Zero(), tractor.get_force(molecule_at(Eigen::Vector3f(0.f, 0.f, 5.1f))));

    tractor.apply_parameters(Property_list().set("tractor_strength", -4.f).list());
    expect_near(Eigen::Vector3f(-4.f, 0.f, 0.f), tractor.get_force(molecule_at(Eigen::Vector3f(0.f, 3.f, 0.f))));
}

TEST(Tractor_barrier_animation, streams_particles_from_the_pulling_side_and_turns_its_wheel)
{
    Tractor_barrier tractor(Eigen::Vector3f(-10.f, -10.f, -10.f), Eigen::Vector3f(10.f, 10.f, 10.f), 10000.f);
    // One particle every 10 / (2 x 20) = 0.25 s.
    for (int i = 0; i < 4; ++i) tractor.animate(0.1f);
    ASSERT_EQ(1u, tractor.get_particles().size());
    Particle const& first = tractor.get_particles().front();
    EXPECT_FLOAT_EQ(-14.75f + 0.4f, first.position.x());
    EXPECT_EQ(4.f, first.speed.x());
    EXPECT_FLOAT_EQ(4.f, tractor.get_rotation_angle());

    // Each particle crosses 29.6 units at 4 units per second; one leaves as one enters.
    for (int i = 0; i < 200; ++i) tractor.animate(0.1f);
    EXPECT_NEAR(25.0, double(tractor.get_particles().size()), 1.0);
    for (Particle const& particle : tractor.get_particles()) EXPECT_LE(particle.age, 1.f);

    // |2| / 10 x (20 + 0.5) x (20 + 0.5)
    EXPECT_FLOAT_EQ(84.05f, tractor.get_energy_consumption());

    Tractor_barrier pushing_back(Eigen::Vector3f(-10.f, -10.f, -10.f), Eigen::Vector3f(10.f, 10.f, 10.f), 10000.f);
    pushing_back.apply_parameters(Property_list().set("tractor_strength", -2.f).list());
    for (int i = 0; i < 4; ++i) pushing_back.animate(0.1f);
    ASSERT_EQ(1u, pushing_back.get_particles().size());
    EXPECT_GT(pushing_back.get_particles().front().position.x(), 14.f);
    EXPECT_EQ(-4.f, pushing_back.get_particles().front().speed.x());
}

TEST(Plane_barrier_law, pushes_along_its_normal_from_behind_to_its_radius_in_front)
{
    Plane_barrier const floor(Eigen::Vector3f::Zero(), Eigen::Vector3f::UnitZ(), 10000.f, 2.f);
    expect_near(Eigen::Vector3f(0.f, 0.f, 10000.f), floor.get_force(molecule_at(Eigen::Vector3f(3.f, 1.f, -5.f))));
    expect_near(Eigen::Vector3f(0.f, 0.f, 10000.f), floor.get_force(molecule_at(Eigen::Vector3f::Zero())));
    expect_near(Eigen::Vector3f(0.f, 0.f, 3125.f), floor.get_force(molecule_at(Eigen::Vector3f(0.f, 0.f, 1.f))), 1e-2f);
    expect_near(Eigen::Vector3f::Zero(), floor.get_force(molecule_at(Eigen::Vector3f(0.f, 0.f, 2.f))));
    expect_near(Eigen::Vector3f::Zero(), floor.get_force(molecule_at(Eigen::Vector3f(0.f, 0.f, 30.f))));

    // A border of the game field, facing inward from x = -40.
    Plane_barrier const wall(Eigen::Vector3f(-40.f, 0.f, 0.f), Eigen::Vector3f::UnitX(), 10000.f, 2.f);
    Atom atom;
    atom.set_position(Eigen::Vector3f(-39.f, 12.f, -7.f));
    expect_near(Eigen::Vector3f(3125.f, 0.f, 0.f), wall.get_force(atom), 1e-2f);
    EXPECT_TRUE(wall.get_bounding_box().isEmpty());
}
