#include "simulation/Thermal_agitation.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace
{

// A well-mixing 32-bit integer hash (xor-shift-multiply).
std::uint32_t mix(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

std::uint32_t bits_of(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Exact in float: 24 bits scaled by a power of two.
float to_signed_unit(std::uint32_t hash)
{
    return float(hash >> 8) * 1.1920928955078125e-7f - 1.f;
}

// Written so that the comparison is false for NaN.
float clamp_unit(float value)
{
    return value > 0.f ? (value < 1.f ? value : 1.f) : 0.f;
}

} // namespace

float sample_temperature(Frame_buffer<float> const& grid, Eigen::Vector2f const& game_field_size, float x, float z)
{
    int const w = grid.get_width();
    int const h = grid.get_height();
    if (w <= 0 || h <= 0) return 0.f;

    float const u = clamp_unit(x / (game_field_size.x() * 0.5f) * 0.5f + 0.5f);
    float const v = clamp_unit(z / (game_field_size.y() * 0.5f) * 0.5f + 0.5f);
    float const fx = float(w - 1) * u;
    float const fy = float(h - 1) * v;
    int const ix = int(std::floor(fx));
    int const iy = int(std::floor(fy));
    int const ix1 = std::min(ix + 1, w - 1);
    int const iy1 = std::min(iy + 1, h - 1);
    float const tx = fx - float(ix);
    float const ty = fy - float(iy);

    float const bottom = grid.get_pixel(ix, iy) * (1.f - tx) + grid.get_pixel(ix1, iy) * tx;
    float const top = grid.get_pixel(ix, iy1) * (1.f - tx) + grid.get_pixel(ix1, iy1) * tx;
    return bottom * (1.f - ty) + top * ty;
}

Eigen::Vector3f thermal_agitation(std::uint32_t atom_index, float temperature, float time)
{
    if (!(temperature > 0.f)) return Eigen::Vector3f::Zero();

    float const phase = time * thermal_agitation_rate;
    float const step = std::floor(phase);
    float const f = phase - step;
    float const weight = f * f * (3.f - 2.f * f);
    std::uint32_t const before = mix(bits_of(step));
    std::uint32_t const after = mix(bits_of(step + 1.f));

    Eigen::Vector3f noise;
    for (std::uint32_t axis = 0; axis < 3; ++axis)
    {
        std::uint32_t const key = atom_index * 3u + axis;
        float const a = to_signed_unit(mix(before + key));
        float const b = to_signed_unit(mix(after + key));
        noise[axis] = a + (b - a) * weight;
    }
    return (thermal_agitation_scale * temperature) * noise;
}
