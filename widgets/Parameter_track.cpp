#include "widgets/Parameter_track.h"

#include "foundation/Parameter.h"

#include <algorithm>

float track_position(Parameter const& parameter, float half_range)
{
    float const min = parameter.get_min<float>();
    float const max = parameter.get_max<float>();
    float const fraction = max > min ? std::clamp((parameter.get_value<float>() - min) / (max - min), 0.f, 1.f) : 0.f;
    return (2.f * fraction - 1.f) * half_range;
}

float track_value(Parameter const& parameter, float x, float half_range)
{
    float const min = parameter.get_min<float>();
    float const max = parameter.get_max<float>();
    float const clamped = std::clamp(x, -half_range, half_range);
    return min + (max - min) * (clamped + half_range) / (2.f * half_range);
}
