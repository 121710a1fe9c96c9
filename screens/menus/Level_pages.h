#ifndef SCREENS_MENUS_LEVEL_PAGES_H
#define SCREENS_MENUS_LEVEL_PAGES_H

#include "screens/menus/Menu_items.h"

#include <string>
#include <vector>

class Score;

// The level picker's rules, without any GL: three levels to a page, each with
// its name, "Play" up to the last level reached and "Highscore" once it has a
// recorded run, and arrows that vanish at the ends.

int last_level_page(int level_count);

// What one page shows: entry i of each list belongs to level i.
struct Level_page
{
    int page = 0;
    std::vector<bool> name_shown;
    std::vector<bool> play_shown;
    std::vector<bool> highscore_shown;
    bool previous_shown = false;
    bool next_shown = false;
};

// The page is clamped to the pages there are, and `last_level` to 0 (nothing
// finished) up to the level count (everything finished), so a damaged progress
// file neither unlocks nor hides the wrong levels.
Level_page level_page(int page, int last_level, std::vector<bool> const& has_runs);

// A level's name label, "Play" and "Highscore", in its column of the page.
std::vector<Menu_item> level_items(int level, std::string const& name);
// "<", ">" and "Back to Main Menu".
std::vector<Menu_item> picker_navigation_items();

// The run with the highest final score, the first of equal ones; -1 for none.
int best_run_index(std::vector<Score> const& runs);

#endif
