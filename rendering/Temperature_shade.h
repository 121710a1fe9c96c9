#ifndef RENDERING_TEMPERATURE_SHADE_H
#define RENDERING_TEMPERATURE_SHADE_H

#include <algorithm>

// A temperature as a colour channel: 0.5 at 0, 1 from 50 up, 0 from -50 down.
inline float temperature_shade(float temperature)
{
    return std::clamp(temperature / 50.f, -1.f, 1.f) * 0.5f + 0.5f;
}

#endif
