#ifndef SIMULATION_FALL_OFF_H
#define SIMULATION_FALL_OFF_H

#include <algorithm>

// Weight of a push or of heat at `distance` outside a shape: 1 at or inside the
// surface, falling with zero slope at both ends to 0 at `radius`.
inline float fall_off(float distance, float radius)
{
    if (distance <= 0.f) return 1.f;
    if (!(radius > 0.f)) return 0.f;
    float const t = std::min(distance / radius, 1.f);
    float const remaining = 1.f - t;
    return remaining * remaining * remaining * (3.f * t + 1.f);
}

#endif
