#include "app/Camera_flight.h"
#include "app/Game_camera_constraint.h"
#include "app/Screenshot.h"
#include "app/StandardCamera.h"
#include "simulation/Level_data.h"

#include "support/Capture_stdout.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

TEST(Camera_flight, frames_a_100_by_50_by_60_field_from_in_front_looking_along_y)
{
    Capture_stdout quiet;
    Level_data level;
    level.rebuild_game_field_borders(Eigen::Vector3f(-50, -25, -30), Eigen::Vector3f(50, 25, 30));
    ASSERT_TRUE(level.has_game_field_borders());

    qglviewer::Frame const target = camera_flight_target(level, 1280, 720);
    EXPECT_NEAR(target.position().x, 0.0, 1e-3);
    EXPECT_NEAR(target.position().y, -141.288, 1e-3);
    EXPECT_NEAR(target.position().z, 0.0, 1e-3);

    // A camera looks along its -z with its y up.
    qglviewer::Vec const view = target.inverseTransformOf(qglviewer::Vec(0, 0, -1));
    qglviewer::Vec const up = target.inverseTransformOf(qglviewer::Vec(0, 1, 0));
    EXPECT_NEAR((view - qglviewer::Vec(0, 1, 0)).norm(), 0.0, 1e-6);
    EXPECT_NEAR((up - qglviewer::Vec(0, 0, 1)).norm(), 0.0, 1e-6);

    // A field off centre in z is framed at its middle height; a wide one from further back.
    level.rebuild_game_field_borders(Eigen::Vector3f(-200, -10, 0), Eigen::Vector3f(200, 10, 20));
    qglviewer::Frame const wide = camera_flight_target(level, 1280, 720);
    EXPECT_NEAR(wide.position().z, 10.0, 1e-4);
    EXPECT_NEAR(wide.position().y, -(450.0 * 0.5 / std::tan(M_PI / 4)) - 10.0, 1e-3);
}

TEST(Game_camera_constraint, keeps_the_position_inside_the_cube)
{
    Game_camera_constraint constraint(195.f);
    qglviewer::Frame frame;
    qglviewer::Vec translation(300, 10, 0);
    constraint.constrainTranslation(translation, &frame);
    EXPECT_NEAR((translation - qglviewer::Vec(195, 10, 0)).norm(), 0.0, 1e-9);

    frame.setPosition(qglviewer::Vec(190, -190, 0));
    translation = qglviewer::Vec(3, -20, -400);
    constraint.constrainTranslation(translation, &frame);
    EXPECT_NEAR((translation - qglviewer::Vec(3, -5, -195)).norm(), 0.0, 1e-9);

    // Through the frame's own constrained moves as well.
    frame.setConstraint(&constraint);
    frame.translate(qglviewer::Vec(50, 0, 0));
    EXPECT_NEAR(frame.position().x, 195.0, 1e-9);
}

TEST(StandardCamera, keeps_its_clipping_planes_whatever_the_scene_radius)
{
    StandardCamera camera(10.f, 1000.f);
    camera.setSceneRadius(3.0);
    EXPECT_FLOAT_EQ(camera.zNear(), 10.f);
    EXPECT_FLOAT_EQ(camera.zFar(), 1000.f);
    camera.set_near_far(0.5f, 20.f);
    camera.setSceneRadius(5000.0);
    EXPECT_FLOAT_EQ(camera.zNear(), 0.5f);
    EXPECT_FLOAT_EQ(camera.zFar(), 20.f);
}

TEST(Screenshot, takes_the_first_free_three_digit_name)
{
    QTemporaryDir directory;
    QString const first = directory.path() + "/qglviewer_screenshot-000.png";
    EXPECT_EQ(next_screenshot_path(directory.path()), first);

    for (char const* taken : {"000", "001", "003"})
    {
        QFile file(directory.path() + "/qglviewer_screenshot-" + taken + ".png");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    EXPECT_EQ(next_screenshot_path(directory.path()), directory.path() + "/qglviewer_screenshot-002.png");
}

TEST(Screenshot, a_save_that_fails_says_why)
{
    QString error;
    QImage image(4, 4, QImage::Format_RGBA8888);
    image.fill(Qt::red);
    EXPECT_FALSE(save_screenshot(image, "/nonexistent-directory/qglviewer_screenshot-000.png", error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(save_screenshot(QImage(), "/tmp/unused.png", error));
}
