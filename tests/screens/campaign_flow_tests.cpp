// A campaign level from the main menu to the next one, through the window: won
// with its stored solution, scored, replayed as plots and left for the next.
#include "Play_test.h"

#include "screens/After_finish_screen.h"
#include "screens/Before_start_screen.h"
#include "screens/Finished_run.h"
#include "screens/Main_menu_screen.h"
#include "screens/Statistics_screen.h"
#include "tools/campaign/Campaign.h"
#include "widgets/Draggable_button.h"

#include <gtest/gtest.h>

namespace
{

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
};

Campaign_level const& campaign_level(std::string const& name)
{
    for (Campaign_level const& level : campaign())
        if (level.name == name) return level;
    throw std::runtime_error("no campaign level " + name);
}

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

} // namespace
