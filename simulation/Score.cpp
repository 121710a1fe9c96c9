#include "simulation/Score.h"

#include <algorithm>
#include <cmath>

namespace
{

float time_weight(float t, float time_factor)
{
    return t < time_factor ? 1.f : std::exp(-(t - time_factor) / time_factor);
}

} // namespace

void Score::calculate(float time_factor, int molecules_to_capture)
{
    std::vector<float> const& captured = sensor_data._data[Sensor_data::Collected_molecules];
    std::vector<float> const& energy = sensor_data._data[Sensor_data::Energy_consumption];
    float const interval = sensor_data.interval;

    full_time = captured.size() * interval;
    num_molecules_to_capture = molecules_to_capture;
    score_at_time.clear();
    penalty_at_time.clear();

    // A level without anything to capture cannot finish; it scores nothing.
    int const base = molecules_to_capture > 0 ? int(1000000.0 / molecules_to_capture) : 0;

    double capture_sum = 0.0;
    int highest = 0;
    for (size_t i = 0; i < captured.size(); ++i)
    {
        int const count = int(captured[i]);
        if (count <= highest) continue;
        highest = count;
        float const t = i * interval;
        int const points = int(base * time_weight(t, time_factor) / 100) * 100;
        capture_sum += points;
        score_at_time.emplace_back(t, points);
    }

    _penalty = 0;
    size_t const n = energy.size();
    for (size_t j = 0; j < n; ++j)
    {
        float const t = j * interval;
        float const x = std::min(std::max(energy[j] - 1.f, 0.f), 4.f);
        int const value = int(x * 0.25 * 0.95 * time_weight(t, time_factor) * capture_sum / (n * 100.0)) * 100;
        _penalty += value;
        penalty_at_time.emplace_back(t, value);
    }

    final_score = int(capture_sum);
    _energy_bonus = sensor_data.score.empty() ? 0 : sensor_data.score.back();
}
