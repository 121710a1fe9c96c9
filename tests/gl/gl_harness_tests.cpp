#include "support/Gl_test.h"

#include <array>

#ifndef GL_CONTEXT_PROFILE_MASK
#define GL_CONTEXT_PROFILE_MASK 0x9126
#endif

class Gl_harness : public Gl_test
{
};

TEST_F(Gl_harness, context_is_compatibility_at_least_3_3)
{
    GLint major = 0, minor = 0, profile = 0;
    gl()->glGetIntegerv(GL_MAJOR_VERSION, &major);
    gl()->glGetIntegerv(GL_MINOR_VERSION, &minor);
    gl()->glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);

    EXPECT_GE(major * 10 + minor, 33);
    EXPECT_TRUE(profile & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT);
}

// The force pass and the scene targets depend on unclamped float colour targets.
TEST_F(Gl_harness, float_target_keeps_values_outside_zero_to_one)
{
    auto* f = gl();
    GLuint texture = 0, framebuffer = 0;
    f->glGenTextures(1, &texture);
    f->glBindTexture(GL_TEXTURE_2D, texture);
    f->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB32F, 4, 4, 0, GL_RGB, GL_FLOAT, nullptr);
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    f->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);

    f->glGenFramebuffers(1, &framebuffer);
    f->glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    f->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    ASSERT_EQ(GLenum(GL_FRAMEBUFFER_COMPLETE), f->glCheckFramebufferStatus(GL_FRAMEBUFFER));

    std::array<float, 3> const colour{{-2.5f, 0.125f, 1234.75f}};
    f->glClampColor(GL_CLAMP_READ_COLOR, GL_FALSE);
    f->glViewport(0, 0, 4, 4);
    f->glClearColor(colour[0], colour[1], colour[2], 1.f);
    f->glClear(GL_COLOR_BUFFER_BIT);

    std::array<float, 4 * 4 * 3> pixels;
    pixels.fill(0.f);
    f->glReadPixels(0, 0, 4, 4, GL_RGB, GL_FLOAT, pixels.data());
    for (size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(colour[i % 3], pixels[i]) << "component " << i;

    f->glBindFramebuffer(GL_FRAMEBUFFER, 0);
    f->glDeleteFramebuffers(1, &framebuffer);
    f->glDeleteTextures(1, &texture);
    EXPECT_EQ(GLenum(GL_NO_ERROR), f->glGetError());
}
