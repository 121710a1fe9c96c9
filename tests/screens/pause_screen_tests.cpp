// The pause over the real play screen, driven through the window.
#include "Play_test.h"

#include "screens/Main_menu_screen.h"
#include "screens/Pause_screen.h"
#include "simulation/Core.h"
#include "simulation/Tractor_barrier.h"
#include "widgets/Draggable_button.h"

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

    void press(Menu_screen const& menu, std::string const& text)
    {
        Capture_stdout quiet;
        for (auto const& button : menu.get_buttons())
            if (button->get_text() == text) return driver->click(centre_of(*button));
        ADD_FAILURE() << "no button " << text;
    }

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

} // namespace
