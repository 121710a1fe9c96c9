#include "app/Color_picker.h"
#include "app/Drawing_2d.h"

#include <QGLViewer/camera.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{

TEST(Picking_rules, an_index_round_trips_through_its_colour_only_when_opaque_and_in_the_list)
{
    for (int index : {0, 1, 255, 256, 0x123456, 0xffffff})
    {
        Eigen::Vector3f const color = picking_color(index);
        std::array<unsigned char, 4> const rgba{(unsigned char)std::lround(color.x() * 255.f),
                                                (unsigned char)std::lround(color.y() * 255.f),
                                                (unsigned char)std::lround(color.z() * 255.f), 255};
        EXPECT_EQ(picked_index(rgba, 0x1000000), index);
    }
    EXPECT_EQ(picked_index({0, 0, 3, 254}, 10), -1); // blended or cleared pixels name nothing
    EXPECT_EQ(picked_index({0, 0, 0, 0}, 10), -1);
    EXPECT_EQ(picked_index({0, 0, 9, 255}, 10), 9);
    EXPECT_EQ(picked_index({0, 0, 10, 255}, 10), -1);
    EXPECT_EQ(picked_index({0, 1, 0, 255}, 10), -1);
}

TEST(Picking_rules, every_fraction_falls_on_a_pixel_of_the_target)
{
    struct Case
    {
        float fraction;
        int pixel;
    };
    float const nan = std::numeric_limits<float>::quiet_NaN();
    for (Case const& c : {Case{0.f, 0}, Case{0.5f, 512}, Case{0.9999f, 1023}, Case{1.f, 1023}, Case{1.5f, 1023},
                          Case{-0.2f, 0}, Case{nan, 0}, Case{1e30f, 1023}})
        EXPECT_EQ(target_pixel(c.fraction, 1024), c.pixel) << c.fraction;
}

TEST(Screen_projection, the_point_the_camera_looks_at_lies_in_the_middle_with_y_up)
{
    qglviewer::Camera camera;
    camera.setScreenWidthAndHeight(1280, 720);
    camera.setPosition(qglviewer::Vec(0.0, -100.0, 0.0));
    camera.lookAt(qglviewer::Vec(0.0, 0.0, 0.0));
    camera.setUpVector(qglviewer::Vec(0.0, 0.0, 1.0));
    // What the viewer does before every frame.
    camera.computeProjectionMatrix();
    camera.computeModelViewMatrix();

    Eigen::Vector2f const centre = project_to_screen(camera, Eigen::Vector3f::Zero());
    EXPECT_NEAR(centre.x(), 0.5f, 1e-4f);
    EXPECT_NEAR(centre.y(), 0.5f, 1e-4f);
    // Up in the world is up on the screen.
    EXPECT_GT(project_to_screen(camera, Eigen::Vector3f(0.f, 0.f, 10.f)).y(), 0.5f);
}

} // namespace
