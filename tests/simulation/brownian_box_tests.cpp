#include "simulation/Brownian_box.h"

#include "support/Property_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{

Brownian_box box_of_strength(float strength)
{
    return Brownian_box(Eigen::Vector3f(-10.f, -10.f, -10.f), Eigen::Vector3f(10.f, 10.f, 10.f), strength);
}

} // namespace

TEST(Brownian_box, heat_is_full_in_the_box_and_fades_within_ten_units_outside)
{
    Brownian_box const box(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(20.f, 10.f, 4.f), 20.f);
    Eigen::Vector3f const centre(10.f, 5.f, 2.f);
    EXPECT_FLOAT_EQ(20.f, box.get_strength_at(centre));
    EXPECT_FLOAT_EQ(20.f, box.get_strength_at(Eigen::Vector3f(20.f, 5.f, 2.f)));
    EXPECT_FLOAT_EQ(6.25f, box.get_strength_at(Eigen::Vector3f(10.f, 5.f, 9.f)));
    EXPECT_EQ(0.f, box.get_strength_at(Eigen::Vector3f(30.f, 5.f, 2.f)));
    EXPECT_EQ(0.f, box.get_strength_at(Eigen::Vector3f(10.f, 50.f, 2.f)));

    // Distances are measured in the box's own frame, whatever its rotation.
    Brownian_box turned(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(20.f, 10.f, 4.f), 20.f);
    for (float angle : {0.5f, 1.3f, 2.9f})
    {
        Eigen::Matrix3f const rotation =
            Eigen::AngleAxisf(angle, Eigen::Vector3f(1.f, 2.f, 3.f).normalized()).toRotationMatrix();
        Eigen::Matrix4f frame = Eigen::Matrix4f::Identity();
        frame.topLeftCorner<3, 3>() = rotation;
        turned.set_transform(frame);
        EXPECT_NEAR(6.25f, turned.get_strength_at(centre + rotation * Eigen::Vector3f(15.f, 0.f, 0.f)), 1e-4f);
        EXPECT_NEAR(20.f, turned.get_strength_at(centre + rotation * Eigen::Vector3f(9.f, 4.f, 1.f)), 1e-4f);
    }
}

TEST(Brownian_box, costs_energy_by_strength_and_footprint)
{
    Brownian_box box = box_of_strength(-25.f);
    // 25 / 50 x (20 + 1) x (20 + 1)
    EXPECT_FLOAT_EQ(220.5f, box.get_energy_consumption());

    box.apply_parameters(Property_list().set("strength", 50.f).list());
    EXPECT_EQ(50.f, box.get_strength());
    EXPECT_FLOAT_EQ(441.f, box.get_energy_consumption());
}

TEST(Brownian_box, particles_wander_inside_at_a_speed_set_by_the_strength)
{
    std::srand(11);
    Brownian_box hot = box_of_strength(50.f);
    ASSERT_EQ(100u, hot.get_particles().size());
    for (Particle const& particle : hot.get_particles()) EXPECT_TRUE(hot.get_box().contains(particle.position));

    hot.animate(0.001f);
    for (Particle const& particle : hot.get_particles())
    {
        if (hot.get_box().contains(particle.position))
        {
            EXPECT_NEAR(10.f, particle.speed.norm(), 1e-4f);
        }
    }
    for (int i = 0; i < 400; ++i) hot.animate(0.04f);
    for (Particle const& particle : hot.get_particles())
        EXPECT_LT(hot.get_box().exteriorDistance(particle.position), 4.5f);

    Brownian_box frozen = box_of_strength(-50.f);
    frozen.animate(0.04f);
    for (Particle const& particle : frozen.get_particles()) EXPECT_EQ(0.f, particle.speed.norm());
}
