#include "screens/help/Help_layout.h"
#include "screens/menus/Menu_items.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace
{

TEST(Help_layout, the_text_hangs_from_the_corner_and_the_button_sits_under_its_right_end)
{
    Page_placement const placed = place_page(0.6f, 0.4f, Eigen::Vector2f(0.25f, 0.12f), 16.f / 9.f);
    EXPECT_FLOAT_EQ(0.6f, placed.corner.x()) << "inside the window, where it was asked for";
    EXPECT_FLOAT_EQ(0.4f, placed.corner.y());
    EXPECT_FLOAT_EQ(0.725f, placed.label_position.x());
    EXPECT_FLOAT_EQ(0.34f, placed.label_position.y());
    EXPECT_FLOAT_EQ(0.6f + 0.25f - 0.075f, placed.button_position.x());
    EXPECT_FLOAT_EQ(0.4f - 0.12f - 0.04f - 0.01f, placed.button_position.y());
    EXPECT_FLOAT_EQ(0.25f, placed.width);
    EXPECT_FLOAT_EQ(0.12f + 0.08f + 0.01f, placed.height);
    EXPECT_FLOAT_EQ(0.15f, help_button_size().x());
    EXPECT_FLOAT_EQ(0.08f, help_button_size().y());

    // The button's bottom is the box's bottom, its right end the text's.
    float const button_bottom = placed.button_position.y() - help_button_size().y() / 2.f;
    EXPECT_NEAR(0.4f - placed.height, button_bottom, 1e-6f);
    EXPECT_NEAR(0.6f + placed.width, placed.button_position.x() + help_button_size().x() / 2.f, 1e-6f);
}

// The collector's page follows the collector on screen: with the camera close
// to it, the corner asked for lies off the window, and a help that takes every
// input would hide the only way on.
TEST(Help_layout, every_page_and_its_button_stay_inside_the_window_wherever_they_are_asked_for)
{
    float const nan = std::nanf("");
    // Up to the edge, within rounding.
    Eigen::AlignedBox2f const window(Eigen::Vector2f::Constant(-1e-5f), Eigen::Vector2f::Constant(1.f + 1e-5f));
    for (float aspect : {16.f / 9.f, 0.5f})
        for (Eigen::Vector2f const& asked :
             {Eigen::Vector2f(-0.8f, 0.5f), Eigen::Vector2f(1.4f, 1.6f), Eigen::Vector2f(0.5f, -0.3f),
              Eigen::Vector2f(0.9f, 0.1f), Eigen::Vector2f(nan, nan), Eigen::Vector2f(-3.f, 2.f)})
        {
            Page_placement const placed = place_page(asked.x(), asked.y(), Eigen::Vector2f(0.4f, 0.3f), aspect);
            Help_page page;
            page.x = placed.corner.x();
            page.y = placed.corner.y();
            page.width = placed.width;
            page.height = placed.height;
            Eigen::Vector2f const half_button = help_button_size() / 2.f;
            Eigen::Vector2f const button = placed.button_position.head<2>();
            EXPECT_TRUE(window.contains(help_box(page, aspect))) << asked.transpose() << ", aspect " << aspect;
            EXPECT_TRUE(window.contains(button - half_button) && window.contains(button + half_button))
                << asked.transpose() << ", aspect " << aspect;
        }

    // Too tall for the window: its text begins at the top.
    Page_placement const tall = place_page(0.2f, 0.3f, Eigen::Vector2f(0.4f, 1.2f), 1.f);
    EXPECT_FLOAT_EQ(0.99f, tall.corner.y());
    EXPECT_FLOAT_EQ(0.2f, tall.corner.x());
}

TEST(Help_layout, the_box_margin_is_as_many_pixels_up_as_across)
{
    Help_page page;
    page.x = 0.2f;
    page.y = 0.9f;
    page.width = 0.5f;
    page.height = 0.3f;
    Eigen::AlignedBox2f const box = help_box(page, 16.f / 9.f);
    EXPECT_FLOAT_EQ(0.19f, box.min().x());
    EXPECT_FLOAT_EQ(0.71f, box.max().x());
    float const margin_up = box.max().y() - page.y;
    EXPECT_NEAR(0.01f * 16.f / 9.f, margin_up, 1e-6f);
    EXPECT_NEAR(page.y - page.height - margin_up, box.min().y(), 1e-6f);
    // 1280 x 720: 12.8 pixels each way.
    EXPECT_NEAR((page.x - box.min().x()) * 1280.f, margin_up * 720.f, 1e-3f);
}

TEST(Help_layout, the_highlight_runs_once_round_a_closed_ring_in_orange)
{
    Help_page page;
    page.cx = 0.5f;
    page.cy = 0.4f;
    page.rx = 0.1f;
    page.ry = 0.2f;
    std::vector<Eigen::Vector3f> const ring = highlight_ring(page);
    ASSERT_EQ(20u, ring.size());
    EXPECT_NEAR(0.6f, ring.front().x(), 1e-6f);
    EXPECT_NEAR(0.4f, ring.front().y(), 1e-6f);
    EXPECT_NEAR(0.f, (ring.back() - ring.front()).norm(), 1e-5f);
    float length = 0.f;
    for (size_t i = 0; i < ring.size(); ++i)
    {
        Eigen::Vector3f const p = ring[i];
        EXPECT_NEAR(1.f, std::pow((p.x() - 0.5f) / 0.1f, 2.f) + std::pow((p.y() - 0.4f) / 0.2f, 2.f), 1e-4f);
        EXPECT_EQ(0.f, p.z());
        if (i > 0) length += (ring[i] - ring[i - 1]).norm();
    }

    std::srand(7);
    Curve_particle_system particles = highlight_particles(page);
    EXPECT_FLOAT_EQ(4.f * length, particles.get_duration());
    EXPECT_EQ(20u, particles.get_curve().get_points().size());
    particles.update(0.1f);
    ASSERT_FALSE(particles.get_trail_particles().empty());
    ASSERT_FALSE(particles.get_spark_particles().empty());
    for (auto const* list : {&particles.get_trail_particles(), &particles.get_spark_particles()})
    {
        Color4 const& color = list->front().color;
        EXPECT_EQ(1.f, color.r);
        EXPECT_GE(color.g, 0.2f);
        EXPECT_LE(color.g, 0.46f);
        EXPECT_FLOAT_EQ(0.05f, color.b);
    }
    EXPECT_EQ(particles.get_trail_particles().front().color.g, particles.get_spark_particles().front().color.g);
}

TEST(Help_layout, the_screen_rect_takes_the_near_corner_and_the_farther_of_two_far_ones)
{
    // x leans against y and z with it, so the corner (max.x, min.y, max.z) wins
    // across and the max corner wins up.
    std::vector<Eigen::Vector3f> asked;
    Screen_projector const project = [&asked](Eigen::Vector3f const& p) {
        asked.push_back(p);
        return Eigen::Vector2f(0.5f + p.x() / 100.f - p.y() / 1000.f, 0.5f + p.z() / 50.f + p.y() / 2000.f);
    };
    Screen_rect const rect =
        screen_rect_of_box(project, Eigen::AlignedBox3f(Eigen::Vector3f(-10, -20, -10), Eigen::Vector3f(10, 20, 10)));
    ASSERT_EQ(3u, asked.size());
    EXPECT_EQ(Eigen::Vector3f(-10, -20, -10), asked[0]);
    EXPECT_FLOAT_EQ(0.42f, rect.x0);
    EXPECT_FLOAT_EQ(0.29f, rect.y0);
    EXPECT_FLOAT_EQ(0.62f, rect.x1);
    EXPECT_FLOAT_EQ(0.71f, rect.y1);
    EXPECT_FLOAT_EQ(0.52f, rect.centre().x());
    EXPECT_FLOAT_EQ(0.5f, rect.centre().y());
    EXPECT_FLOAT_EQ(0.1f, rect.rx());
    EXPECT_FLOAT_EQ(0.21f, rect.ry());

    // Seen from behind the near corner lands right of the far ones: the half
    // sizes stay positive.
    Screen_rect const mirrored = screen_rect_of_box(
        [](Eigen::Vector3f const& p) { return Eigen::Vector2f(0.5f - p.x() / 100.f, 0.5f - p.z() / 100.f); },
        Eigen::AlignedBox3f(Eigen::Vector3f(-10, -20, -10), Eigen::Vector3f(10, 20, 10)));
    EXPECT_FLOAT_EQ(0.1f, mirrored.rx());
    EXPECT_FLOAT_EQ(0.1f, mirrored.ry());
}

TEST(Help_layout, a_level_seen_through_moves_the_last_level_on_but_never_back_or_past_the_end)
{
    EXPECT_EQ(1, last_level_after(0, 0, 11));
    EXPECT_EQ(4, last_level_after(3, 3, 11));
    EXPECT_EQ(6, last_level_after(6, 0, 11)) << "replaying an early level keeps the progress";
    EXPECT_EQ(11, last_level_after(11, 10, 11));
    EXPECT_EQ(11, last_level_after(40, 10, 11)) << "a damaged progress file is brought back in range";
    EXPECT_EQ(1, last_level_after(-3, 0, 11));
}

} // namespace
