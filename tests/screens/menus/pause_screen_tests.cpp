// The pause over the real play screen, driven through the window.
#include "Play_test.h"

#include "screens/menus/Main_menu_screen.h"
#include "screens/menus/Pause_screen.h"
#include "simulation/Core.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_button.h"

#include <QApplication>
#include <QKeyEvent>

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{

// "Level 3" running on a shown play screen, a tractor placed from the toolbar
// and a few seconds played.
class Pause_test : public Play_test
{
protected:
    void SetUp() override
    {
        Play_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        play = push_play_screen();
        load_level("Level 3");
        driver->step_frames(70);
        ASSERT_EQ(play->get_state(), Screen::Shown);
        ASSERT_TRUE(core->get_simulation_state());

        Capture_stdout quiet;
        driver->click(centre_of(*play->get_buttons()[0]));
        driver->click(driver->pixel_of(Eigen::Vector3f(-15.f, -20.f, 0.f)));
        ASSERT_EQ(level()._available_elements["Tractor_barrier"], 0);
        driver->step_frames(200);
        ASSERT_FALSE(level()._molecules.empty());
    }

    // Escape on the play screen, and the pause it opens, faded in.
    Pause_screen* pause_game()
    {
        Capture_stdout quiet;
        driver->press_key(Qt::Key_Escape);
        auto* pause = dynamic_cast<Pause_screen*>(viewer->get_screens().screens().front());
        driver->step_frames(70);
        return pause;
    }

    QPoint pixel_of(Menu_screen const& menu, std::string const& text) const
    {
        for (auto const& button : menu.get_buttons())
            if (button->get_text() == text) return driver->pixel_of(centre_of(*button));
        ADD_FAILURE() << "no button " << text;
        return QPoint();
    }

    void press(Menu_screen const& menu, std::string const& text)
    {
        Capture_stdout quiet;
        driver->click(pixel_of(menu, text));
    }

    Pause_screen* top_pause() const { return dynamic_cast<Pause_screen*>(viewer->get_screens().screens().front()); }

    int tractors() const
    {
        int count = 0;
        for (auto const& element : core->get_level_data()._level_elements)
            count += dynamic_cast<Tractor_barrier const*>(element.get()) != nullptr;
        return count;
    }

    Main_game_screen* play = nullptr;
};

TEST_F(Pause_test, escape_pauses_the_play_and_escape_again_resumes_it_once_the_play_screen_is_back)
{
    float const time = core->get_current_time();
    Capture_stdout out;
    driver->press_key(Qt::Key_Escape);
    auto* pause = dynamic_cast<Pause_screen*>(viewer->get_screens().screens().front());
    ASSERT_NE(pause, nullptr);
    EXPECT_TRUE(pause->has_flag(Screen::Blocks_input));
    EXPECT_EQ(play->get_state(), Screen::Fading_out);
    EXPECT_FALSE(core->get_simulation_state());
    driver->step_frames(70);
    EXPECT_EQ(core->get_current_time(), time);
    EXPECT_EQ(play->get_state(), Screen::Hidden);

    driver->press_key(Qt::Key_Escape);
    EXPECT_THAT(out.text(), HasSubstr("Pause_screen::keyPressEvent " + std::to_string(Qt::Key_Escape) + " state: 3"));
    EXPECT_EQ(pause->get_state(), Screen::Closing);
    EXPECT_EQ(play->get_state(), Screen::Fading_in);
    driver->step_frames(30);
    EXPECT_FALSE(core->get_simulation_state()) << "not before the play screen is back";

    // Escape while the pause fades out opens it again.
    driver->press_key(Qt::Key_Escape);
    EXPECT_EQ(pause->get_state(), Screen::Fading_in);
    EXPECT_EQ(play->get_state(), Screen::Fading_out);
    driver->step_frames(70);
    EXPECT_EQ(pause->get_state(), Screen::Shown);
    EXPECT_FALSE(core->get_simulation_state());

    QKeyEvent other(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier);
    EXPECT_FALSE(pause->keyPressEvent(&other));

    press(*pause, "Continue");
    EXPECT_EQ(play->get_state(), Screen::Fading_in);
    driver->step_frames(70);
    EXPECT_EQ(play->get_state(), Screen::Shown);
    EXPECT_TRUE(core->get_simulation_state());
    EXPECT_GT(core->get_current_time(), time);
    EXPECT_EQ(viewer->get_screens().size(), 1u);
}

TEST_F(Pause_test, a_pause_opened_again_after_the_play_screen_came_back_stops_the_game_again)
{
    Capture_stdout quiet;
    driver->press_key(Qt::Key_Escape);
    Pause_screen* pause = top_pause();
    ASSERT_NE(pause, nullptr);
    driver->step_frames(12); // 0.2 s
    driver->press_key(Qt::Key_Escape);
    driver->step_frames(19); // 0.3 s: the play screen has faded back in and runs
    ASSERT_EQ(play->get_state(), Screen::Shown);
    ASSERT_TRUE(core->get_simulation_state());
    ASSERT_EQ(pause->get_state(), Screen::Closing);

    driver->press_key(Qt::Key_Escape);
    EXPECT_EQ(pause->get_state(), Screen::Fading_in);
    EXPECT_EQ(play->get_state(), Screen::Fading_out);
    EXPECT_FALSE(core->get_simulation_state());
    float const time = core->get_current_time();
    driver->step_frames(70);
    EXPECT_EQ(pause->get_state(), Screen::Shown);
    EXPECT_FALSE(core->get_simulation_state());
    EXPECT_EQ(core->get_current_time(), time) << "no clock runs behind the pause";
}

// Buttons act on the press; the second press of a double click must not land
// on "Start New Game", which takes the same place on the main menu.
TEST_F(Pause_test, a_double_click_on_back_to_main_menu_reaches_the_pause_only)
{
    int const level = core->get_current_level();
    core->progress.last_level = 6;
    Pause_screen* pause = pause_game();
    ASSERT_NE(pause, nullptr);
    {
        Capture_stdout quiet;
        driver->double_click(pixel_of(*pause, "Back to Main Menu"));
        driver->step_frames(70);
    }
    auto* menu = dynamic_cast<Main_menu_screen*>(viewer->get_screens().screens().front());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->get_state(), Screen::Shown);
    EXPECT_EQ(core->progress.last_level, 6);
    EXPECT_EQ(core->get_current_level(), level);
    EXPECT_EQ(viewer->get_screens().size(), 2u) << "the menu over the hidden play screen, nothing more";
}

TEST_F(Pause_test, restart_clears_the_molecules_and_the_clock_and_gives_the_placed_elements_back)
{
    Pause_screen* pause = pause_game();
    ASSERT_NE(pause, nullptr);
    ASSERT_EQ(tractors(), 1);
    ASSERT_EQ(play->get_buttons().size(), 2u) << "no tractor left to place";
    press(*pause, "Restart Level");
    EXPECT_TRUE(level()._molecules.empty());
    EXPECT_EQ(core->get_current_time(), 0.f);
    EXPECT_EQ(tractors(), 0);
    EXPECT_EQ(level()._available_elements["Tractor_barrier"], 1);
    EXPECT_EQ(core->get_game_state(), Core::Running);
    EXPECT_EQ(pause->get_state(), Screen::Closing);
    EXPECT_EQ(play->get_state(), Screen::Fading_in);

    driver->step_frames(70);
    EXPECT_TRUE(core->get_simulation_state());
    EXPECT_EQ(play->get_buttons().size(), 3u) << "the tractor's button is back beside the camera and the speed";
}

TEST_F(Pause_test, the_main_menu_goes_on_top_with_the_play_screen_hidden_below)
{
    Pause_screen* pause = pause_game();
    ASSERT_NE(pause, nullptr);
    press(*pause, "Back to Main Menu");
    EXPECT_NE(dynamic_cast<Main_menu_screen*>(viewer->get_screens().screens().front()), nullptr);
    driver->step_frames(70);
    std::vector<Screen*> const screens = viewer->get_screens().screens();
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_NE(dynamic_cast<Main_menu_screen*>(screens.front()), nullptr);
    EXPECT_EQ(screens.back(), play);
    EXPECT_EQ(play->get_state(), Screen::Hidden);
    EXPECT_FALSE(core->get_simulation_state());
}

// In the game and in a level played from the editor alike: the pause must not
// leave the cross cursor, and the next click must not place what was chosen
// before it.
TEST_F(Play_test, escape_while_placing_ends_placing_and_brings_the_cursor_back)
{
    for (int mode : {Game_mode, Editor_play_mode})
    {
        Main_game_screen* screen = push_play_screen(mode);
        load_level("Level 3");
        driver->step_frames(70);
        Capture_stdout quiet;
        ASSERT_FALSE(screen->get_buttons().empty());
        driver->click(centre_of(*screen->get_buttons()[0]));
        ASSERT_EQ(screen->get_drag_state(), Main_game_screen::Placing) << "mode " << mode;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);

        driver->press_key(Qt::Key_Escape);
        EXPECT_EQ(screen->get_drag_state(), Main_game_screen::Idle) << "mode " << mode;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "mode " << mode;
        driver->step_frames(70);
        driver->press_key(Qt::Key_Escape);
        driver->step_frames(70);
        ASSERT_EQ(screen->get_state(), Screen::Shown);
        driver->click(driver->pixel_of(Eigen::Vector3f(-15.f, -20.f, 0.f)));
        EXPECT_EQ(level()._available_elements["Tractor_barrier"], 1) << "mode " << mode << ": nothing placed";

        viewer->kill_all_screens();
        driver->step_frames(70);
    }
}

} // namespace
