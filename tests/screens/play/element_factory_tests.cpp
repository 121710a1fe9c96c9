#include "screens/play/Element_factory.h"

#include "simulation/Atom_cannon.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Core.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"
#include "simulation/Tractor_barrier.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"
#include "support/Vector_expect.h"

#include <gtest/gtest.h>

namespace
{

int const all_handles = 15;

class Element_factory_test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        data.copy_from_game("default_simulation_settings.data");
        Capture_stdout quiet;
        core = std::make_unique<Core>();
        core->reset_level_data(); // borders at y = -20 and y = 20
    }

    // Adds the kind and returns the element it added.
    template <class Kind> Kind* added(std::string const& name, bool by_user, Eigen::Vector3f const& at)
    {
        size_t const before = level()._level_elements.size();
        EXPECT_TRUE(add_level_element(*core, at, name, by_user, 1)) << name;
        EXPECT_EQ(before + 1, level()._level_elements.size()) << name;
        Kind* element = dynamic_cast<Kind*>(level()._level_elements.back().get());
        EXPECT_NE(nullptr, element) << name;
        return element;
    }

    Level_data& level() { return core->get_level_data(); }

    Scratch_data_tree data;
    std::unique_ptr<Core> core;
};

void expect_box(Level_element const& element, Eigen::Vector3f const& min, Eigen::Vector3f const& max)
{
    expect_near(min, element.get_bounding_box().min(), 1e-4f);
    expect_near(max, element.get_bounding_box().max(), 1e-4f);
}

} // namespace

TEST_F(Element_factory_test, box_elements_span_the_field_depth_around_the_point)
{
    Eigen::Vector3f const at(5, 0, -3);
    auto* wall = added<Box_barrier>("Box_barrier", false, at);
    expect_box(*wall, Eigen::Vector3f(-5, -20, -13), Eigen::Vector3f(15, 20, 7));
    EXPECT_FLOAT_EQ(10000.f, wall->get_strength());
    EXPECT_FLOAT_EQ(2.f, wall->get_radius());
    EXPECT_EQ(0, wall->get_user_editable()) << "the editor's own elements keep their bits";
    EXPECT_TRUE(wall->is_persistent());
    EXPECT_EQ(wall, level()._barriers.back());

    EXPECT_NE(nullptr, added<Moving_box_barrier>("Moving_box_barrier", false, at));
    auto* blow = added<Blow_barrier>("Blow_barrier", false, at);
    EXPECT_EQ(0, blow->get_axis());

    auto* portal = added<Box_portal>("Box_portal", false, at);
    expect_box(*portal, Eigen::Vector3f(-5, -20, -13), Eigen::Vector3f(15, 20, 7));
    EXPECT_EQ(portal, level()._portals.back());
    EXPECT_NE(nullptr, added<Sphere_portal>("Sphere_portal", false, at));

    auto* releaser = added<Molecule_releaser>("Molecule_releaser", false, at);
    EXPECT_EQ("H2O", releaser->get_molecule_type());
    EXPECT_FLOAT_EQ(1.f, releaser->get_first_release());
    EXPECT_FLOAT_EQ(1.f, releaser->get_interval());
    EXPECT_EQ(releaser, level()._molecule_releasers.back());
    auto* cannon = added<Atom_cannon>("Atom_cannon", false, at);
    EXPECT_FLOAT_EQ(10.f, cannon->get_charge());
    EXPECT_FLOAT_EQ(0.f, cannon->get_speed());

    // A point above the floor lifts the whole box.
    expect_box(*added<Box_barrier>("Box_barrier", false, Eigen::Vector3f(0, 4, 0)), Eigen::Vector3f(-10, -16, -10),
               Eigen::Vector3f(10, 24, 10));
}

TEST_F(Element_factory_test, heat_charge_and_tractors_are_always_editable_and_the_players_placements_pass)
{
    Eigen::Vector3f const at(0, 0, 0);
    auto* heat = added<Brownian_box>("Brownian_box", false, at);
    EXPECT_FLOAT_EQ(0.f, heat->get_strength());
    EXPECT_EQ(all_handles, heat->get_user_editable());
    EXPECT_FALSE(heat->is_persistent());
    EXPECT_EQ(heat, level()._brownian_elements.back());

    auto* charged = added<Charged_barrier>("Charged_barrier", false, at);
    expect_box(*charged, Eigen::Vector3f(-10, -20, -10), Eigen::Vector3f(10, 20, 10)); // 20 deep from the floor
    EXPECT_FLOAT_EQ(0.f, charged->get_charge());
    EXPECT_EQ(all_handles, charged->get_user_editable());
    EXPECT_TRUE(charged->is_persistent());

    auto* tractor = added<Tractor_barrier>("Tractor_barrier", false, Eigen::Vector3f(0, 5, 0));
    expect_box(*tractor, Eigen::Vector3f(-10, -15, -10), Eigen::Vector3f(10, 25, 10));
    EXPECT_FALSE(tractor->is_persistent());

    // What the player places goes with the next restart, which gives its count back.
    auto* players_wall = added<Box_barrier>("Box_barrier", true, at);
    EXPECT_EQ(all_handles, players_wall->get_user_editable());
    EXPECT_FALSE(players_wall->is_persistent());
    EXPECT_FALSE(added<Charged_barrier>("Charged_barrier", true, at)->is_persistent());
}

TEST_F(Element_factory_test, in_the_editor_heat_and_tractors_stay_in_the_level)
{
    Eigen::Vector3f const at(0, 0, 0);
    for (char const* name : {"Brownian_box", "Tractor_barrier"})
    {
        ASSERT_TRUE(add_level_element(*core, at, name, false, 1, true)) << name;
        Level_element const& element = *level()._level_elements.back();
        EXPECT_TRUE(element.is_persistent()) << name;
        EXPECT_EQ(all_handles, element.get_user_editable()) << name;
    }
    Capture_stdout quiet;
    core->reset_level(false);
    EXPECT_EQ(6u + 2u, level()._level_elements.size()) << "a reset keeps them";
}

TEST_F(Element_factory_test, planes_molecules_and_unknown_names)
{
    auto* plane = added<Plane_barrier>("Plane_barrier", true, Eigen::Vector3f(1, 2, 3));
    expect_near(Eigen::Vector3f(1, 2, 3), plane->get_position());
    expect_near(Eigen::Vector3f::UnitZ(), plane->get_normal());
    EXPECT_FLOAT_EQ(5.f, plane->get_radius());
    ASSERT_TRUE(plane->get_extent());
    EXPECT_EQ(Eigen::Vector2f(10, 20), *plane->get_extent());

    size_t const elements = level()._level_elements.size();
    EXPECT_TRUE(add_level_element(*core, Eigen::Vector3f(0, 0, 0), "H2O", false, 8));
    EXPECT_EQ(8u, level()._molecules.size());
    EXPECT_EQ(elements, level()._level_elements.size());
    expect_near(Eigen::Vector3f(-6, -6, -6), level()._molecules.front()._x, 1.f); // its centre of mass

    Capture_stdout out;
    EXPECT_FALSE(add_level_element(*core, Eigen::Vector3f::Zero(), "Teleporter", true, 1));
    EXPECT_EQ("Main_game_screen::add_element element does not exist: Teleporter\n", out.text());
    EXPECT_EQ(elements, level()._level_elements.size());
}

TEST_F(Element_factory_test, molecules_beyond_what_the_force_pass_holds_are_refused)
{
    Capture_stdout out;
    add_level_element(*core, Eigen::Vector3f::Zero(), "H2O", false, 2000); // three atoms each
    EXPECT_EQ(1365u, level()._molecules.size());
    EXPECT_LE(core->get_atom_count(), Core::max_live_atoms);
    EXPECT_NE(std::string::npos, out.text().find("Core::add_molecule Reached max number of atoms"));
}
