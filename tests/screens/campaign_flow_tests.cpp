// The campaign through the window: a level from the main menu to the next one,
// won with its stored solution, scored, replayed as plots and left for the
// next; and every level from "Start New Game" to the end, and each replayed.
#include "Play_test.h"
#include "Tutorial_player.h"

#include "screens/help/Help_screen.h"
#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Level_picker_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/results/After_finish_screen.h"
#include "screens/results/Finished_run.h"
#include "screens/results/Statistics_screen.h"
#include "tools/campaign/Campaign.h"
#include "widgets/Draggable_button.h"

#include "support/Hand_edited_level.h"
#include "support/Text_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace
{

Campaign_level const& campaign_level(std::string const& name)
{
    for (Campaign_level const& level : campaign())
        if (level.name == name) return level;
    throw std::runtime_error("no campaign level " + name);
}

class Campaign_flow_test : public Play_test
{
protected:
    template <class Menu> Menu* top_screen() const
    {
        return dynamic_cast<Menu*>(viewer->get_screens().screens().front());
    }

    Draggable_button const* button(Menu_screen const& menu, std::string const& text) const
    {
        for (auto const& candidate : menu.get_buttons())
            if (candidate->get_text() == text && candidate->is_visible()) return candidate.get();
        return nullptr;
    }

    void press(Menu_screen const& menu, std::string const& text)
    {
        Draggable_button const* target = button(menu, text);
        ASSERT_NE(target, nullptr) << text;
        Capture_stdout quiet;
        driver->click(centre_of(*target));
    }

    void step(int frames)
    {
        Capture_stdout quiet;
        driver->step_frames(frames);
    }

    // Steps until the condition holds, reading every help that comes up as a
    // player would; false when it still fails after `seconds` of frames.
    bool play_until(std::function<bool()> const& condition, float seconds)
    {
        Capture_stdout quiet;
        return driver->step_frames_until(
            [&] {
                auto* help = top_screen<Help_screen>();
                if (help && help->get_state() == Screen::Shown)
                    for (auto const& button : help->get_buttons())
                        if (button->is_visible()) driver->click(centre_of(*button));
                return condition();
            },
            int(seconds * 64.f));
    }

    // From the before-start screen of the level: started, its stored solution
    // applied, its helps read, until its result is up (or, for the camera
    // level, the next level's title).
    void win_current_level()
    {
        std::string const name = core->get_level_name(core->get_current_level());
        auto* before = top_screen<Before_start_screen>();
        ASSERT_NE(before, nullptr) << name;
        press(*before, "Start Level");
        step(70);
        Campaign_level const& stored = campaign_level(name);
        std::srand(1);
        if (stored.solve) stored.solve(level());
        bool const camera_level = !stored.solve;
        float const seconds = std::max(60.f, level()._score_time_factor * 2.f);
        ASSERT_TRUE(play_until(
            [&] {
                return camera_level ? top_screen<Before_start_screen>() != nullptr
                                    : top_screen<After_finish_screen>() != nullptr;
            },
            seconds))
            << name << " not won within " << seconds << " s";
    }

    // "Next Level" or "Back to Main Menu" once the count-up is over.
    void leave_result(std::string const& text)
    {
        auto const offered = [&] {
            auto* result = top_screen<After_finish_screen>();
            return result && button(*result, text);
        };
        ASSERT_TRUE(play_until(offered, 8.f)) << text;
        press(*top_screen<After_finish_screen>(), text);
        step(70);
    }
};

TEST_F(Campaign_flow_test, level_3_won_scored_replayed_and_left_for_level_4)
{
    int const level_3 = core->get_level_names().indexOf("Level 3");
    ASSERT_GE(level_3, 0);
    core->progress.last_level = level_3;
    {
        Capture_stdout quiet;
        viewer->start();
        viewer->stopAnimation(); // frames come from the driver
    }
    step(70);

    auto* menu = top_screen<Main_menu_screen>();
    ASSERT_NE(menu, nullptr);
    press(*menu, "Continue Game");
    step(70);
    auto* before_start = top_screen<Before_start_screen>();
    ASSERT_NE(before_start, nullptr);
    press(*before_start, "Start Level");
    step(70);
    auto* play = dynamic_cast<Main_game_screen*>(viewer->get_screens().screens().back());
    ASSERT_NE(play, nullptr);
    ASSERT_EQ(play->get_state(), Screen::Shown);

    std::srand(1);
    campaign_level("Level 3").solve(level());
    {
        Capture_stdout quiet;
        ASSERT_TRUE(driver->step_frames_until([&] { return core->get_game_state() == Core::Finished; },
                                              int(level()._score_time_factor * 64.f)));
    }

    // The play screen hides under the score at once.
    auto* finished = top_screen<After_finish_screen>();
    ASSERT_NE(finished, nullptr);
    EXPECT_EQ(play->get_state(), Screen::Fading_out);
    Score const& score = finished->get_score();
    EXPECT_EQ(score.num_molecules_to_capture, molecules_to_capture(level()));
    EXPECT_GT(score.final_score, 0);
    EXPECT_EQ(core->progress.last_level, level_3 + 1);
    {
        Capture_stdout quiet;
        Progress const saved = load_progress_file(data->path("progress.data"));
        ASSERT_EQ(saved.scores.count("Level 3"), 1u);
        EXPECT_EQ(saved.scores.at("Level 3").back().final_score, score.final_score);
        EXPECT_EQ(saved.last_level, level_3 + 1);
    }

    step(4 * 64);
    EXPECT_EQ(finished->get_portal_score_label().get_text(), result_digits(score.final_score));
    ASSERT_NE(button(*finished, "Next Level"), nullptr);

    press(*finished, "Show Statistics");
    auto* statistics = top_screen<Statistics_screen>();
    ASSERT_NE(statistics, nullptr);
    step(11 * 64);
    EXPECT_EQ(statistics->get_capture_score_label().get_text(), result_digits(score.final_score));
    EXPECT_EQ(statistics->get_energy_label().get_text(), result_digits(score._energy_bonus));

    press(*statistics, "Back");
    EXPECT_EQ(finished->get_state(), Screen::Fading_in);
    step(70);
    EXPECT_EQ(top_screen<After_finish_screen>(), finished);

    press(*finished, "Next Level");
    auto* next = top_screen<Before_start_screen>();
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(core->get_level_name(core->get_current_level()), "Level 4");
    step(70);
    std::vector<Screen*> const screens = viewer->get_screens().screens();
    ASSERT_EQ(screens.size(), 2u) << "the before-start screen over the hidden play screen";
    EXPECT_EQ(screens.back(), play);
    EXPECT_EQ(play->get_state(), Screen::Hidden);

    press(*next, "Start Level");
    step(70);
    EXPECT_EQ(play->get_state(), Screen::Shown);
    EXPECT_EQ(core->get_game_state(), Core::Running);
}

// Moved far out of the field by hand, the level was won unseen in seconds and
// its score kept as the campaign's.
TEST_F(Campaign_flow_test, a_campaign_level_moved_out_by_hand_is_refused_with_a_word_and_scores_nothing)
{
    int const level_3 = core->get_level_names().indexOf("Level 3");
    ASSERT_GE(level_3, 0);
    std::string const file = data->path("levels/Level 3.data");
    write_text(file, every_position_at(read_text(file), "1e30"));
    core->progress.last_level = level_3;
    {
        Capture_stdout quiet;
        viewer->start();
        viewer->stopAnimation(); // frames come from the driver
    }
    step(70);
    press(*top_screen<Main_menu_screen>(), "Continue Game");
    step(70);
    auto* before_start = top_screen<Before_start_screen>();
    ASSERT_NE(before_start, nullptr);
    ASSERT_EQ(1u, dialogs.calls.size());
    EXPECT_EQ("warning", dialogs.calls[0].kind);
    EXPECT_EQ("Level File", dialogs.calls[0].title);
    EXPECT_THAT(dialogs.calls[0].text.toStdString(),
                HasSubstr("The level file " + file + " could not be read (a Plane_barrier at (1e+30, 1e+30, 1e+30)"));
    EXPECT_THAT(dialogs.calls[0].text.toStdString(), HasSubstr("\nAn empty field is shown in its place."));

    press(*before_start, "Start Level");
    EXPECT_FALSE(play_until([this] { return core->get_game_state() == Core::Finished; }, 60.f));
    EXPECT_EQ(0u, core->progress.scores.count("Level 3"));
    EXPECT_EQ(level_3, core->progress.last_level);
}

} // namespace

namespace
{

// Buttons act on the press, and "Quit" takes the same place on the main menu
// as "Back to Main Menu" on these screens: the second press of a double click
// must not close the game.
TEST_F(Campaign_flow_test, a_double_click_on_back_to_main_menu_leaves_the_main_menu_up)
{
    core->progress.last_level = 2;
    {
        Capture_stdout quiet;
        viewer->start();
        viewer->stopAnimation(); // frames come from the driver
    }
    step(70);
    auto const double_click_back = [this](Menu_screen const& menu) {
        Draggable_button const* back = button(menu, "Back to Main Menu");
        ASSERT_NE(back, nullptr);
        {
            Capture_stdout quiet;
            driver->double_click(driver->pixel_of(centre_of(*back)));
        }
        step(70);
        auto* main_menu = top_screen<Main_menu_screen>();
        ASSERT_NE(main_menu, nullptr);
        EXPECT_EQ(main_menu->get_state(), Screen::Shown);
        EXPECT_TRUE(viewer->isVisible()) << "the game was not quit";
    };

    press(*top_screen<Main_menu_screen>(), "Continue Game");
    step(70);
    ASSERT_NE(top_screen<Before_start_screen>(), nullptr);
    double_click_back(*top_screen<Before_start_screen>());

    press(*top_screen<Main_menu_screen>(), "Pick Level");
    step(70);
    ASSERT_NE(top_screen<Level_picker_screen>(), nullptr);
    double_click_back(*top_screen<Level_picker_screen>());
    EXPECT_EQ(core->progress.last_level, 2);
}

TEST_F(Campaign_flow_test, the_whole_campaign_leads_to_the_sandbox_and_no_replay_unlocks_anything)
{
    {
        Capture_stdout quiet;
        viewer->start();
        viewer->stopAnimation(); // frames come from the driver
    }
    int const count = core->get_level_names().size();
    ASSERT_EQ(size_t(count), campaign().size());

    // The tutorial as a new player meets it, then every level with its stored solution.
    Tutorial_player player(*viewer, *core, *driver);
    {
        Capture_stdout quiet;
        player.play_through();
        player.go_on();
    }
    step(70);
    for (int index = core->get_current_level(); index < count; ++index)
    {
        ASSERT_EQ(core->get_current_level(), index);
        win_current_level();
        if (HasFatalFailure()) return;
        EXPECT_EQ(core->progress.last_level, index + 1);
        leave_result(index + 1 < count ? "Next Level" : "Back to Main Menu");
        if (HasFatalFailure()) return;
    }

    auto* menu = top_screen<Main_menu_screen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(button(*menu, "Continue Game"), nullptr);
    bool finished_label = false;
    for (auto const& label : menu->get_labels())
        finished_label |= label->get_text() == "All levels finished, try the sandbox!";
    EXPECT_TRUE(finished_label);

    // Every level again from the picker: the progress stays where it is.
    Progress const reached = load_progress_file(data->path("progress.data"));
    EXPECT_EQ(reached.last_level, count);
    for (int index = 0; index < count; ++index)
    {
        press(*top_screen<Main_menu_screen>(), "Pick Level");
        step(70);
        auto* picker = top_screen<Level_picker_screen>();
        ASSERT_NE(picker, nullptr);
        for (int page = 0; page < index / 3; ++page) press(*picker, ">");
        ASSERT_EQ(picker->get_page(), index / 3);
        {
            Capture_stdout quiet;
            driver->click(centre_of(*picker->get_buttons()[size_t(2 * index)]));
        }
        step(70);
        ASSERT_EQ(core->get_current_level(), index);
        win_current_level();
        if (HasFatalFailure()) return;
        EXPECT_EQ(core->progress.last_level, count) << core->get_level_name(index);
        if (top_screen<After_finish_screen>())
        {
            leave_result("Back to Main Menu");
        }
        else
        {
            press(*top_screen<Before_start_screen>(), "Back to Main Menu");
            step(70);
        }
        if (HasFatalFailure()) return;
    }
    Capture_stdout quiet;
    EXPECT_EQ(load_progress_file(data->path("progress.data")).last_level, count);
}

} // namespace
