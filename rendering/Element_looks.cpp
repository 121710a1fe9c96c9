#include "rendering/Element_looks.h"

#include "rendering/Temperature_shade.h"
#include "simulation/Color_palette.h"

#include <algorithm>
#include <cmath>

namespace
{

float in_out_quadratic(float x)
{
    return x < 0.5f ? 2.f * x * x : 1.f - 2.f * (1.f - x) * (1.f - x);
}

} // namespace

Color brownian_color(float strength)
{
    float const c = temperature_shade(strength);
    return Color(c, 0.f, 1.f - c);
}

Color charged_barrier_color(float charge)
{
    // Charges beyond 50 would push the grey negative.
    float const q = std::clamp(charge / 50.f, -1.f, 1.f);
    Color const& pole = color_palette()[q >= 0.f ? 6 : 7];
    float const grey = 0.8f * (1.f - std::abs(q));
    float const weight = std::abs(q);
    return Color(grey + weight * pole.r, grey + weight * pole.g, grey + weight * pole.b);
}

std::vector<Gauge_cell> gauge_cells(int required, int captured)
{
    std::vector<Gauge_cell> cells;
    for (int i = 0; i < required; ++i)
    {
        float const bottom = float(i) / float(required);
        cells.push_back(Gauge_cell{bottom, bottom + 0.9f / float(required), i < captured});
    }
    return cells;
}

Color4 gauge_cell_color(bool filled)
{
    return filled ? Color4(0.1f, 0.7f, 0.2f, 0.8f) : Color4(0.4f, 0.5f, 0.4f, 0.6f);
}

int ring_arc_steps(int required)
{
    float const s = float(std::max(64, 6 * required));
    return std::max(2, int(s * 0.9f / float(required)));
}

std::optional<Release_arrow> release_arrow(int released, int max_molecules, float release_progress, float extent_x)
{
    if (max_molecules - released < 1) return std::nullopt;
    float const p = release_progress;
    float const x = p < 0.5f ? 2.f * p : 1.f - 2.f * (p - 0.5f);
    float const a = extent_x / 2.f * in_out_quadratic(x);
    float const f = 1.f - float(released) / float(max_molecules);
    return Release_arrow{a, f * 10.f + 2.f + a, 1.f - std::max(f - 0.2f, 0.f)};
}
