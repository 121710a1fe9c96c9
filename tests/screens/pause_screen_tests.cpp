#include "Menu_test.h"

#include "screens/Main_menu_screen.h"
#include "screens/Pause_screen.h"
#include "simulation/Brownian_box.h"
#include "simulation/Molecule_factory.h"

#include <QKeyEvent>

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{

// A pause laid over a stand-in for the play screen, hidden below it as the play
// screen hides itself when it opens the pause.
class Pause_screen_test : public Menu_test
{
protected:
    void SetUp() override
    {
        Menu_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        target = push_screen("play");
        target->hide();
        Capture_stdout quiet;
        pause = show(new Pause_screen(viewer.get(), core.get(), target));
    }

    Recording_screen* target = nullptr;
    Pause_screen* pause = nullptr;
};

TEST_F(Pause_screen_test, escape_ends_the_pause_and_escape_during_its_fade_out_reopens_it)
{
    EXPECT_TRUE(pause->has_flag(Screen::Blocks_input));
    EXPECT_EQ(target->get_state(), Screen::Hidden);

    std::string const first = printed([&] { press_key(Qt::Key_Escape); });
    EXPECT_THAT(first, HasSubstr("Pause_screen::keyPressEvent " + std::to_string(Qt::Key_Escape) + " state: 3"));
    EXPECT_EQ(pause->get_state(), Screen::Closing);
    EXPECT_EQ(target->get_state(), Screen::Fading_in);
    step_frames(10);

    // Keys still reach a closing screen.
    printed([&] { press_key(Qt::Key_Escape); });
    EXPECT_EQ(pause->get_state(), Screen::Fading_in);
    EXPECT_EQ(target->get_state(), Screen::Fading_out);
    step_frames(63);
    EXPECT_EQ(pause->get_state(), Screen::Shown);
    EXPECT_EQ(target->get_state(), Screen::Hidden);

    QKeyEvent other(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier);
    EXPECT_FALSE(printed([&] { EXPECT_FALSE(pause->keyPressEvent(&other)); }).empty());
    EXPECT_EQ(pause->get_state(), Screen::Shown);
}

TEST_F(Pause_screen_test, continue_shows_the_play_screen_again)
{
    click(*pause, "Continue");
    EXPECT_EQ(pause->get_state(), Screen::Closing);
    EXPECT_EQ(target->get_state(), Screen::Fading_in);
}

TEST_F(Pause_screen_test, restart_removes_the_molecules_and_what_the_player_placed_and_starts_the_clock_again)
{
    {
        Capture_stdout quiet;
        core->load_level(3);
        core->start_level();
        core->set_simulation_state(false);
        core->add_molecule(create_molecule("H2O", Eigen::Vector3f::Zero()));
        auto* placed = new Brownian_box(Eigen::Vector3f(-5, -5, -5), Eigen::Vector3f(5, 5, 5), 50.f);
        placed->set_persistent(false);
        core->get_level_data().add_element(placed);
        for (int i = 0; i < 40; ++i) core->update(1.f / 16.f);
    }
    size_t const level_elements = core->get_level_data()._level_elements.size();
    ASSERT_FALSE(core->get_level_data()._molecules.empty());
    ASSERT_GT(core->get_current_time(), 2.f);

    Capture_stdout quiet;
    click(*pause, "Restart Level");
    EXPECT_TRUE(core->get_level_data()._molecules.empty());
    EXPECT_EQ(core->get_current_time(), 0.f);
    EXPECT_EQ(core->get_level_data()._level_elements.size(), level_elements - 1);
    EXPECT_EQ(core->get_game_state(), Core::Running);
    EXPECT_EQ(pause->get_state(), Screen::Closing);
    EXPECT_EQ(target->get_state(), Screen::Fading_in);
}

TEST_F(Pause_screen_test, the_main_menu_goes_on_top_and_the_play_screen_stays_hidden_below)
{
    {
        Capture_stdout quiet;
        click(*pause, "Back to Main Menu");
    }
    ASSERT_NE(top<Main_menu_screen>(), nullptr);
    EXPECT_EQ(pause->get_state(), Screen::Closing);
    step_frames(64);
    std::vector<Screen*> const screens = viewer->get_screens().screens();
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens.back(), target);
    EXPECT_EQ(target->get_state(), Screen::Hidden);
}

} // namespace
