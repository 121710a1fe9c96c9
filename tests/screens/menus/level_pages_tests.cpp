#include "screens/menus/Level_pages.h"
#include "simulation/Score.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

std::vector<int> shown(std::vector<bool> const& flags)
{
    std::vector<int> levels;
    for (size_t i = 0; i < flags.size(); ++i)
        if (flags[i]) levels.push_back(int(i));
    return levels;
}

TEST(Level_pages, seven_levels_fill_two_pages_and_one_column_with_arrows_only_where_there_is_more)
{
    std::vector<bool> const no_runs(7, false);
    struct Case
    {
        int page;
        std::vector<int> names;
        bool previous;
        bool next;
    };
    for (Case const& c : {Case{0, {0, 1, 2}, false, true}, Case{1, {3, 4, 5}, true, true}, Case{2, {6}, true, false}})
    {
        Level_page const page = level_page(c.page, 7, no_runs);
        EXPECT_EQ(page.page, c.page);
        EXPECT_EQ(shown(page.name_shown), c.names) << c.page;
        EXPECT_EQ(page.previous_shown, c.previous) << c.page;
        EXPECT_EQ(page.next_shown, c.next) << c.page;
    }
    // Turning past either end stays on the end page.
    EXPECT_EQ(level_page(-1, 7, no_runs).page, 0);
    EXPECT_EQ(level_page(3, 7, no_runs).page, 2);
    EXPECT_EQ(last_level_page(7), 2);

    for (int count : {0, 1, 3})
    {
        Level_page const page = level_page(0, count, std::vector<bool>(size_t(count), false));
        EXPECT_FALSE(page.previous_shown) << count;
        EXPECT_FALSE(page.next_shown) << count;
        EXPECT_EQ(int(shown(page.name_shown).size()), count);
    }
    EXPECT_TRUE(level_page(0, 4, std::vector<bool>(4, false)).next_shown);
}

TEST(Level_pages, play_reaches_the_last_level_reached_and_highscore_only_levels_with_runs)
{
    std::vector<bool> const runs{true, false, true, false, false, false, true};
    Level_page const first = level_page(0, 1, runs);
    EXPECT_EQ(shown(first.play_shown), (std::vector<int>{0, 1}));
    EXPECT_EQ(shown(first.highscore_shown), (std::vector<int>{0, 2}));
    // Only the page's own levels are shown.
    EXPECT_EQ(shown(level_page(2, 6, runs).play_shown), (std::vector<int>{6}));
    EXPECT_EQ(shown(level_page(2, 6, runs).highscore_shown), (std::vector<int>{6}));
    EXPECT_EQ(shown(level_page(1, 4, runs).play_shown), (std::vector<int>{3, 4}));
}

TEST(Level_pages, a_damaged_last_level_unlocks_nothing_before_the_first_and_nothing_beyond_the_last)
{
    std::vector<bool> const no_runs(7, false);
    EXPECT_EQ(shown(level_page(0, -5, no_runs).play_shown), (std::vector<int>{0}));
    EXPECT_EQ(shown(level_page(2, 1000, no_runs).play_shown), (std::vector<int>{6}));
    EXPECT_EQ(shown(level_page(1, 1000, no_runs).play_shown), (std::vector<int>{3, 4, 5}));
}

TEST(Level_pages, the_best_run_is_the_first_of_the_highest)
{
    auto runs_of = [](std::vector<int> const& finals) {
        std::vector<Score> runs(finals.size());
        for (size_t i = 0; i < finals.size(); ++i) runs[i].final_score = finals[i];
        return runs;
    };
    EXPECT_EQ(best_run_index(runs_of({500, 900, 900})), 1);
    EXPECT_EQ(best_run_index(runs_of({0})), 0);
    EXPECT_EQ(best_run_index(runs_of({3, 1, 7, 2})), 2);
    EXPECT_EQ(best_run_index({}), -1);
}

} // namespace
