#include "simulation/Box_barrier.h"
#include "simulation/Level_data.h"
#include "simulation/Tractor_barrier.h"

#include "support/Capture_stdout.h"
#include "support/Vector_expect.h"

#include <boost/weak_ptr.hpp>
#include <gtest/gtest.h>

namespace
{

struct Border
{
    Level_data::Plane plane;
    Eigen::Vector3f position;
    Eigen::Vector3f normal;
    Eigen::Vector2f extent;
};

float value_of(Level_data& level, std::string const& name)
{
    return level.get_parameters()[name]->get_value<float>();
}

// Sets a parameter as a slider does: the value, then its callback.
void change(Level_data& level, std::string const& name, float value)
{
    Parameter* parameter = level.get_parameters()[name];
    parameter->set_value_no_update(value);
    parameter->_callback();
}

class Level_data_test : public ::testing::Test
{
protected:
    Level_data_test()
    {
        Capture_stdout quiet;
        level.reset();
    }

    Level_data level;
};

} // namespace

TEST_F(Level_data_test, reset_bounds_the_field_with_six_inward_planes)
{
    Border const expected[] = {
        {Level_data::X_min, {-40.f, 0.f, 0.f}, {1.f, 0.f, 0.f}, {40.f, 40.f}},
        {Level_data::Y_min, {0.f, -20.f, 0.f}, {0.f, 1.f, 0.f}, {80.f, 40.f}},
        {Level_data::Z_min, {0.f, 0.f, -20.f}, {0.f, 0.f, 1.f}, {80.f, 40.f}},
        {Level_data::X_max, {40.f, 0.f, 0.f}, {-1.f, 0.f, 0.f}, {40.f, 40.f}},
        {Level_data::Y_max, {0.f, 20.f, 0.f}, {0.f, -1.f, 0.f}, {80.f, 40.f}},
        {Level_data::Z_max, {0.f, 0.f, 20.f}, {0.f, 0.f, -1.f}, {80.f, 40.f}},
    };
    ASSERT_EQ(6u, level._game_field_borders.size());
    for (Border const& border : expected)
    {
        Plane_barrier const* plane = level._game_field_borders.at(border.plane);
        expect_near(border.position, plane->get_position());
        expect_near(border.normal, plane->get_normal());
        EXPECT_EQ(10000.f, plane->get_strength());
        EXPECT_EQ(2.f, plane->get_radius());
        ASSERT_TRUE(plane->get_extent());
        EXPECT_EQ(border.extent, *plane->get_extent());
    }

    // Listed axis by axis, the negative side first.
    Level_data::Plane const order[] = {Level_data::X_min, Level_data::X_max, Level_data::Y_min,
                                       Level_data::Y_max, Level_data::Z_min, Level_data::Z_max};
    ASSERT_EQ(6u, level._barriers.size());
    for (int i = 0; i < 6; ++i) EXPECT_EQ(level._game_field_borders.at(order[i]), level._barriers[i]);
    EXPECT_EQ(6u, level._level_elements.size());
    EXPECT_EQ(80.f, level._game_field_width);
    EXPECT_EQ(40.f, level._game_field_height);
}

TEST_F(Level_data_test, field_size_changes_replace_the_borders)
{
    change(level, "Game Field Depth", 10.f);
    EXPECT_EQ(6u, level._barriers.size());
    EXPECT_EQ(6u, level._level_elements.size());
    EXPECT_EQ(-5.f, level._game_field_borders.at(Level_data::Y_min)->get_position().y());
    EXPECT_EQ(5.f, level._game_field_borders.at(Level_data::Y_max)->get_position().y());
    EXPECT_EQ(-40.f, level._game_field_borders.at(Level_data::X_min)->get_position().x());
    EXPECT_EQ(20.f, level._game_field_borders.at(Level_data::Z_max)->get_position().z());

    // The temperature lookup follows the field it is drawn over.
    change(level, "Game Field Width", 120.f);
    EXPECT_EQ(120.f, level._game_field_width);
    level.rebuild_game_field_borders(Eigen::Vector3f(-30.f, -5.f, -25.f), Eigen::Vector3f(30.f, 5.f, 25.f));
    level.update_parameters_from_data();
    EXPECT_EQ(60.f, level._game_field_width);
    EXPECT_EQ(50.f, level._game_field_height);
    EXPECT_EQ(60.f, value_of(level, "Game Field Width"));
    EXPECT_EQ(50.f, value_of(level, "Game Field Height"));
    EXPECT_EQ(10.f, value_of(level, "Game Field Depth"));
}

TEST_F(Level_data_test, combined_settings_drive_the_separate_fields)
{
    change(level, "Temperature", 12.f);
    EXPECT_EQ(12.f, level._rotation_fluctuation);
    EXPECT_EQ(12.f, level._translation_fluctuation);

    change(level, "rotation_damping", 0.8f);
    EXPECT_FLOAT_EQ(0.3f, level._rotation_damping);
    EXPECT_FLOAT_EQ(0.3f, level._translation_damping);
    EXPECT_FLOAT_EQ(0.3f, value_of(level, "rotation_damping"));

    change(level, "gravity", 9.81f);
    expect_near(Eigen::Vector3f(0.f, 0.f, -9.81f), level._external_forces.at("gravity")._force);
    level._external_forces.at("gravity")._force.z() = -4.f;
    level.update_parameters_from_data();
    EXPECT_EQ(4.f, value_of(level, "gravity"));

    // Reading the fields back runs no callback: the borders stay the same objects.
    Plane_barrier const* floor = level._game_field_borders.at(Level_data::Y_min);
    level._score_time_factor = 300.f;
    level._available_elements["Tractor_barrier"] = 3;
    level.update_parameters_from_data();
    EXPECT_EQ(floor, level._game_field_borders.at(Level_data::Y_min));
    EXPECT_EQ(300.f, value_of(level, "score_time_factor"));
    EXPECT_EQ(3, level.get_parameters()["Available elements/Tractor_barrier"]->get_value<int>());
    EXPECT_EQ(4.f, -level._external_forces.at("gravity")._force.z());
}

TEST_F(Level_data_test, unstable_options_let_the_damping_reach_zero)
{
    change(level, "Damping", 0.f);
    EXPECT_FLOAT_EQ(0.1f, level._translation_damping);
    level.enable_unstable_options();
    change(level, "Damping", 0.f);
    EXPECT_EQ(0.f, level._translation_damping);
    EXPECT_EQ(0.f, level._rotation_damping);
}

TEST_F(Level_data_test, temperature_is_interpolated_over_the_grid)
{
    Frame_buffer<float>& grid = level._temperature_grid;
    ASSERT_EQ(64, grid.get_width());
    ASSERT_EQ(64, grid.get_height());
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) grid.set_pixel(x, y, float(x) + 100.f * float(y));
    grid.set_pixel(31, 31, 7.f);
    grid.set_pixel(32, 31, 9.f);
    grid.set_pixel(31, 32, 11.f);
    grid.set_pixel(32, 32, 13.f);

    // The centre lies halfway between the four middle cells.
    EXPECT_FLOAT_EQ(10.f, level.get_temperature(Eigen::Vector3f::Zero()));
    EXPECT_FLOAT_EQ(0.f, level.get_temperature(Eigen::Vector3f(-40.f, 5.f, -20.f)));
    EXPECT_FLOAT_EQ(63.f + 6300.f, level.get_temperature(Eigen::Vector3f(40.f, 0.f, 20.f)));
    // Outside the field: the nearest edge, y plays no part.
    EXPECT_FLOAT_EQ(63.f, level.get_temperature(Eigen::Vector3f(500.f, -300.f, -90.f)));
    EXPECT_FLOAT_EQ(6300.f, level.get_temperature(Eigen::Vector3f(-41.f, 0.f, 25.f)));
}

TEST_F(Level_data_test, elements_are_listed_by_kind_and_owned_once)
{
    auto* barrier = new Tractor_barrier(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(2.f, 2.f, 2.f), 1.f);
    auto* portal = new Sphere_portal(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(2.f, 2.f, 2.f));
    auto* heat = new Brownian_box(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(2.f, 2.f, 2.f), 5.f);
    Molecule_releaser* releaser;
    {
        Capture_stdout quiet;
        releaser = new Molecule_releaser(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(2.f, 2.f, 2.f), 1.f, 1.f);
    }
    level.add_element(barrier);
    level.add_element(portal);
    level.add_element(heat);
    level.add_element(releaser);
    // A second add would give the element two owners.
    level.add_element(barrier);
    level.add_element(static_cast<Barrier*>(nullptr));

    EXPECT_EQ(7u, level._barriers.size());
    EXPECT_EQ(barrier, level._barriers.back());
    EXPECT_EQ(std::vector<Portal*>{portal}, level._portals);
    EXPECT_EQ(std::vector<Brownian_element*>{heat}, level._brownian_elements);
    EXPECT_EQ(std::vector<Molecule_releaser*>{releaser}, level._molecule_releasers);
    EXPECT_EQ(10u, level._level_elements.size());

    boost::weak_ptr<Level_element> const watch = level._level_elements[6];
    level.delete_element(barrier);
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(6u, level._barriers.size());
    EXPECT_EQ(9u, level._level_elements.size());

    Box_barrier stranger(Eigen::Vector3f(0.f, 0.f, 0.f), Eigen::Vector3f(1.f, 1.f, 1.f), 1.f, 1.f);
    level.delete_element(&stranger);
    EXPECT_EQ(9u, level._level_elements.size());

    // A deleted border leaves no dangling entry behind.
    level.delete_element(level._game_field_borders.at(Level_data::Z_max));
    EXPECT_EQ(0u, level._game_field_borders.count(Level_data::Z_max));
    EXPECT_FALSE(level.has_game_field_borders());

    level.clear_elements();
    EXPECT_TRUE(level._level_elements.empty());
    EXPECT_TRUE(level._barriers.empty());
    EXPECT_TRUE(level._portals.empty());
    EXPECT_TRUE(level._game_field_borders.empty());
    EXPECT_TRUE(level._external_forces.empty());
}
