#include "Menu_test.h"

#include "foundation/Parameter.h"
#include "screens/menus/Before_start_screen.h"
#include "screens/menus/Level_picker_screen.h"
#include "screens/menus/Main_menu_screen.h"
#include "screens/results/Statistics_screen.h"
#include "widgets/Draggable_button.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace
{

// The picker over the first seven campaign levels.
class Level_picker_test : public Menu_test
{
protected:
    void SetUp() override
    {
        Menu_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        core->get_parameters()["levels"]->set_value_no_update(
            std::string("Intro 0,Intro 1,Intro 2,Level 1,Level 2,Level 3,Level 4"));
        core->update_parameters();
        ASSERT_EQ(core->get_level_names().size(), 7);
    }

    Level_picker_screen* show_picker()
    {
        Capture_stdout quiet;
        return show(new Level_picker_screen(viewer.get(), core.get(), nullptr));
    }

    void press(Menu_screen const& menu, std::string const& text)
    {
        Capture_stdout quiet;
        click(menu, text);
    }

    // The visible names, then buttons, each in list order; "Back to Main Menu",
    // always there and always last, is left out.
    static std::vector<std::string> visible(Menu_screen const& menu)
    {
        std::vector<std::string> texts;
        for (auto const& label : menu.get_labels())
            if (label->is_visible()) texts.push_back(label->get_text());
        for (auto const& button : menu.get_buttons())
            if (button->is_visible()) texts.push_back(button->get_text());
        EXPECT_EQ(texts.back(), "Back to Main Menu");
        texts.pop_back();
        return texts;
    }

    // The pick at a point in window fractions, as a click there would find it.
    static std::string picked_at(Menu_screen& menu, float x, float y)
    {
        int const index = menu.pick_button(Eigen::Vector2f(x, y));
        return index < 0 ? "nothing" : menu.get_buttons()[size_t(index)]->get_text();
    }

    static Score run(int final_score, float full_time)
    {
        Score score;
        score.final_score = final_score;
        score.full_time = full_time;
        return score;
    }
};

TEST_F(Level_picker_test, pages_of_three_unlock_up_to_the_last_level_and_hide_what_is_not_there)
{
    core->progress.last_level = 4;
    Level_picker_screen* picker = show_picker();
    EXPECT_TRUE(picker->has_flag(Screen::Blocks_input));
    EXPECT_EQ(visible(*picker),
              (std::vector<std::string>{"Intro 0", "Intro 1", "Intro 2", "Play", "Play", "Play", ">"}));
    EXPECT_EQ(picked_at(*picker, 0.06f, 0.5f), "nothing"); // "<" on the first page

    press(*picker, ">");
    EXPECT_EQ(picker->get_page(), 1);
    EXPECT_EQ(visible(*picker), (std::vector<std::string>{"Level 1", "Level 2", "Level 3", "Play", "Play", "<", ">"}));
    // "Level 3" is not reached yet: its name is shown, but there is no "Play" to click.
    EXPECT_EQ(picked_at(*picker, 0.75f, 0.55f), "nothing");
    EXPECT_EQ(picked_at(*picker, 0.5f, 0.55f), "Play");

    press(*picker, ">");
    EXPECT_EQ(picker->get_page(), 2);
    EXPECT_EQ(visible(*picker), (std::vector<std::string>{"Level 4", "<"}));
    EXPECT_EQ(picked_at(*picker, 0.94f, 0.5f), "nothing");

    press(*picker, "<");
    press(*picker, "<");
    EXPECT_EQ(picker->get_page(), 0);
}

TEST_F(Level_picker_test, a_damaged_last_level_unlocks_only_what_it_can_mean)
{
    core->progress.last_level = -3;
    EXPECT_EQ(visible(*show_picker()), (std::vector<std::string>{"Intro 0", "Intro 1", "Intro 2", "Play", ">"}));
    core->progress.last_level = 99;
    Level_picker_screen* picker = show_picker();
    picker->show_page(2);
    EXPECT_EQ(visible(*picker), (std::vector<std::string>{"Level 4", "Play", "<"}));
}

TEST_F(Level_picker_test, play_loads_the_level_with_the_default_settings_and_shows_its_name)
{
    Parameter& max_force = *core->get_parameters()["max_force"];
    float const before = max_force.get_value<float>();
    max_force.set_value_no_update(before + 7.f);
    core->progress.last_level = 2;
    Level_picker_screen* picker = show_picker();

    std::string const output = printed([&] { click(pixel_at(0.5f, 0.55f)); });
    EXPECT_THAT(output, HasSubstr("Level_picker_screen::play_level name: Intro 1"));
    EXPECT_EQ(core->get_current_level(), 1);
    EXPECT_EQ(max_force.get_value<float>(), before);
    Before_start_screen* before_start = top<Before_start_screen>();
    ASSERT_NE(before_start, nullptr);
    EXPECT_EQ(picker->get_state(), Screen::Closing);
}

TEST_F(Level_picker_test, highscore_replays_the_first_best_run_and_back_returns_to_the_same_page)
{
    core->progress.last_level = 6;
    core->progress.scores["Level 1"] = {run(500, 1.f), run(900, 2.f), run(900, 3.f)};
    core->progress.scores["Level 2"] = {}; // a list with nothing in it has no best run
    Level_picker_screen* picker = show_picker();
    press(*picker, ">");
    EXPECT_EQ(visible(*picker), (std::vector<std::string>{"Level 1", "Level 2", "Level 3", "Play", "Highscore", "Play",
                                                          "Play", "<", ">"}));
    EXPECT_EQ(picked_at(*picker, 0.5f, 0.4f), "nothing");

    press(*picker, "Highscore");
    Statistics_screen* statistics = top<Statistics_screen>();
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(statistics->get_score().final_score, 900);
    EXPECT_EQ(statistics->get_score().full_time, 2.f);
    EXPECT_EQ(picker->get_state(), Screen::Fading_out);
    step_frames(63);
    EXPECT_EQ(picker->get_state(), Screen::Hidden);

    press(*statistics, "Back");
    EXPECT_EQ(statistics->get_state(), Screen::Closing);
    EXPECT_EQ(picker->get_state(), Screen::Fading_in);
    step_frames(63);
    EXPECT_EQ(picker->get_page(), 1);
    EXPECT_EQ(visible(*picker)[4], "Highscore");
}

TEST_F(Level_picker_test, back_opens_the_main_menu_and_the_main_menu_opens_the_picker)
{
    Level_picker_screen* picker = show_picker();
    press(*picker, "Back to Main Menu");
    Main_menu_screen* menu = top<Main_menu_screen>();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(picker->get_state(), Screen::Closing);

    step_frames(63);
    press(*menu, "Pick Level");
    Level_picker_screen* again = top<Level_picker_screen>();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->get_page(), 0);
    EXPECT_EQ(menu->get_state(), Screen::Closing);
}

} // namespace
