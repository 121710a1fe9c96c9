#ifndef SCREENS_PLAY_HUD_RULES_H
#define SCREENS_PLAY_HUD_RULES_H

#include "gl/Color.h"

#include <optional>
#include <string>

// The play screen's head-up display: what its labels say and how they look.

// "Time: %1s (%2x)": the whole seconds, at least three characters wide, and the
// score's time multiplier with one decimal.
std::string time_label_text(float time, float score_time_factor);

// 1 until the level's time factor T has passed, then exp(-(t - T) / T).
float time_multiplier(float time, float score_time_factor);

// The energy use as a whole percentage, "%1%".
std::string energy_label_text(float energy);

// From green at no energy use to orange at full use.
Color4 energy_label_color(float energy);

class Sensor_data;

// The running score the bonus label shows: the last sample, or the score a
// level starts with before the first sample.
int latest_energy_bonus(Sensor_data const& sensor_data);

// The running score, six characters wide.
std::string energy_bonus_text(int bonus);

// Decides when the energy bonus label changes: only a fall of more than 200
// below the value shown, so that small losses do not flicker.
class Energy_bonus_tracker
{
public:
    void reset(int shown) { _shown = shown; }
    int get_shown() const { return _shown; }

    // The fall to show as a pop-up when `latest` is more than 200 below the
    // value shown (which then becomes `latest`); none otherwise.
    std::optional<int> update(int latest);

private:
    int _shown = 0;
};

// Whether a play screen of the mode shows the display. The editor runs no
// level, so nothing is sampled: energy and bonus would stand still, the time
// would tick for nothing, and its palette needs the top of the window.
bool shows_hud(int mode);

// How far the play screen blurs its picture in pixels, by fade state: full while
// hidden, shrinking while fading in, growing while fading out, none when shown
// (or closing, when it draws nothing).
float blur_strength(int state, float progress, int viewport_width);

#endif
