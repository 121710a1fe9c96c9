// The off-screen targets of the play screen stop following the window where the
// GL or the memory ends; the picture is scaled up to the window from them.
#include "Play_test.h"

#include "rendering/Target_size.h"
#include "rendering/World_renderer.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

TEST(Target_size, follows_the_window_up_to_the_gl_s_limit_and_the_memory_budget_keeping_its_shape)
{
    EXPECT_EQ(QSize(1920, 1080), capped_target_size(QSize(1920, 1080), 16384));
    EXPECT_EQ(QSize(3000, 2000), capped_target_size(QSize(3000, 2000), 16384));
    EXPECT_EQ(QSize(1, 1), capped_target_size(QSize(0, 0), 16384)) << "a window not laid out yet";

    QSize const huge = capped_target_size(QSize(8000, 8000), 16384);
    EXPECT_EQ(huge.width(), huge.height());
    EXPECT_LE(qint64(huge.width()) * huge.height() * frame_target_bytes_per_pixel, frame_target_budget);
    EXPECT_GT(qint64(huge.width() + 1) * (huge.height() + 1) * frame_target_bytes_per_pixel, frame_target_budget);

    QSize const wide = capped_target_size(QSize(20000, 500), 8192);
    EXPECT_EQ(8192, wide.width());
    EXPECT_EQ(204, wide.height());
}

TEST_F(Play_test, a_huge_window_draws_its_level_from_capped_targets_filling_the_window)
{
    Main_game_screen* screen = push_play_screen();
    load_level("Level 1", false);
    driver->step_frames(2);
    screen->resize(QSize(8000, 8000));
    World_renderer const& renderer = *screen->get_renderer();
    EXPECT_LE(qint64(renderer.get_width()) * renderer.get_height() * frame_target_bytes_per_pixel, frame_target_budget);
    EXPECT_EQ(renderer.get_width(), renderer.get_height());

    // Targets of another size than the window's: the picture still covers the
    // whole window, as it does from targets of the window's own size.
    QSize const window = viewer->size();
    screen->resize(window);
    QImage const full = viewer->grabFramebuffer().scaled(32, 18, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    screen->resize(window / 2);
    QImage const scaled = viewer->grabFramebuffer().scaled(32, 18, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double difference = 0;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 32; ++x) difference += std::abs(qGray(full.pixel(x, y)) - qGray(scaled.pixel(x, y)));
    EXPECT_LT(difference / (32 * 18), 12.0);
}
