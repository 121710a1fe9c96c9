#include "simulation/Sensor_data.h"

#include <algorithm>
#include <cmath>

Sensor_data::Sensor_data() : _data(series_count), score{initial_score}
{
}

void Sensor_data::reset()
{
    _data.assign(series_count, std::vector<float>());
    score = {initial_score};
}

void Sensor_data::record_score()
{
    std::vector<float> const& energy = _data[Energy_consumption];
    float const excess = energy.empty() ? 0.f : std::max(energy.back() - 1.0001f, 0.f);
    int const penalty = int(std::round(excess * 5000.f * interval / 100.f));

    int const last = score.empty() ? initial_score : score.back();
    int const next = last - penalty * 100;
    score.push_back(std::max(next, 0));
}
