// The play screen's decisions that need no window: what the HUD says, where the
// toolbar puts its buttons, which handles can be picked, where rays meet planes
// and how placed molecules spread.
#include "app/Command_line.h"
#include "app/Screen.h"
#include "screens/play/Handle_rules.h"
#include "screens/play/Hud_rules.h"
#include "screens/play/Placement_geometry.h"
#include "screens/play/Toolbar_layout.h"
#include "simulation/Box_barrier.h"
#include "simulation/Brownian_box.h"
#include "simulation/Core.h"
#include "simulation/Molecule_releaser.h"
#include "simulation/Plane_barrier.h"
#include "simulation/Portal.h"
#include "widgets/Draggable_box.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"
#include "support/Vector_expect.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include <cmath>

TEST(Command_line, only_the_whole_option_widens_the_damping_ranges)
{
    EXPECT_TRUE(has_unstable_options({"brindlemot", "--use-unstable-options"}));
    EXPECT_TRUE(has_unstable_options({"brindlemot", "-x", "--use-unstable-options", "y"}));
    EXPECT_FALSE(has_unstable_options({"brindlemot"}));
    EXPECT_FALSE(has_unstable_options({"brindlemot", "--use-unstable-options2"}));
    EXPECT_FALSE(has_unstable_options({"brindlemot", "-use-unstable-options"}));
    EXPECT_FALSE(has_unstable_options({"brindlemot", "--USE-UNSTABLE-OPTIONS"}));

    Scratch_data_tree data;
    data.copy_from_game("default_simulation_settings.data");
    Capture_stdout quiet;
    for (bool unstable : {false, true})
    {
        Core core(has_unstable_options(unstable ? QStringList{"b", "--use-unstable-options"} : QStringList{"b"}));
        for (char const* name : {"Damping", "rotation_damping", "translation_damping"})
        {
            Parameter const& damping = *core.get_level_data().get_parameters()[name];
            EXPECT_FLOAT_EQ(unstable ? 0.f : 0.1f, damping.get_min<float>()) << name;
            EXPECT_FLOAT_EQ(1.f, damping.get_max<float>()) << name;
        }
    }
}

TEST(Hud_rules, the_time_label_pads_the_seconds_and_shows_the_score_multiplier)
{
    EXPECT_EQ("Time:  30s (1.0x)", time_label_text(30.f, 60.f));
    EXPECT_EQ("Time: 120s (0.4x)", time_label_text(120.f, 60.f));
    EXPECT_EQ("Time:   0s (1.0x)", time_label_text(0.f, 60.f));
    EXPECT_EQ("Time: 1234s (0.0x)", time_label_text(1234.f, 60.f));
    EXPECT_FLOAT_EQ(1.f, time_multiplier(59.9f, 60.f));
    EXPECT_FLOAT_EQ(std::exp(-1.f), time_multiplier(120.f, 60.f));
}

TEST(Hud_rules, energy_shows_as_a_percentage_from_green_to_orange)
{
    EXPECT_EQ("0%", energy_label_text(0.f));
    EXPECT_EQ("57%", energy_label_text(0.575f));
    Color4 const none = energy_label_color(0.f);
    Color4 const full = energy_label_color(1.f);
    EXPECT_FLOAT_EQ(147.f / 255.f, none.r);
    EXPECT_FLOAT_EQ(232.f / 255.f, none.g);
    EXPECT_FLOAT_EQ(54.f / 255.f, full.b);
    EXPECT_FLOAT_EQ((147.f + 255.f) / 2.f / 255.f, energy_label_color(0.5f).r);
    EXPECT_FLOAT_EQ(1.f, energy_label_color(0.5f).a);
    EXPECT_EQ("  1234", energy_bonus_text(1234));
}

TEST(Hud_rules, the_bonus_changes_only_on_a_fall_of_more_than_200)
{
    Energy_bonus_tracker tracker;
    tracker.reset(500000);
    EXPECT_FALSE(tracker.update(499850)) << "a fall of 150";
    EXPECT_FALSE(tracker.update(499800)) << "exactly 200 below";
    std::optional<int> const fall = tracker.update(499750);
    ASSERT_TRUE(fall);
    EXPECT_EQ(250, *fall);
    EXPECT_EQ(499750, tracker.get_shown());
    EXPECT_FALSE(tracker.update(499750));

    Sensor_data sensor_data;
    EXPECT_EQ(500000, latest_energy_bonus(sensor_data));
    sensor_data.score = {500000, 498000};
    EXPECT_EQ(498000, latest_energy_bonus(sensor_data));
}

TEST(Hud_rules, the_blur_is_full_while_hidden_and_follows_the_fades)
{
    EXPECT_FLOAT_EQ(25.6f, blur_strength(Screen::Hidden, 0.f, 1280));
    EXPECT_FLOAT_EQ(25.6f * 0.75f, blur_strength(Screen::Fading_in, 0.25f, 1280));
    EXPECT_FLOAT_EQ(25.6f * 0.25f, blur_strength(Screen::Fading_out, 0.25f, 1280));
    EXPECT_FLOAT_EQ(0.f, blur_strength(Screen::Shown, 0.5f, 1280));
    EXPECT_FLOAT_EQ(0.f, blur_strength(Screen::Closing, 0.5f, 1280));
}

TEST(Toolbar_layout, offers_the_kinds_left_in_key_order_then_the_camera_and_speed_buttons)
{
    std::map<std::string, int> const available{
        {"Tractor_barrier", 2}, {"Box_barrier", 0}, {"Brownian_box", 1}, {"Teleporter", 3}, {"Box_portal", 9}};
    std::vector<Toolbar_button> const buttons = toolbar_layout(available, 16.f / 9.f);

    ASSERT_EQ(5u, buttons.size());
    std::vector<std::string> kinds;
    for (Toolbar_button const& button : buttons) kinds.push_back(button.element);
    EXPECT_EQ((std::vector<std::string>{"Box_portal", "Brownian_box", "Tractor_barrier", "", ""}), kinds);
    for (size_t k = 0; k < 3; ++k)
    {
        EXPECT_EQ(Toolbar_button::Place_element, buttons[k].action);
        expect_near(Eigen::Vector3f(0.05f + 0.06f * float(k), 0.95f, 0.f), buttons[k].position);
        EXPECT_EQ("textures/button_" + kinds[k] + ".png", buttons[k].image);
    }
    EXPECT_EQ(9, buttons[0].count);
    EXPECT_EQ(2, buttons[2].count);
    EXPECT_FLOAT_EQ(0.04f, buttons[0].size.x());
    EXPECT_FLOAT_EQ(0.04f * 16.f / 9.f, buttons[0].size.y());

    EXPECT_EQ(Toolbar_button::Reset_camera, buttons[3].action);
    expect_near(Eigen::Vector3f(0.95f, 0.95f, 0.f), buttons[3].position);
    EXPECT_EQ("Reset the camera", buttons[3].tooltip);
    EXPECT_EQ("textures/button_reset_camera.png", buttons[3].image);
    EXPECT_EQ(Toolbar_button::Change_speed, buttons[4].action);
    expect_near(Eigen::Vector3f(0.89f, 0.95f, 0.f), buttons[4].position);
    EXPECT_EQ("Change game speed", buttons[4].tooltip);

    EXPECT_EQ(std::vector<std::string>{"Teleporter"}, unknown_element_kinds(available));
    EXPECT_EQ(2u, toolbar_layout({{"Box_barrier", 0}}, 1.f).size()) << "nothing left: only camera and speed";
}

TEST(Toolbar_layout, the_speed_button_toggles_between_one_and_two)
{
    EXPECT_FLOAT_EQ(2.f, next_game_speed(1.f));
    EXPECT_FLOAT_EQ(1.f, next_game_speed(next_game_speed(1.f)));
    EXPECT_FLOAT_EQ(1.f, next_game_speed(1.5f));
    EXPECT_FLOAT_EQ(1.f, next_game_speed(0.5f));
}

TEST(Handle_rules, a_running_level_offers_only_the_elements_own_handles)
{
    int const rotate_and_property = Level_element::Rotate | Level_element::Property;
    for (int mode : {Editor_mode, Editor_play_mode, Game_mode})
        EXPECT_EQ(rotate_and_property, pickable_handle_sets(mode, Core::Running, rotate_and_property)) << mode;
    EXPECT_EQ(31, pickable_handle_sets(Editor_mode, Core::Not_running, 0));
    EXPECT_EQ(31, pickable_handle_sets(Editor_mode, Core::Finished, 0));
    EXPECT_EQ(15, pickable_handle_sets(Editor_play_mode, Core::Not_running, 0));
    EXPECT_EQ(15, pickable_handle_sets(Game_mode, Core::Finished, 0));

    EXPECT_TRUE(shows_every_handle(Editor_mode, Core::Not_running));
    EXPECT_FALSE(shows_every_handle(Editor_mode, Core::Running));
    EXPECT_FALSE(shows_every_handle(Game_mode, Core::Not_running));
}

TEST(Handle_rules, box_shaped_elements_get_handle_boxes_and_moving_ones_are_followed)
{
    Eigen::Vector3f const low(-1, -2, -3), high(1, 2, 3);
    Box_barrier wall(low, high, 10000.f, 2.f);
    Moving_box_barrier moving(low, high, 10000.f, 2.f);
    Brownian_box heat(low, high, 10.f);
    Sphere_portal portal(low, high);
    Molecule_releaser releaser(low, high, 1.f, 1.f);
    Plane_barrier plane(Eigen::Vector3f::Zero(), Eigen::Vector3f::UnitZ(), 10000.f, 2.f);

    for (Level_element* element : std::vector<Level_element*>{&wall, &moving, &heat, &portal, &releaser})
    {
        std::optional<Handle_box_shape> const shape = handle_box_shape(*element);
        ASSERT_TRUE(shape);
        expect_near(Eigen::Vector3f(2, 4, 6), shape->extent);
        EXPECT_EQ(element == &moving, shape->follows_element);
    }
    EXPECT_FALSE(handle_box_shape(plane));
}

TEST(Placement_geometry, rays_meet_planes_in_front_and_never_along_or_behind)
{
    Eigen::Vector3f const origin(0, -100, 5);
    std::optional<Eigen::Vector3f> const hit =
        intersect_ray_plane(origin, Eigen::Vector3f(0, 1, 0), Eigen::Vector3f::UnitY(), 20.f); // y = -20
    ASSERT_TRUE(hit);
    expect_near(Eigen::Vector3f(0, -20, 5), *hit);

    std::optional<Eigen::Vector3f> const slanted = intersect_ray_plane(
        Eigen::Vector3f::Zero(), Eigen::Vector3f(1, 1, 0).normalized(), Eigen::Vector3f::UnitY(), -10.f);
    ASSERT_TRUE(slanted);
    expect_near(Eigen::Vector3f(10, 10, 0), *slanted, 1e-4f);

    EXPECT_FALSE(intersect_ray_plane(origin, Eigen::Vector3f(1, 0, 0), Eigen::Vector3f::UnitY(), 20.f)) << "parallel";
    EXPECT_FALSE(intersect_ray_plane(origin, Eigen::Vector3f(0, -1, 0), Eigen::Vector3f::UnitY(), 20.f))
        << "behind the camera";
    EXPECT_FALSE(intersect_ray_plane(origin, Eigen::Vector3f::Zero(), Eigen::Vector3f::UnitY(), 20.f));
}

TEST(Placement_geometry, placements_stay_inside_the_game_field)
{
    Level_data level;
    level.update_game_field(); // 80 x 40 x 40 around the origin
    expect_near(Eigen::Vector3f(40, 7, -20), clamp_to_game_field(level, Eigen::Vector3f(300, 7, -90)));
    expect_near(Eigen::Vector3f(1, 2, 3), clamp_to_game_field(level, Eigen::Vector3f(1, 2, 3)));
}

TEST(Placement_geometry, molecules_spread_over_a_cube_that_grows_with_the_cube_root)
{
    EXPECT_FLOAT_EQ(0.f, molecule_spread(1));
    for (int count = 2; count <= 7; ++count) EXPECT_FLOAT_EQ(3.f, molecule_spread(count)) << count;
    EXPECT_FLOAT_EQ(6.f, molecule_spread(8));
    EXPECT_FLOAT_EQ(9.f, molecule_spread(27));

    Eigen::Vector3f const centre(1, 2, 3);
    expect_near(centre, molecule_positions(centre, 1).front());
    std::vector<Eigen::Vector3f> const eight = molecule_positions(centre, 8);
    ASSERT_EQ(8u, eight.size());
    expect_near(centre - Eigen::Vector3f(6, 6, 6), eight[0]);
    // Index 1: u = 1/8, v = 1/2, w = 1/3.
    expect_near(centre + 6.f * Eigen::Vector3f(2.f / 8.f - 1.f, 0.f, 2.f / 3.f - 1.f), eight[1], 1e-5f);
    for (Eigen::Vector3f const& at : eight) EXPECT_LE((at - centre).cwiseAbs().maxCoeff(), 6.f + 1e-5f);
}

TEST(Play_screen_data, the_toolbar_images_and_handle_icons_are_there_and_the_buttons_have_room_for_a_count)
{
    QString const data = TEST_FIXTURE_DIR "/../data/";
    for (std::string const& kind : Level_data::available_element_kinds())
    {
        QImage const button(data + QString::fromStdString(element_button_image(kind)));
        ASSERT_FALSE(button.isNull()) << kind;
        // The count is painted from (25, 200) at 100 pixels.
        EXPECT_GE(button.height(), 230) << kind;
        EXPECT_GE(button.width(), 130) << kind;
    }
    for (char const* file : {"button_reset_camera.png", "button_change_speed.png", "rotate.png", "scale.png",
                             "move.png", "slider.png", "handle_settings.png"})
        EXPECT_FALSE(QImage(data + "textures/" + file).isNull()) << file;
    EXPECT_TRUE(QFile::exists(data + "shaders/blur_1D.frag"));
}
