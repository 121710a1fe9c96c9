#include "screens/play/Placement_geometry.h"

#include "foundation/Halton_sequence.h"
#include "simulation/Level_data.h"

#include <algorithm>
#include <cmath>

namespace
{

// Rays closer to the plane than this are taken as parallel: the hit would lie
// far outside anything the player can see.
float const parallel_limit = 1e-6f;

} // namespace

std::optional<Eigen::Vector3f> intersect_ray_plane(Eigen::Vector3f const& origin, Eigen::Vector3f const& direction,
                                                   Eigen::Vector3f const& normal, float offset)
{
    float const facing = normal.dot(direction);
    if (!std::isfinite(facing) || std::abs(facing) < parallel_limit * direction.norm()) return std::nullopt;
    float const t = -(normal.dot(origin) + offset) / facing;
    if (!std::isfinite(t) || t < 0.f) return std::nullopt;
    return Eigen::Vector3f(origin + t * direction);
}

float molecule_spread(int count)
{
    if (count < 1) return 0.f;
    // One third in single precision: a perfect cube k^3 then rounds up to k + 1.
    double const third = double(1.f / 3.f);
    return float((std::ceil(std::pow(double(count), third)) - 1.0) * 3.0);
}

std::vector<Eigen::Vector3f> molecule_positions(Eigen::Vector3f const& centre, int count)
{
    std::vector<Eigen::Vector3f> positions;
    float const spread = molecule_spread(count);
    Halton_sequence base_2(2);
    Halton_sequence base_3(3);
    for (int i = 0; i < count; ++i)
    {
        // The sequences give the radical inverses from index 1 on; index 0 is 0.
        float const u = float(i) / float(count);
        float const v = i == 0 ? 0.f : float(base_2.next());
        float const w = i == 0 ? 0.f : float(base_3.next());
        positions.push_back(centre + spread * Eigen::Vector3f(2.f * u - 1.f, 2.f * v - 1.f, 2.f * w - 1.f));
    }
    return positions;
}

Eigen::Vector3f clamp_to_game_field(Level_data const& level, Eigen::Vector3f const& point)
{
    if (!level.has_game_field_borders()) return point;
    auto const at = [&level](Level_data::Plane plane) { return level._game_field_borders.at(plane)->get_position(); };
    Eigen::Vector3f clamped = point;
    clamped.x() = std::clamp(point.x(), at(Level_data::X_min).x(), at(Level_data::X_max).x());
    clamped.z() = std::clamp(point.z(), at(Level_data::Z_min).z(), at(Level_data::Z_max).z());
    return clamped;
}
