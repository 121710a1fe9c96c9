#include "Viewer_test.h"

#include "app/Camera_flight.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGLFormat>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QOpenGLContext>
#include <QTabWidget>
#include <QTimer>
#include <QOpenGLFunctions_3_3_Compatibility>

#include <gmock/gmock.h>

using ::testing::HasSubstr;
using ::testing::Not;

namespace
{

// Reads GL state in the viewer's own context.
struct Viewer_gl_state
{
    explicit Viewer_gl_state(QOpenGLWidget* viewer)
    {
        viewer->makeCurrent();
        auto* gl = QOpenGLContext::currentContext()->versionFunctions<QOpenGLFunctions_3_3_Compatibility>();
        gl->initializeOpenGLFunctions();
        blend = gl->glIsEnabled(GL_BLEND);
        gl->glGetIntegerv(GL_BLEND_SRC_RGB, &blend_source);
        gl->glGetIntegerv(GL_BLEND_DST_RGB, &blend_destination);
        gl->glGetFloatv(GL_COLOR_CLEAR_VALUE, clear_color);
    }

    GLboolean blend;
    GLint blend_source;
    GLint blend_destination;
    GLfloat clear_color[4];
};

} // namespace

TEST_F(Viewer_test, init_sets_up_the_window_camera_and_gl_state)
{
    EXPECT_EQ(viewer->size(), QSize(1280, 720));
    StandardCamera* camera = viewer->get_game_camera();
    EXPECT_EQ(viewer->camera(), camera);
    EXPECT_FLOAT_EQ(camera->zNear(), 10.f);
    EXPECT_FLOAT_EQ(camera->zFar(), 1000.f);
    EXPECT_EQ(camera->frame()->constraint(), viewer->get_camera_constraint());
    EXPECT_FLOAT_EQ(viewer->get_camera_constraint()->get_limit(), 195.f);
    EXPECT_NEAR((camera->upVector() - qglviewer::Vec(0, 0, 1)).norm(), 0.0, 1e-6);
    EXPECT_DOUBLE_EQ(camera->sceneRadius(), 50.0);
    EXPECT_TRUE(viewer->hasMouseTracking());
    EXPECT_EQ(viewer->backgroundColor(), QColor(Qt::white));

    Viewer_gl_state const state(viewer.get());
    EXPECT_TRUE(state.blend);
    EXPECT_EQ(state.blend_source, GL_SRC_ALPHA);
    EXPECT_EQ(state.blend_destination, GL_ONE_MINUS_SRC_ALPHA);
    for (float channel : state.clear_color) EXPECT_EQ(channel, 1.f);
}

TEST_F(Viewer_test, the_clipping_parameters_reach_the_camera_and_default_to_its_own_planes)
{
    Parameter_list& parameters = viewer->get_parameters();
    EXPECT_FLOAT_EQ(parameters["z_near"]->get_value<float>(), 10.f);
    EXPECT_FLOAT_EQ(parameters["z_far"]->get_value<float>(), 1000.f);
    EXPECT_EQ(parameters.get_sorted_parameters().size(), 9u);
    EXPECT_TRUE(parameters["global_scale"]->_hidden);
    EXPECT_FALSE(parameters["z_near"]->_hidden);
    EXPECT_EQ(parameters["Save Settings"]->_special_type, Parameter::Button);

    // Saved once with the defaults, the planes are still the camera's at the next start.
    ASSERT_TRUE(printed([&] { viewer->save_parameters(); }).find("boost_parameters_") != std::string::npos);
    ASSERT_TRUE(QFile::exists(working_directory + "/boost_parameters_"));
    viewer->get_game_camera()->set_near_far(1.f, 2.f);
    printed([&] { viewer->restore_parameters(); });
    EXPECT_FLOAT_EQ(viewer->get_game_camera()->zNear(), 10.f);
    EXPECT_FLOAT_EQ(viewer->get_game_camera()->zFar(), 1000.f);

    Parameter* z_near = parameters["z_near"];
    z_near->set_value_no_update(2.5f);
    z_near->_callback();
    Parameter* z_far = parameters["z_far"];
    z_far->set_value_no_update(400.f);
    z_far->_callback();
    EXPECT_FLOAT_EQ(viewer->get_game_camera()->zNear(), 2.5f);
    EXPECT_FLOAT_EQ(viewer->get_game_camera()->zFar(), 400.f);
}

TEST_F(Viewer_test, a_damaged_parameter_file_keeps_the_defaults_and_the_window_updating)
{
    {
        QFile file(working_directory + "/boost_parameters_");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\"?><boost_parameters_><_list><count>999999");
    }
    std::string const out = printed([&] { viewer->restore_parameters(); });
    EXPECT_THAT(out, HasSubstr("Options_viewer::restore_parameters could not read boost_parameters_"));
    EXPECT_TRUE(viewer->updatesEnabled());
    EXPECT_FLOAT_EQ(viewer->get_game_camera()->zNear(), 10.f);

    // A missing file says so and changes nothing either.
    QFile::remove(working_directory + "/boost_parameters_");
    EXPECT_THAT(printed([&] { viewer->restore_parameters(); }), HasSubstr("Parameter file not found"));
    EXPECT_TRUE(viewer->updatesEnabled());
}

TEST_F(Viewer_test, the_fonts_come_from_the_data_files)
{
    EXPECT_EQ(viewer->get_font().family(), "Source Sans Pro");
    EXPECT_EQ(viewer->get_title_font().family(), "Source Sans Pro"); // the scratch title font is a copy

    // Neither a title font file that is no font nor missing widget fonts stop the viewer.
    {
        QFile file(QString::fromStdString(data->path("fonts/Matiz.ttf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("not a font");
    }
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    std::unique_ptr<My_viewer> second;
    std::string const out = printed([&] { second = std::make_unique<My_viewer>(core.get(), QGLFormat()); });
    EXPECT_THAT(out, HasSubstr("Options_viewer::Options_viewer Couldn't load at least one font."));
    EXPECT_EQ(second->get_title_font().family(), QFont().family());
    EXPECT_EQ(second->get_font().family(), QFont().family());
    QDir::setCurrent(working_directory);
}

TEST_F(Viewer_test, a_level_change_flies_the_camera_to_frame_the_field)
{
    qglviewer::Vec const start = viewer->camera()->position();
    printed([&] { core->reset_level_data(); });
    viewer->finish_camera_flight();

    qglviewer::Frame const target =
        camera_flight_target(core->get_level_data(), viewer->camera()->screenWidth(), viewer->camera()->screenHeight());
    EXPECT_NEAR((viewer->camera()->position() - target.position()).norm(), 0.0, 1e-3);
    EXPECT_NEAR((viewer->camera()->viewDirection() - qglviewer::Vec(0, 1, 0)).norm(), 0.0, 1e-4);
    EXPECT_GT((target.position() - start).norm(), 1.0);
}

TEST_F(Viewer_test, a_level_without_borders_leaves_the_camera_where_it_is)
{
    qglviewer::Vec const start = viewer->camera()->position();
    std::string const out = printed([&] {
        core->clear();
        core->reset_level(false);
    });
    EXPECT_THAT(out, HasSubstr("My_viewer::fly_camera the level has no game field borders"));
    viewer->finish_camera_flight();
    EXPECT_NEAR((viewer->camera()->position() - start).norm(), 0.0, 1e-9);
}

TEST_F(Viewer_test, camera_controls_can_be_switched_off_and_on)
{
    viewer->disable_camera_controls();
    EXPECT_EQ(viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::LeftButton), QGLViewer::NO_MOUSE_ACTION);
    EXPECT_EQ(viewer->wheelAction(Qt::Key(0), Qt::NoModifier), QGLViewer::NO_MOUSE_ACTION);
    viewer->enable_camera_controls();
    EXPECT_EQ(viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::LeftButton), QGLViewer::ROTATE);
    EXPECT_EQ(viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::RightButton), QGLViewer::TRANSLATE);
    EXPECT_EQ(viewer->mouseAction(Qt::Key(0), Qt::NoModifier, Qt::MiddleButton), QGLViewer::ZOOM);
    EXPECT_EQ(viewer->wheelAction(Qt::Key(0), Qt::NoModifier), QGLViewer::ZOOM);
}

TEST_F(Viewer_test, closing_the_window_ends_the_game_even_with_the_help_window_open)
{
    auto const help_window_shown = [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<QTabWidget*>(window) && window->isVisible()) return true;
        return false;
    };
    EXPECT_TRUE(run_until_quit([&] {
        viewer->help();
        EXPECT_TRUE(help_window_shown());
        viewer->quit();
    }));
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_FALSE(help_window_shown());
    // The library's own state file is not written on the way out.
    EXPECT_FALSE(QFile::exists(working_directory + "/.qglviewer.xml"));
}
