#include "gl/Color_conversion.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Color_conversion, bytes_map_to_unit_floats_and_back)
{
    Color4 const c = to_color4(qRgba(255, 0, 51, 102));
    EXPECT_FLOAT_EQ(1.f, c.r);
    EXPECT_FLOAT_EQ(0.f, c.g);
    EXPECT_FLOAT_EQ(0.2f, c.b);
    EXPECT_FLOAT_EQ(0.4f, c.a);

    Color const rgb = to_color(QColor(255, 128, 0, 7));
    EXPECT_FLOAT_EQ(1.f, rgb.r);
    EXPECT_FLOAT_EQ(128.f / 255.f, rgb.g);
    EXPECT_FLOAT_EQ(0.f, rgb.b);

    // Every byte survives the round trip through floats.
    for (int byte = 0; byte < 256; ++byte)
    {
        QColor const q = to_qcolor(to_color4(qRgba(byte, 255 - byte, byte / 2, byte)));
        ASSERT_EQ(qRgba(byte, 255 - byte, byte / 2, byte), q.rgba()) << "byte " << byte;
    }
}

TEST(Color_conversion, out_of_range_components_are_clamped_to_a_valid_colour)
{
    QColor const q = to_qcolor(Color4(1.5f, -0.25f, 0.5f, std::numeric_limits<float>::quiet_NaN()));
    ASSERT_TRUE(q.isValid());
    EXPECT_EQ(255, q.red());
    EXPECT_EQ(0, q.green());
    EXPECT_EQ(128, q.blue());
    EXPECT_EQ(0, q.alpha());
}
