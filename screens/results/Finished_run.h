#ifndef SCREENS_RESULTS_FINISHED_RUN_H
#define SCREENS_RESULTS_FINISHED_RUN_H

#include "gl/Color.h"
#include "screens/menus/Menu_items.h"
#include "screens/play/Play_mode.h"

#include <Eigen/Core>

#include <string>
#include <vector>

class Level_data;
class Progress;
class Score;

// What the after-finish screen decides, without any GL.

// The colours of the capture score and of the energy bonus on the result screens.
Color4 const capture_score_color(0.5765f, 0.9098f, 0.4392f, 1.f);
Color4 const energy_bonus_color(0.4863f, 0.6157f, 1.f, 1.f);

// A number on the result screens: seven decimal digits with leading zeros.
std::string result_digits(int value);

// The follow-up buttons, as the progress stood before the run was recorded. A
// level played from the editor may be played again, whatever the campaign's
// progress, or left for the editor; otherwise the game goes on to the next
// level while there is one, both by the levels reached and by the level just
// played.
std::vector<Menu_item> after_finish_buttons(int game_mode, int last_level, int level_count, int current_level);

// A label that slides from off its place onto it while the screen fades in.
struct Sliding_label
{
    std::string text;
    Eigen::Vector3f from;
    Eigen::Vector3f to;
    Eigen::Vector2f size;
    Color4 color;
};
// The title, the two captions and the two numbers, in that order.
std::vector<Sliding_label> after_finish_labels();

// The molecules the level asks its portals to capture, all portals together.
int molecules_to_capture(Level_data const& level);

// Appends the run to the level at `current_level` and lets the level to
// continue with be the one after it, unless the player had got further
// already. True when the run beats every earlier one of the level (a first run
// always does; an equal one does not).
bool record_finished_run(Progress& progress, int current_level, std::string const& level_name, Score const& run,
                         int level_count);

// The numbers shown `elapsed` seconds into the 3 s count-up.
struct Count_up
{
    int portal_score;
    int energy_bonus;
    bool finished;
};
Count_up count_up_at(float elapsed, int final_score, int energy_bonus);

#endif
