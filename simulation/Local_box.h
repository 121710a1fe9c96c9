#ifndef SIMULATION_LOCAL_BOX_H
#define SIMULATION_LOCAL_BOX_H

#include "foundation/Random.h"

#include <Eigen/Core>

#include <cfloat>
#include <stdexcept>

// Box-shaped elements keep their box as two corners in their own frame, around
// the origin. An element read from a level starts from the empty box.
inline Eigen::Vector3f empty_box_min()
{
    return Eigen::Vector3f::Constant(FLT_MAX);
}

inline Eigen::Vector3f empty_box_max()
{
    return Eigen::Vector3f::Constant(-FLT_MAX);
}

// Throws std::runtime_error for a box read from a file whose size is beyond the
// range of a float.
inline void check_loaded_box(Eigen::Vector3f const& boxmin, Eigen::Vector3f const& boxmax)
{
    if (!(boxmax - boxmin).allFinite()) throw std::runtime_error("a box too large to measure");
}

inline Eigen::Vector3f nearest_box_point(Eigen::Vector3f const& point, Eigen::Vector3f const& boxmin,
                                         Eigen::Vector3f const& boxmax)
{
    return point.cwiseMax(boxmin).cwiseMin(boxmax);
}

// Three draws, in the order x, y, z.
inline Eigen::Vector3f random_box_point(Eigen::Vector3f const& boxmin, Eigen::Vector3f const& boxmax)
{
    Eigen::Vector3f point;
    for (int axis = 0; axis < 3; ++axis) point[axis] = boxmin[axis] + (boxmax[axis] - boxmin[axis]) * rand_unit();
    return point;
}

#endif
