#ifndef TESTS_GL_TEST_H
#define TESTS_GL_TEST_H

#include <QOpenGLFunctions_3_3_Compatibility>

#include <gtest/gtest.h>

#include <string>

class QGLWidget;

// Makes a compatibility context current through a hidden widget. Without a
// display the test is skipped, except under CI, where that is a failure.
class Gl_test : public ::testing::Test
{
public:
    static void SetUpTestSuite();
    static void TearDownTestSuite();

protected:
    void SetUp() override;

    QOpenGLFunctions_3_3_Compatibility* gl() const { return _functions; }
    // No program, and identity projection and modelview matrices (modelview current).
    void reset_fixed_function() const;
    QGLWidget* widget() const { return _widget; }

private:
    static QGLWidget* _widget;
    static QOpenGLFunctions_3_3_Compatibility* _functions;
    static std::string _unavailable;
};

#endif
