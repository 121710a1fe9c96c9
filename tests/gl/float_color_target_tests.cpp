#include "gl/Float_color_target.h"

#include "support/Gl_test.h"

#include <QOpenGLContext>

class Float_color_target_test : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        _core.initializeOpenGLFunctions();
        _core.glGenFramebuffers(1, &_framebuffer);
        _core.glBindFramebuffer(GL_FRAMEBUFFER, _framebuffer);
    }

    void TearDown() override
    {
        if (!_framebuffer) return;
        _core.glBindFramebuffer(GL_FRAMEBUFFER, 0);
        _core.glDeleteFramebuffers(1, &_framebuffer);
    }

    QOpenGLFunctions_3_3_Core _core;
    GLuint _framebuffer = 0;
};

TEST_F(Float_color_target_test, falls_back_to_the_next_format_when_one_cannot_be_rendered_to)
{
    // A depth format is never colour-renderable.
    Float_color_target const target = attach_float_color_target(_core, 64, {GL_DEPTH_COMPONENT32F, GL_RGBA32F});
    ASSERT_NE(0u, target.texture);
    EXPECT_EQ(GL_RGBA32F, target.internal_format);
    EXPECT_EQ(GLenum(GL_FRAMEBUFFER_COMPLETE), _core.glCheckFramebufferStatus(GL_FRAMEBUFFER));
    GLint attached = 0;
    _core.glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                                GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &attached);
    EXPECT_EQ(GLint(target.texture), attached);
    EXPECT_EQ(GLenum(GL_NO_ERROR), _core.glGetError());
    _core.glDeleteTextures(1, &target.texture);

    Float_color_target const none = attach_float_color_target(_core, 64, {GL_DEPTH_COMPONENT32F});
    EXPECT_EQ(0u, none.texture);
    EXPECT_EQ(0, none.internal_format);
}
