#ifndef BENCH_WATER_GRID_H
#define BENCH_WATER_GRID_H

#include <Eigen/Core>

// The place of the i-th of up to 1395 water molecules on a grid 2.5 apart
// that fills the default 80 x 40 x 40 field.
inline Eigen::Vector3f water_grid_place(int i)
{
    return Eigen::Vector3f(-37.5f + (i % 31) * 2.5f, -17.5f + (i / 31 % 15) * 2.5f, -17.5f + i / 465 * 2.5f);
}

#endif
