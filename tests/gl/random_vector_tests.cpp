#include "gl/Random_vector.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Scaling the library's rand by 32767 instead of its real maximum would push every
// component to +1 and show up here as one-signed components.
TEST(Random_unit_vector, has_unit_length_and_spreads_over_both_signs)
{
    std::srand(7);
    Eigen::Vector3d sum = Eigen::Vector3d::Zero();
    Eigen::Vector3i negatives = Eigen::Vector3i::Zero();
    int const draws = 10000;
    for (int i = 0; i < draws; ++i)
    {
        Eigen::Vector3f const v = random_unit_vector();
        ASSERT_NEAR(1.f, v.norm(), 1e-5f);
        sum += v.cast<double>();
        for (int axis = 0; axis < 3; ++axis)
            if (v[axis] < 0.f) ++negatives[axis];
    }
    for (int axis = 0; axis < 3; ++axis)
    {
        EXPECT_NEAR(0.0, sum[axis] / draws, 0.03) << "axis " << axis;
        EXPECT_GT(negatives[axis], draws * 0.4) << "axis " << axis;
        EXPECT_LT(negatives[axis], draws * 0.6) << "axis " << axis;
    }
}
