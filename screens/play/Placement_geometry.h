#ifndef SCREENS_PLAY_PLACEMENT_GEOMETRY_H
#define SCREENS_PLAY_PLACEMENT_GEOMETRY_H

#include <Eigen/Core>

#include <optional>
#include <vector>

class Level_data;

// The point o + t r where the ray from `origin` along `direction` meets the plane
// n . x + offset = 0. None when the ray runs parallel to the plane or the plane
// lies behind the origin: a drag or placement then has nowhere to go.
std::optional<Eigen::Vector3f> intersect_ray_plane(Eigen::Vector3f const& origin, Eigen::Vector3f const& direction,
                                                   Eigen::Vector3f const& normal, float offset);

// Half the side of the cube a group of `count` placed molecules fills: 0 for one,
// then 3 for every step of the cube root (8 molecules give 6, 27 give 9).
float molecule_spread(int count);

// Where each of `count` molecules around `centre` goes: a Hammersley set from
// index 0 scaled to the spread, so the first one sits at the cube's low corner.
std::vector<Eigen::Vector3f> molecule_positions(Eigen::Vector3f const& centre, int count);

// The point with x and z moved inside the game field's borders (y as it was). A
// level without its six borders leaves the point alone.
Eigen::Vector3f clamp_to_game_field(Level_data const& level, Eigen::Vector3f const& point);

#endif
