#include "screens/play/Hud_rules.h"

#include "app/Screen.h"
#include "screens/play/Handle_rules.h"
#include "simulation/Sensor_data.h"

#include <QString>

#include <cmath>

std::string time_label_text(float time, float score_time_factor)
{
    return QString("Time: %1s (%2x)")
        .arg(double(time), 3, 'f', 0)
        .arg(double(time_multiplier(time, score_time_factor)), 0, 'f', 1)
        .toStdString();
}

float time_multiplier(float time, float score_time_factor)
{
    if (time < score_time_factor || score_time_factor <= 0.f) return 1.f;
    return std::exp(-(time - score_time_factor) / score_time_factor);
}

std::string energy_label_text(float energy)
{
    return QString("%1%").arg(int(energy * 100.f)).toStdString();
}

Color4 energy_label_color(float energy)
{
    auto const mix = [energy](float none, float full) { return (none + (full - none) * energy) / 255.f; };
    return Color4(mix(147.f, 255.f), mix(232.f, 121.f), mix(112.f, 54.f), 1.f);
}

int latest_energy_bonus(Sensor_data const& sensor_data)
{
    return sensor_data.score.empty() ? Sensor_data::initial_score : sensor_data.score.back();
}

std::string energy_bonus_text(int bonus)
{
    return QString("%1").arg(bonus, 6).toStdString();
}

std::optional<int> Energy_bonus_tracker::update(int latest)
{
    if (latest >= _shown - 200) return std::nullopt;
    int const fall = _shown - latest;
    _shown = latest;
    return fall;
}

float blur_strength(int state, float progress, int viewport_width)
{
    float const full = float(viewport_width) * 20.f / 1000.f;
    switch (state)
    {
    case Screen::Hidden:
        return full;
    case Screen::Fading_in:
        return full * (1.f - progress);
    case Screen::Fading_out:
        return full * progress;
    default:
        return 0.f;
    }
}

bool shows_hud(int mode)
{
    return mode != Editor_mode;
}
