#include "support/Gl_test.h"

#include <QGLWidget>
#include <QGuiApplication>
#include <QOpenGLContext>

#ifndef GL_CONTEXT_PROFILE_MASK
#define GL_CONTEXT_PROFILE_MASK 0x9126
#endif
#ifndef GL_CONTEXT_COMPATIBILITY_PROFILE_BIT
#define GL_CONTEXT_COMPATIBILITY_PROFILE_BIT 0x00000002
#endif

QGLWidget* Gl_test::_widget = nullptr;
QOpenGLFunctions_3_3_Compatibility* Gl_test::_functions = nullptr;
std::string Gl_test::_unavailable;

void Gl_test::SetUpTestSuite()
{
    _unavailable.clear();
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
    {
        _unavailable = "no X display (platform " + QGuiApplication::platformName().toStdString() + ")";
        return;
    }

    _widget = new QGLWidget;
    _widget->makeCurrent();
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (!_widget->isValid() || !context)
    {
        _unavailable = "no OpenGL context";
        return;
    }

    _functions = context->versionFunctions<QOpenGLFunctions_3_3_Compatibility>();
    if (!_functions || !_functions->initializeOpenGLFunctions())
    {
        _unavailable = "the context offers no OpenGL 3.3 compatibility functions";
        _functions = nullptr;
        return;
    }

    GLint profile = 0;
    _functions->glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    if (!(profile & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT)) _unavailable = "the context is not a compatibility context";
}

void Gl_test::TearDownTestSuite()
{
    delete _widget;
    _widget = nullptr;
    _functions = nullptr;
}

void Gl_test::SetUp()
{
    if (!_unavailable.empty())
    {
        if (!qEnvironmentVariableIsEmpty("CI")) FAIL() << "OpenGL unavailable under CI: " << _unavailable;
        GTEST_SKIP() << "OpenGL unavailable: " << _unavailable;
    }
    _widget->makeCurrent();
}

void Gl_test::reset_fixed_function() const
{
    _functions->glUseProgram(0);
    _functions->glMatrixMode(GL_PROJECTION);
    _functions->glLoadIdentity();
    _functions->glMatrixMode(GL_MODELVIEW);
    _functions->glLoadIdentity();
}
