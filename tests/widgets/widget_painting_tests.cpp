#include "widgets/Application_font.h"
#include "widgets/Draggable_statistics.h"
#include "widgets/Widget_painting.h"

#include "support/Capture_stdout.h"
#include "support/Scratch_data_tree.h"
#include "support/Vector_expect.h"

#include <QFile>
#include <QFontDatabase>
#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace
{

QFont game_font()
{
    static int const id = QFontDatabase::addApplicationFont(TEST_FIXTURE_DIR "/../data/fonts/Matiz.ttf");
    QStringList const families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QFont() : QFont(families.front());
}

bool is_white(QRgb pixel)
{
    return qAlpha(pixel) > 150 && qRed(pixel) > 200 && qGreen(pixel) > 200 && qBlue(pixel) > 200;
}

int count_pixels(QImage const& image, QRect const& area, std::function<bool(QRgb)> const& test)
{
    int count = 0;
    QRect const inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

int lit_pixels(QImage const& image, QRect const& area)
{
    return count_pixels(image, area, [](QRgb p) { return qAlpha(p) > 0; });
}

int leftmost_white_column(QImage const& image, QRect const& area)
{
    for (int x = area.left(); x <= area.right(); ++x)
        if (count_pixels(image, QRect(x, area.top(), 1, area.height()), is_white) > 0) return x;
    return -1;
}

QSize const viewport(1000, 500);

} // namespace

TEST(Button_painting, frames_the_widget_area_with_its_text_inside)
{
    QImage const button = paint_button(viewport, Eigen::Vector2f(0.2f, 0.1f), "Start Level", game_font());
    ASSERT_EQ(QSize(200, 50), button.size());
    EXPECT_EQ(QImage::Format_ARGB32, button.format());

    QRgb const frame = button.pixel(100, 5);
    EXPECT_EQ(qRgba(20, 133, 204, 255), frame);
    for (QPoint const corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 49), QPoint(199, 49)})
        EXPECT_EQ(0, qAlpha(button.pixel(corner))) << corner.x() << ", " << corner.y();
    EXPECT_EQ(qRgba(76, 153, 204, 120), button.pixel(100, 9));
    EXPECT_GT(count_pixels(button, QRect(20, 10, 160, 30), is_white), 20);

    QImage const empty = paint_button(viewport, Eigen::Vector2f(0.2f, 0.1f), "", game_font());
    EXPECT_EQ(frame, empty.pixel(100, 5));
    EXPECT_EQ(0, count_pixels(empty, empty.rect(), is_white));

    EXPECT_EQ(QSize(1, 1), paint_button(viewport, Eigen::Vector2f::Zero(), "x", game_font()).size());
}

TEST(Label_painting, fits_the_text_with_the_given_alignment)
{
    QImage const left =
        paint_label(viewport, Eigen::Vector2f(0.4f, 0.1f), "Score", game_font(), Qt::AlignLeft | Qt::AlignVCenter);
    QImage const right =
        paint_label(viewport, Eigen::Vector2f(0.4f, 0.1f), "Score", game_font(), Qt::AlignRight | Qt::AlignVCenter);
    ASSERT_EQ(QSize(400, 50), left.size());
    EXPECT_GT(lit_pixels(left, QRect(0, 0, 100, 50)), 0);
    EXPECT_EQ(0, lit_pixels(left, QRect(350, 0, 50, 50)));
    EXPECT_EQ(0, lit_pixels(right, QRect(0, 0, 50, 50)));
    EXPECT_EQ(0, lit_pixels(paint_label(viewport, Eigen::Vector2f(0.4f, 0.1f), "", game_font(), Qt::AlignCenter),
                            QRect(0, 0, 400, 50)));
}

TEST(Flowing_text_painting, wraps_and_crops_to_the_text)
{
    QSize const screen(1000, 800);
    QImage const line = paint_flowing_text(screen, 0.5f, "Heat the water.", game_font());
    QImage const text = paint_flowing_text(
        screen, 0.5f,
        "Molecules move faster where it is warm. Place a heating box below the portal and watch the water "
        "molecules rise towards it.",
        game_font());

    EXPECT_LT(line.width(), 500 - 61 + 6);
    EXPECT_LT(line.height(), 60);
    EXPECT_LE(text.width(), 500 - 61 + 6);
    EXPECT_GT(text.height(), 3 * line.height() / 2);
    EXPECT_LT(text.height(), 400);
    for (QImage const* image : {&line, &text})
    {
        EXPECT_EQ(0, lit_pixels(*image, QRect(0, 0, 2, image->height())));
        EXPECT_EQ(0, lit_pixels(*image, QRect(0, 0, image->width(), 2)));
        EXPECT_GT(lit_pixels(*image, image->rect()), 100);
    }
    expect_near(Eigen::Vector3f(line.width() / 1000.f, line.height() / 800.f, 0.f),
                Eigen::Vector3f(fraction_of_viewport(line.size(), screen).x(),
                                fraction_of_viewport(line.size(), screen).y(), 0.f));

    QImage const tooltip = paint_tooltip_text(screen, "Drag to move the box", game_font());
    EXPECT_LE(tooltip.width(), 300 - 61 + 6);
    EXPECT_GT(lit_pixels(tooltip, tooltip.rect()), 50);
}

TEST(Tooltip_placement, goes_below_unless_that_leaves_the_screen_and_keeps_off_the_sides)
{
    Eigen::Vector3f const offset(0.05f, 0.05f, 0.f);
    Eigen::Vector2f const size(0.2f, 0.1f);
    expect_near(Eigen::Vector3f(0.5f, 0.415f, 0.f), tooltip_position(Eigen::Vector3f(0.5f, 0.5f, 0.f), offset, size),
                1e-6f);
    expect_near(Eigen::Vector3f(0.5f, 0.185f, 0.f), tooltip_position(Eigen::Vector3f(0.5f, 0.1f, 0.f), offset, size),
                1e-6f);
    EXPECT_FLOAT_EQ(0.15f, tooltip_position(Eigen::Vector3f(0.01f, 0.5f, 0.f), offset, size).x());
    EXPECT_FLOAT_EQ(0.85f, tooltip_position(Eigen::Vector3f(0.99f, 0.5f, 0.f), offset, size).x());
    EXPECT_FLOAT_EQ(0.5f, tooltip_position(Eigen::Vector3f(0.9f, 0.5f, 0.f), offset, Eigen::Vector2f(1.f, 0.1f)).x());
}

TEST(Statistics_painting, draws_grid_numbers_and_the_time_limit_curve)
{
    QSize const screen(1000, 1000);
    Draggable_statistics plot(Eigen::Vector3f(0.5f, 0.5f, 0.f), Eigen::Vector2f(0.5f, 0.4f), "Collected Molecules");
    plot.init_particles({0.f, 4.f, 10.f});

    QImage const with_limit = paint_statistics(screen, plot, 100.f, 50.f, game_font());
    ASSERT_EQ(QSize(500, 400), with_limit.size());
    auto const brightness = [&with_limit](int y) { return qRed(with_limit.pixel(250, y)); };
    for (int y : {340, 280, 220, 160})
        EXPECT_GT(std::max(brightness(y - 1), brightness(y)), brightness(310) + 5) << "grid line at " << y;

    auto const greenish = [](QRgb p) { return qGreen(p) > qBlue(p) + 30 && qGreen(p) > qRed(p); };
    auto const orangeish = [](QRgb p) { return qRed(p) > qGreen(p) + 15 && qRed(p) > qBlue(p) + 60; };
    EXPECT_GT(count_pixels(with_limit, QRect(50, 95, 100, 10), greenish), 10);
    EXPECT_GT(count_pixels(with_limit, QRect(430, 240, 20, 20), orangeish), 3);
    QImage const without_limit = paint_statistics(screen, plot, 100.f, 0.f, game_font());
    EXPECT_EQ(0, count_pixels(without_limit, without_limit.rect(), greenish));
    EXPECT_EQ(0, count_pixels(without_limit, without_limit.rect(), orangeish));

    QRect const min_box(0, 320, 50, 40), max_box(0, 80, 50, 40), duration_box(400, 340, 50, 40);
    EXPECT_GT(count_pixels(without_limit, min_box, is_white), 0);
    EXPECT_GT(count_pixels(without_limit, max_box, is_white), 0);
    EXPECT_GT(count_pixels(without_limit, duration_box, is_white), 0);
    EXPECT_GT(count_pixels(without_limit, QRect(50, 30, 200, 35), is_white), 20); // the title

    plot.set_value_format(Draggable_statistics::Percentage);
    QImage const percentage = paint_statistics(screen, plot, 100.f, 0.f, game_font());
    EXPECT_LT(leftmost_white_column(percentage, max_box), leftmost_white_column(without_limit, max_box));

    plot.set_value_format(Draggable_statistics::No_numbers);
    QImage const no_numbers = paint_statistics(screen, plot, 100.f, 0.f, game_font());
    EXPECT_EQ(0, count_pixels(no_numbers, min_box, is_white));
    EXPECT_EQ(0, count_pixels(no_numbers, max_box, is_white));
    EXPECT_GT(count_pixels(no_numbers, duration_box, is_white), 0);
}

TEST(Digit_painting, crops_each_glyph_with_a_clear_border_at_any_size)
{
    for (int viewport_width : {400, 1920, 4000})
    {
        for (int digit : {0, 1, 8})
        {
            QImage const image = paint_digit(digit, game_font(), viewport_width);
            int const w = image.width(), h = image.height();
            EXPECT_EQ(0, lit_pixels(image, QRect(0, 0, w, 2)));
            EXPECT_EQ(0, lit_pixels(image, QRect(0, h - 2, w, 2)));
            EXPECT_EQ(0, lit_pixels(image, QRect(0, 0, 2, h)));
            EXPECT_EQ(0, lit_pixels(image, QRect(w - 2, 0, 2, h)));
            EXPECT_GT(lit_pixels(image, image.rect()), 10);
        }
    }
    // Point size 200 at 4000 pixels: far taller than a 100-pixel scratch image.
    EXPECT_GT(paint_digit(8, game_font(), 4000).height(), 150);
}

TEST(Application_font, comes_from_the_data_file_or_falls_back_to_the_default)
{
    Scratch_data_tree data;
    EXPECT_THROW(load_application_font("fonts/Matiz.ttf", "test"), std::runtime_error);

    data.copy_from_game("fonts/Matiz.ttf");
    EXPECT_NE(QFont().family(), load_application_font("fonts/Matiz.ttf", "test").family());

    // A file Qt cannot read as a font leaves the default font, with a message.
    QFile broken(data.data_directory() + "/fonts/Broken.ttf");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a font");
    broken.close();
    Capture_stdout out;
    EXPECT_EQ(QFont().family(), load_application_font("fonts/Broken.ttf", "Ui_renderer::init").family());
    EXPECT_NE(std::string::npos, out.text().find("Ui_renderer::init could not register the font"));
}
