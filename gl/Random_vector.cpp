#include "gl/Random_vector.h"

#include "foundation/Random.h"

namespace
{

float random_component()
{
    return rand_0_32767() * 2.f / 32767.f - 1.f;
}

} // namespace

Eigen::Vector3f random_unit_vector()
{
    Eigen::Vector3f v;
    v[0] = random_component();
    v[1] = random_component();
    v[2] = random_component();
    float const length = v.norm();
    // All three components at exactly 0 is possible; any direction then serves.
    if (length == 0.f) return Eigen::Vector3f::UnitX();
    return v / length;
}
