#include "screens/results/Finished_run.h"
#include "simulation/Progress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

std::vector<std::string> texts(std::vector<Menu_item> const& items)
{
    std::vector<std::string> result;
    for (Menu_item const& item : items) result.push_back(item.text);
    return result;
}

TEST(After_finish_buttons, follow_the_mode_and_the_levels_reached)
{
    using Texts = std::vector<std::string>;
    struct Case
    {
        int mode;
        int last_level;
        int current_level;
        Texts buttons;
    };
    int const count = 11;
    for (Case const& c : {Case{Game_mode, 0, 0, {"Next Level", "Back to Main Menu", "Show Statistics"}},
                          Case{Game_mode, 9, 9, {"Next Level", "Back to Main Menu", "Show Statistics"}},
                          Case{Game_mode, 10, 10, {"Back to Main Menu", "Show Statistics"}}, // the last level
                          Case{Game_mode, 11, 4, {"Back to Main Menu", "Show Statistics"}},  // everything finished
                          // Replaying the last level from the picker: there is still nothing after it.
                          Case{Game_mode, 3, 10, {"Back to Main Menu", "Show Statistics"}},
                          Case{Game_mode, -2, 0, {"Next Level", "Back to Main Menu", "Show Statistics"}},
                          Case{Editor_mode, 2, 0, {"Next Level", "Back to Main Menu", "Show Statistics"}},
                          Case{Editor_play_mode, 4, 0, {"Play Again", "Back to Editor", "Show Statistics"}},
                          Case{Editor_play_mode, 10, 0, {"Play Again", "Back to Editor", "Show Statistics"}},
                          // A designer's level has nothing to do with the campaign's progress.
                          Case{Editor_play_mode, 11, 0, {"Play Again", "Back to Editor", "Show Statistics"}}})
        EXPECT_EQ(texts(after_finish_buttons(c.mode, c.last_level, count, c.current_level)), c.buttons)
            << "mode " << c.mode << ", last level " << c.last_level << ", level " << c.current_level;

    std::vector<Menu_item> const game = after_finish_buttons(Game_mode, 0, count, 0);
    EXPECT_FLOAT_EQ(game[0].position.x(), 0.25f);
    EXPECT_FLOAT_EQ(game[1].position.x(), 0.75f);
    EXPECT_FLOAT_EQ(game[2].position.x(), 0.5f);
    for (Menu_item const& item : game)
    {
        EXPECT_FLOAT_EQ(item.position.y(), 0.1f);
        EXPECT_EQ(item.size, Eigen::Vector2f(0.25f, 0.1f));
    }
    EXPECT_EQ(game[0].action, Menu_item::Next_level);
    EXPECT_EQ(after_finish_buttons(Editor_play_mode, 0, count, 0)[1].action, Menu_item::Back_to_editor);
}

TEST(After_finish_count_up, rises_in_proportion_for_three_seconds_and_ends_on_the_exact_values)
{
    Count_up const start = count_up_at(0.f, 733300, 499900);
    EXPECT_EQ(start.portal_score, 0);
    EXPECT_EQ(start.energy_bonus, 0);
    EXPECT_FALSE(start.finished);

    Count_up const half = count_up_at(1.5f, 733300, 499900);
    EXPECT_EQ(half.portal_score, 366650);
    EXPECT_EQ(half.energy_bonus, 249950);
    EXPECT_FALSE(half.finished);

    Count_up const almost = count_up_at(2.999f, 1000000, 500000);
    EXPECT_LT(almost.portal_score, 1000000);
    EXPECT_FALSE(almost.finished);

    for (float elapsed : {3.f, 3.2f})
    {
        Count_up const end = count_up_at(elapsed, 733301, 499999);
        EXPECT_EQ(end.portal_score, 733301);
        EXPECT_EQ(end.energy_bonus, 499999);
        EXPECT_TRUE(end.finished);
    }
}

TEST(After_finish_numbers, have_seven_digits_with_leading_zeros)
{
    EXPECT_EQ(result_digits(0), "0000000");
    EXPECT_EQ(result_digits(500000), "0500000");
    EXPECT_EQ(result_digits(1233300), "1233300");
}

Score run_with(int final_score)
{
    Score run;
    run.final_score = final_score;
    return run;
}

TEST(Finished_runs, join_the_level_and_move_the_game_on_only_past_the_level_won)
{
    Progress progress;
    progress.last_level = 3;
    EXPECT_TRUE(record_finished_run(progress, 3, "Level 1", run_with(500), 11)); // the first run
    EXPECT_EQ(progress.last_level, 4);
    EXPECT_TRUE(record_finished_run(progress, 3, "Level 1", run_with(900), 11));
    EXPECT_FALSE(record_finished_run(progress, 3, "Level 1", run_with(900), 11)); // equal is no highscore
    EXPECT_FALSE(record_finished_run(progress, 3, "Level 1", run_with(100), 11));
    ASSERT_EQ(progress.scores["Level 1"].size(), 4u);
    EXPECT_EQ(progress.scores["Level 1"][3].final_score, 100);
    EXPECT_EQ(progress.last_level, 4) << "replays of the level won unlock nothing more";
    EXPECT_TRUE(record_finished_run(progress, 4, "Level 2", run_with(0), 11)); // each level on its own
    EXPECT_EQ(progress.last_level, 5);
    record_finished_run(progress, 0, "Intro 0", run_with(1), 11);
    EXPECT_EQ(progress.last_level, 5) << "an early level replayed keeps the progress";
    record_finished_run(progress, 8, "Level 5", run_with(1), 11);
    EXPECT_EQ(progress.last_level, 9) << "a level picked ahead of the progress counts as won";

    record_finished_run(progress, 10, "Level 7", run_with(1), 11);
    EXPECT_EQ(progress.last_level, 11);
    record_finished_run(progress, 10, "Level 7", run_with(1), 11);
    EXPECT_EQ(progress.last_level, 11);

    // A damaged value goes on from the level won, and is brought back in range when beyond the last.
    progress.last_level = -6;
    record_finished_run(progress, 2, "Intro 2", run_with(1), 11);
    EXPECT_EQ(progress.last_level, 3);
    progress.last_level = 40;
    record_finished_run(progress, 2, "Intro 2", run_with(1), 11);
    EXPECT_EQ(progress.last_level, 11);
}

} // namespace
