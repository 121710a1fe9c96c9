#ifndef TESTS_VECTOR_EXPECT_H
#define TESTS_VECTOR_EXPECT_H

#include <Eigen/Core>
#include <gtest/gtest.h>

// Compares two vectors by the length of their difference, printing both.
inline void expect_near(Eigen::Vector3f const& expected, Eigen::Vector3f const& actual, float tolerance = 1e-6f)
{
    EXPECT_LT((expected - actual).norm(), tolerance)
        << "expected " << expected.transpose() << ", got " << actual.transpose();
}

inline void expect_near(Eigen::Vector2f const& expected, Eigen::Vector2f const& actual, float tolerance = 1e-6f)
{
    EXPECT_LT((expected - actual).norm(), tolerance)
        << "expected " << expected.transpose() << ", got " << actual.transpose();
}

#endif
