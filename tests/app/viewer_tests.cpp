#include "Viewer_test.h"

#include <QGLViewer/manipulatedCameraFrame.h>
#include <QOpenGLContext>
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
