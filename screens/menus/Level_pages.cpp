#include "screens/menus/Level_pages.h"

#include "simulation/Score.h"

#include <algorithm>

int last_level_page(int level_count)
{
    return level_count > 0 ? (level_count - 1) / 3 : 0;
}

Level_page level_page(int page, int last_level, std::vector<bool> const& has_runs)
{
    int const count = int(has_runs.size());
    int const last = clamped_last_level(last_level, count);

    Level_page shown;
    shown.page = std::clamp(page, 0, last_level_page(count));
    shown.name_shown.assign(size_t(count), false);
    shown.play_shown.assign(size_t(count), false);
    shown.highscore_shown.assign(size_t(count), false);
    for (int i = 3 * shown.page; i < std::min(3 * shown.page + 3, count); ++i)
    {
        shown.name_shown[size_t(i)] = true;
        shown.play_shown[size_t(i)] = i <= last;
        shown.highscore_shown[size_t(i)] = has_runs[size_t(i)];
    }
    shown.previous_shown = shown.page > 0;
    shown.next_shown = shown.page < last_level_page(count);
    return shown;
}

std::vector<Menu_item> level_items(int level, std::string const& name)
{
    float const x = 0.25f + 0.25f * float(level % 3);
    return {label(name, x, 0.7f, 0.2f, 0.1f), button("Play", x, 0.55f, 0.2f, 0.1f, Menu_item::Play_level),
            button("Highscore", x, 0.4f, 0.2f, 0.1f, Menu_item::Show_best_run)};
}

std::vector<Menu_item> picker_navigation_items()
{
    return {button("<", 0.06f, 0.5f, 0.04f, 0.7f, Menu_item::Previous_page),
            button(">", 0.94f, 0.5f, 0.04f, 0.7f, Menu_item::Next_page),
            button("Back to Main Menu", 0.5f, 0.15f, 0.5f, 0.2f, Menu_item::Back_to_main_menu)};
}

int best_run_index(std::vector<Score> const& runs)
{
    int best = -1;
    for (size_t i = 0; i < runs.size(); ++i)
    {
        if (best < 0 || runs[i].final_score > runs[size_t(best)].final_score) best = int(i);
    }
    return best;
}
