#include "rendering/Element_looks.h"
#include "simulation/Color_palette.h"

#include <gtest/gtest.h>

namespace
{

void expect_color(Color const& expected, Color const& actual)
{
    EXPECT_NEAR(expected.r, actual.r, 1e-6f);
    EXPECT_NEAR(expected.g, actual.g, 1e-6f);
    EXPECT_NEAR(expected.b, actual.b, 1e-6f);
}

} // namespace

TEST(Element_looks, heating_boxes_are_red_cooling_boxes_blue_and_neutral_ones_magenta)
{
    expect_color(Color(1.f, 0.f, 0.f), brownian_color(50.f));
    expect_color(Color(1.f, 0.f, 0.f), brownian_color(120.f));
    expect_color(Color(0.5f, 0.f, 0.5f), brownian_color(0.f));
    expect_color(Color(0.f, 0.f, 1.f), brownian_color(-50.f));
    expect_color(Color(0.f, 0.f, 1.f), brownian_color(-80.f));
}

TEST(Element_looks, charged_barriers_lean_from_grey_towards_the_colour_of_their_charge)
{
    expect_color(Color(0.8f, 0.8f, 0.8f), charged_barrier_color(0.f));
    expect_color(color_palette()[6], charged_barrier_color(50.f));
    expect_color(color_palette()[7], charged_barrier_color(-50.f));
    Color const& positive = color_palette()[6];
    expect_color(Color(0.72f + 0.1f * positive.r, 0.72f + 0.1f * positive.g, 0.72f + 0.1f * positive.b),
                 charged_barrier_color(5.f));
    // Beyond 50 the charge colour stays pure; the grey never turns negative.
    expect_color(color_palette()[7], charged_barrier_color(-500.f));
}

TEST(Element_looks, a_capture_gauge_has_one_cell_per_required_molecule_filled_as_they_arrive)
{
    EXPECT_TRUE(gauge_cells(0, 0).empty());
    EXPECT_TRUE(gauge_cells(-3, 0).empty());

    std::vector<Gauge_cell> const cells = gauge_cells(4, 1);
    ASSERT_EQ(4u, cells.size());
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_FLOAT_EQ(i * 0.25f, cells[i].bottom);
        EXPECT_FLOAT_EQ(i * 0.25f + 0.225f, cells[i].top);
        EXPECT_EQ(i < 1, cells[i].filled);
    }
    for (Gauge_cell const& cell : gauge_cells(3, 7)) EXPECT_TRUE(cell.filled);

    Color4 const filled = gauge_cell_color(true);
    Color4 const empty = gauge_cell_color(false);
    EXPECT_FLOAT_EQ(0.7f, filled.g);
    EXPECT_FLOAT_EQ(0.8f, filled.a);
    EXPECT_FLOAT_EQ(0.5f, empty.g);
    EXPECT_FLOAT_EQ(0.6f, empty.a);
}

TEST(Element_looks, ring_gauge_arcs_are_finer_for_few_molecules_but_never_a_single_step)
{
    EXPECT_EQ(57, ring_arc_steps(1));   // 64 x 0.9
    EXPECT_EQ(5, ring_arc_steps(10));   // 64 x 0.9 / 10
    EXPECT_EQ(5, ring_arc_steps(100));  // 600 x 0.9 / 100
    EXPECT_EQ(5, ring_arc_steps(1000)); // 6000 x 0.9 / 1000
}

TEST(Element_looks, the_release_arrow_pulses_with_the_cycle_and_goes_once_everything_is_released)
{
    EXPECT_FALSE(release_arrow(10, 10, 0.3f, 8.f));
    EXPECT_FALSE(release_arrow(12, 10, 0.3f, 8.f));
    EXPECT_FALSE(release_arrow(0, 0, 0.3f, 8.f));

    // At the start of the cycle the arrow sits at the centre, full length.
    std::optional<Release_arrow> const start = release_arrow(0, 10, 0.f, 8.f);
    ASSERT_TRUE(start);
    EXPECT_FLOAT_EQ(0.f, start->from_x);
    EXPECT_FLOAT_EQ(12.f, start->to_x);
    EXPECT_FLOAT_EQ(0.2f, start->head);

    // Half way it reaches the box's edge; half the molecules gone, it is shorter.
    std::optional<Release_arrow> const middle = release_arrow(5, 10, 0.5f, 8.f);
    ASSERT_TRUE(middle);
    EXPECT_FLOAT_EQ(4.f, middle->from_x);
    EXPECT_FLOAT_EQ(11.f, middle->to_x);
    EXPECT_FLOAT_EQ(0.7f, middle->head);

    // A quarter of the way the in-out easing is at half.
    std::optional<Release_arrow> const quarter = release_arrow(0, 10, 0.25f, 8.f);
    ASSERT_TRUE(quarter);
    EXPECT_FLOAT_EQ(2.f, quarter->from_x);
}
