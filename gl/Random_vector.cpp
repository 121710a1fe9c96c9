#include "gl/Random_vector.h"

#include "foundation/Random.h"

Eigen::Vector3f random_signed_vector()
{
    // Separate statements: the order of the draws is part of what a seed reproduces.
    Eigen::Vector3f v;
    v[0] = rand_signed();
    v[1] = rand_signed();
    v[2] = rand_signed();
    return v;
}

Eigen::Vector3f random_unit_vector()
{
    Eigen::Vector3f const v = random_signed_vector();
    float const length = v.norm();
    // All three components at exactly 0 is possible; any direction then serves.
    if (length == 0.f) return Eigen::Vector3f::UnitX();
    return v / length;
}
