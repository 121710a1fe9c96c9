#include "gl/Frame_buffer.h"
#include "gl/Image_conversion.h"

#include "support/Capture_stdout.h"

#include <gtest/gtest.h>

TEST(Frame_buffer, pixel_x_y_lives_at_y_times_width_plus_x)
{
    Frame_buffer<float> buffer;
    buffer.resize(3, 2);
    ASSERT_EQ(6, buffer.get_count());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) buffer.set_pixel(x, y, float(10 * y + x));

    EXPECT_EQ(12.f, buffer.get_pixel(5));
    EXPECT_EQ(2.f, buffer.get_pixel(2));
    EXPECT_EQ(10.f, buffer.get_pixel(0, 1));
    Frame_buffer<float> const& read_only = buffer;
    EXPECT_EQ(11.f, read_only.get_pixel(1, 1));

    // Copies are deep.
    Frame_buffer<float> copy = buffer;
    copy.set_pixel(0, 0, -1.f);
    EXPECT_EQ(0.f, buffer.get_pixel(0));
}

// A subclass that adjusts the index forms must see the (x, y) accesses as well.
TEST(Frame_buffer, coordinate_access_dispatches_to_overridden_index_forms)
{
    struct Doubling : Frame_buffer<float>
    {
        using Frame_buffer<float>::set_pixel;
        void set_pixel(int index, float const& value) override { _pixels[index] = 2.f * value; }
    };
    Doubling buffer;
    buffer.resize(2, 2);
    static_cast<Frame_buffer<float>&>(buffer).set_pixel(1, 1, 4.f);
    EXPECT_EQ(8.f, buffer.get_pixel(3));
}

TEST(Frame_buffer, resize_zeroes_every_pixel_even_at_the_same_size)
{
    Frame_buffer<Eigen::Vector3f> vectors;
    vectors.resize(4, 4);
    for (int i = 0; i < vectors.get_count(); ++i)
    {
        ASSERT_EQ(Eigen::Vector3f::Zero(), vectors.get_pixel(i)) << "pixel " << i;
        vectors.set_pixel(i, Eigen::Vector3f(1.f, 2.f, 3.f));
    }
    vectors.resize(4, 4);
    for (int i = 0; i < vectors.get_count(); ++i) ASSERT_EQ(Eigen::Vector3f::Zero(), vectors.get_pixel(i));

    Frame_buffer<Color4> colours(2, 1);
    colours.set_pixel(1, Color4(1.f, 1.f, 1.f, 1.f));
    colours.resize(2, 1);
    EXPECT_EQ(0.f, colours.get_pixel(1).a);

    colours.resize(0, 0);
    EXPECT_EQ(0, colours.get_count());
    EXPECT_TRUE(colours.get_pixels().empty());
}

namespace
{

// 2 x 2, distinct in every channel; top row first, as QImage stores it.
QImage corner_image()
{
    QImage image(2, 2, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(10, 20, 30, 40));     // top left
    image.setPixel(1, 0, qRgba(50, 60, 70, 80));     // top right
    image.setPixel(0, 1, qRgba(90, 100, 110, 120));  // bottom left
    image.setPixel(1, 1, qRgba(130, 140, 150, 255)); // bottom right
    return image;
}

} // namespace

TEST(Image_conversion, rows_flip_so_the_bottom_row_comes_first)
{
    Frame_buffer<Color4> const rgba = convert<Color4>(corner_image());
    ASSERT_EQ(2, rgba.get_width());
    ASSERT_EQ(2, rgba.get_height());
    EXPECT_FLOAT_EQ(90.f / 255.f, rgba.get_pixel(0).r);
    EXPECT_FLOAT_EQ(120.f / 255.f, rgba.get_pixel(0).a);
    EXPECT_FLOAT_EQ(130.f / 255.f, rgba.get_pixel(1, 0).r);
    EXPECT_FLOAT_EQ(10.f / 255.f, rgba.get_pixel(0, 1).r);
    EXPECT_FLOAT_EQ(80.f / 255.f, rgba.get_pixel(3).a);

    Frame_buffer<Color> const rgb = convert<Color>(corner_image().convertToFormat(QImage::Format_RGB32));
    EXPECT_FLOAT_EQ(100.f / 255.f, rgb.get_pixel(0).g);
    EXPECT_FLOAT_EQ(70.f / 255.f, rgb.get_pixel(3).b);
}

TEST(Image_conversion, image_survives_the_trip_through_a_buffer)
{
    QImage const original = corner_image();
    QImage const back = convert_to_qimage(convert<Color4>(original));
    ASSERT_EQ(original.size(), back.size());
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) EXPECT_EQ(original.pixel(x, y), back.pixel(x, y)) << x << ", " << y;
}

TEST(Image_conversion, buffer_index_zero_becomes_the_bottom_left_pixel)
{
    Frame_buffer<Color4> buffer(2, 2);
    buffer.set_pixel(0, Color4(1.f, 0.f, 0.f, 0.5f));
    buffer.set_pixel(3, Color4(0.f, 0.f, 1.f, 1.f));
    QImage const image = convert_to_qimage(buffer);
    EXPECT_EQ(qRgba(255, 0, 0, 128), image.pixel(0, 1));
    EXPECT_EQ(qRgba(0, 0, 255, 255), image.pixel(1, 0));
    EXPECT_EQ(qRgba(0, 0, 0, 0), image.pixel(1, 1));
}

TEST(Image_conversion, null_image_gives_an_empty_buffer_and_one_message)
{
    Capture_stdout out;
    Frame_buffer<Color4> const rgba = convert<Color4>(QImage());
    EXPECT_EQ("convert Could not convert image, image is empty.\n", out.text());
    EXPECT_EQ(0, rgba.get_width());
    EXPECT_EQ(0, rgba.get_height());
    EXPECT_EQ(0, rgba.get_count());
    EXPECT_EQ(0, convert<Color>(QImage()).get_count());
}
