// One campaign level played from the main menu to its end through the window,
// as a player plays it: menus, toolbar, placement and handles.
#include "Play_test.h"

#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "simulation/Core.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_box.h"
#include "widgets/Draggable_button.h"

#include "support/Vector_expect.h"

#include <gmock/gmock.h>

namespace
{

template <class Menu> Menu* top_menu(My_viewer& viewer)
{
    return dynamic_cast<Menu*>(viewer.get_screens().screens().front());
}

Draggable_button const* button_called(Menu_screen const& menu, std::string const& text)
{
    for (auto const& button : menu.get_buttons())
        if (button->get_text() == text) return button.get();
    return nullptr;
}

// A handle's place in world terms once dragged to the track's far end.
Eigen::Vector3f far_end_of_track(Draggable_box const& box, Draggable_point const& handle)
{
    Eigen::Vector3f at_end = handle.get_position();
    at_end.x() = box.get_handle_range() + 2.f; // past the end: the track holds it there
    Eigen::Affine3f frame = Eigen::Affine3f::Identity();
    frame.translate(box.get_position());
    return frame * (Eigen::Affine3f(box.get_transform()) * at_end);
}

} // namespace

TEST_F(Play_test, level_3_is_won_with_one_tractor_placed_and_tuned_through_its_handles)
{
    Capture_stdout quiet;
    int const level_3 = core->get_level_names().indexOf("Level 3");
    ASSERT_GE(level_3, 0);
    core->progress.last_level = level_3; // the player got this far
    viewer->start();
    viewer->stopAnimation(); // frames come from the driver
    driver->step_frames(70);

    auto* menu = top_menu<Main_menu_screen>(*viewer);
    ASSERT_NE(nullptr, menu);
    Draggable_button const* continue_game = button_called(*menu, "Continue Game");
    ASSERT_NE(nullptr, continue_game);
    driver->click(centre_of(*continue_game));
    driver->step_frames(70);

    auto* before_start = top_menu<Before_start_screen>(*viewer);
    ASSERT_NE(nullptr, before_start);
    EXPECT_EQ("Level 3", core->get_level_name(core->get_current_level()));
    driver->click(centre_of(*button_called(*before_start, "Start Level")));
    ASSERT_EQ(Core::Running, core->get_game_state());
    driver->step_frames(70); // the before-start screen gone, the play screen shown

    std::vector<Screen*> const stack = viewer->get_screens().screens();
    ASSERT_EQ(1u, stack.size());
    auto* play = dynamic_cast<Main_game_screen*>(stack.front());
    ASSERT_NE(nullptr, play);
    ASSERT_EQ(Screen::Shown, play->get_state());
    ASSERT_EQ(3u, play->get_buttons().size()) << "the tractor, the camera and the speed button";

    // The tractor from the toolbar, put down left of the middle.
    driver->click(centre_of(*play->get_buttons()[0]));
    driver->click(driver->pixel_of(Eigen::Vector3f(-15.f, -20.f, 0.f)));
    EXPECT_EQ(0, level()._available_elements["Tractor_barrier"]);
    Tractor_barrier* tractor = nullptr;
    for (auto const& element : level()._level_elements)
        if (auto* placed = dynamic_cast<Tractor_barrier*>(element.get())) tractor = placed;
    ASSERT_NE(nullptr, tractor);
    Eigen::Vector3f const position = tractor->get_position();
    Eigen::Vector3f const extent = tractor->get_extent();
    expect_near(Eigen::Vector3f(-15.f, 0.f, 0.f), position, 0.5f);
    expect_near(Eigen::Vector3f(20.f, 40.f, 20.f), extent, 1e-3f);

    for (char const* property : {"tractor_strength", "radius"})
    {
        Draggable_box* box = play->get_handle_box(tractor);
        ASSERT_NE(nullptr, box);
        auto const handle = box->get_parameter_handles().find(property);
        ASSERT_NE(box->get_parameter_handles().end(), handle) << property;
        driver->drag(handle->second.get_world_position(), far_end_of_track(*box, handle->second));

        Parameter const& value = *tractor->get_properties()[property];
        EXPECT_FLOAT_EQ(value.get_max<float>(), value.get_value<float>()) << property;
        expect_near(position, tractor->get_position(), 1e-4f);
        expect_near(extent, tractor->get_extent(), 1e-4f);
    }
    EXPECT_FLOAT_EQ(10.f, tractor->get_tractor_strength());

    float const time_factor = level()._score_time_factor;
    ASSERT_TRUE(
        driver->step_frames_until([&] { return core->get_game_state() == Core::Finished; }, int(time_factor * 64.f)))
        << "not won within " << time_factor << " s";
    EXPECT_LE(core->get_current_time(), time_factor);
    driver->step_frame();
    EXPECT_EQ(Screen::Fading_out, play->get_state());
}

// What the player places from the toolbar, the designer in a level played from
// the editor: a right click on any of its handles opens its menu.
TEST_F(Play_test, a_right_click_on_every_handle_of_a_placed_element_opens_its_menu)
{
    for (int mode : {Game_mode, Editor_play_mode})
    {
        Main_game_screen* play = push_play_screen(mode);
        load_level("Level 3");
        driver->step_frames(70);
        driver->set_physics_step(0.f);
        for (char const* kind : {"Brownian_box", "Tractor_barrier", "Charged_barrier", "Box_barrier"})
        {
            Capture_stdout quiet;
            play->add_element(Eigen::Vector3f(-10.f, 0.f, 0.f), kind, true, 1);
            Level_element* element = level()._level_elements.back().get();
            EXPECT_THAT(handles_without_menu(*play, *element, element->get_user_editable(), Qt::RightButton),
                        ::testing::IsEmpty())
                << "mode " << mode;
            EXPECT_EQ(element, play->get_selected_element()) << kind;
            play->delete_selected_element();
        }
        driver->set_physics_step(Game_driver::default_physics_step);
        viewer->kill_all_screens();
        driver->step_frames(70);
    }
}
