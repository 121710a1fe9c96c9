#include "screens/results/Finished_run.h"

#include "simulation/Level_data.h"
#include "simulation/Portal.h"
#include "simulation/Progress.h"

#include <QString>

#include <algorithm>

std::string result_digits(int value)
{
    return QString("%1").arg(value, 7, 10, QChar('0')).toStdString();
}

std::vector<Menu_item> after_finish_buttons(int game_mode, int last_level, int level_count, int current_level)
{
    int const last = clamped_last_level(last_level, level_count);
    std::vector<Menu_item> items;
    if (game_mode == Editor_play_mode)
    {
        items.push_back(button("Play Again", 0.25f, 0.1f, 0.25f, 0.1f, Menu_item::Play_again));
        items.push_back(button("Back to Editor", 0.75f, 0.1f, 0.25f, 0.1f, Menu_item::Back_to_editor));
    }
    else
    {
        // After the last level there is nothing to go on to, whatever was reached before.
        if (last < level_count - 1 && current_level < level_count - 1)
            items.push_back(button("Next Level", 0.25f, 0.1f, 0.25f, 0.1f, Menu_item::Next_level));
        items.push_back(button("Back to Main Menu", 0.75f, 0.1f, 0.25f, 0.1f, Menu_item::Back_to_main_menu));
    }
    items.push_back(button("Show Statistics", 0.5f, 0.1f, 0.25f, 0.1f, Menu_item::Show_statistics));
    return items;
}

std::vector<Sliding_label> after_finish_labels()
{
    Color4 const white(1.f, 1.f, 1.f, 1.f);
    Eigen::Vector2f const caption(0.3f, 0.1f);
    return {{"Level finished!", {0.5f, 1.3f, 0.f}, {0.5f, 0.8f, 0.f}, {0.8f, 0.3f}, white},
            {"Portal Score", {-0.3f, 0.6f, 0.f}, {0.25f, 0.6f, 0.f}, caption, white},
            {"Energy Bonus", {1.3f, 0.6f, 0.f}, {0.75f, 0.6f, 0.f}, caption, white},
            {result_digits(0), {0.25f, -0.2f, 0.f}, {0.25f, 0.5f, 0.f}, caption, capture_score_color},
            {result_digits(0), {0.75f, -0.2f, 0.f}, {0.75f, 0.5f, 0.f}, caption, energy_bonus_color}};
}

int molecules_to_capture(Level_data const& level)
{
    int sum = 0;
    for (Portal const* portal : level._portals) sum += portal->get_end_condition().get_min_captured_molecules();
    return sum;
}

bool record_finished_run(Progress& progress, int current_level, std::string const& level_name, Score const& run,
                         int level_count)
{
    progress.last_level = last_level_after(progress.last_level, current_level, level_count);

    std::vector<Score>& runs = progress.scores[level_name];
    bool const best = std::all_of(runs.begin(), runs.end(),
                                  [&run](Score const& earlier) { return run.final_score > earlier.final_score; });
    runs.push_back(run);
    return best;
}

Count_up count_up_at(float elapsed, int final_score, int energy_bonus)
{
    float const f = elapsed / 3.f;
    if (f >= 1.f) return {final_score, energy_bonus, true};
    return {int(float(final_score) * f), int(float(energy_bonus) * f), false};
}
