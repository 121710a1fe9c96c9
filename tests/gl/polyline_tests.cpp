#include "gl/Polyline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{

Polyline polyline(std::initializer_list<Eigen::Vector3f> points)
{
    Polyline line;
    for (Eigen::Vector3f const& p : points) line.add_point(p);
    line.update_lengths();
    return line;
}

void expect_point(Eigen::Vector3f const& expected, Eigen::Vector3f const& actual)
{
    EXPECT_TRUE(actual.isApprox(expected, 1e-5f) || (actual - expected).norm() < 1e-6f)
        << "expected (" << expected.transpose() << ") got (" << actual.transpose() << ")";
}

// Right, then up: length 2, x extent 1.
Polyline const corner = polyline({{0.f, 0.f, 0.f}, {1.f, 0.f, 0.f}, {1.f, 1.f, 0.f}});

} // namespace

TEST(Polyline, parametrises_by_length_and_by_x)
{
    EXPECT_FLOAT_EQ(2.f, corner.get_length());
    EXPECT_FLOAT_EQ(1.f, corner.get_total_x());

    expect_point({0.f, 0.f, 0.f}, corner.point_at(0.f));
    expect_point({0.5f, 0.f, 0.f}, corner.point_at(0.25f));
    expect_point({1.f, 0.5f, 0.f}, corner.point_at(0.75f));
    expect_point({1.f, 1.f, 0.f}, corner.point_at(1.f));
    expect_point({1.f, 1.f, 0.f}, corner.point_at(1.5f));
    expect_point({0.5f, 0.f, 0.f}, corner.point_at_x(0.5f));
}

TEST(Polyline, finds_segments_and_their_directions)
{
    auto const [index, fraction] = corner.find_segment(0.25f);
    EXPECT_EQ(1, index);
    EXPECT_FLOAT_EQ(0.5f, fraction);
    EXPECT_EQ(0, corner.find_segment(0.f).first);

    expect_point({1.f, 0.f, 0.f}, corner.direction_at(0.f));
    expect_point({1.f, 0.f, 0.f}, corner.direction_at(0.25f));
    expect_point({0.f, 1.f, 0.f}, corner.direction_at(0.75f));
}

TEST(Polyline, adding_a_point_of_its_own_is_safe)
{
    Polyline line;
    line.add_point({1.f, 2.f, 3.f});
    for (int i = 0; i < 100; ++i) EXPECT_EQ(i + 1, line.add_point(line.get_points()[0]));
    expect_point({1.f, 2.f, 3.f}, line.get_points().back());
}

// A plot's drawing reaches a given x after the arc length up to there.
TEST(Polyline, length_at_is_the_arc_length_where_the_x_fraction_lies)
{
    // Across 1, up 1, across 1: x extent 2, length 3.
    Polyline const step = polyline({{0.f, 0.f, 0.f}, {1.f, 0.f, 0.f}, {1.f, 1.f, 0.f}, {2.f, 1.f, 0.f}});
    EXPECT_FLOAT_EQ(0.f, step.length_at(0.f));
    EXPECT_NEAR(0.5f, step.length_at(0.25f), 1e-5f);
    EXPECT_NEAR(2.5f, step.length_at(0.75f), 1e-5f);
    EXPECT_FLOAT_EQ(3.f, step.length_at(1.f));
    EXPECT_FLOAT_EQ(3.f, step.length_at(2.f));

    // Matches the point found by x: its arc length along the curve.
    Polyline const slope = polyline({{0.f, 0.f, 0.f}, {3.f, 4.f, 0.f}, {6.f, 4.f, 0.f}});
    EXPECT_NEAR(5.f + 1.5f, slope.length_at(0.75f), 1e-4f);
    expect_point({4.5f, 4.f, 0.f}, slope.point_at_x(0.75f));
}

TEST(Polyline, without_length_answers_with_its_first_point)
{
    Polyline const single = polyline({{2.f, 3.f, 4.f}});
    Polyline const repeated = polyline({{2.f, 3.f, 4.f}, {2.f, 3.f, 4.f}});
    Polyline const vertical = polyline({{2.f, 3.f, 4.f}, {2.f, 5.f, 4.f}});
    for (float t : {0.f, 0.5f, 1.f})
    {
        expect_point({2.f, 3.f, 4.f}, single.point_at(t));
        expect_point({2.f, 3.f, 4.f}, repeated.point_at(t));
        expect_point({2.f, 3.f, 4.f}, single.point_at_x(t));
        expect_point({2.f, 3.f, 4.f}, vertical.point_at_x(t));
        expect_point({1.f, 0.f, 0.f}, single.direction_at(t));
        EXPECT_FALSE(std::isnan(repeated.direction_at(t).sum()));
        EXPECT_FALSE(std::isnan(single.length_at(t)));
        EXPECT_FALSE(std::isnan(vertical.length_at(t)));
    }
    EXPECT_EQ(0, single.find_segment(0.5f).first);
    expect_point(Eigen::Vector3f::Zero(), Polyline().point_at(0.5f));
}
