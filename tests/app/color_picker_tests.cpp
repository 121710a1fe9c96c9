#include "app/Color_picker.h"
#include "app/Drawing_2d.h"
#include "gl/GL_utilities.h"

#include "support/Capture_stdout.h"
#include "support/Gl_test.h"

#include <QGLWidget>
#include <QOffscreenSurface>
#include <QOpenGLContext>

#include <GL/gl.h>

#include <array>
#include <memory>

namespace
{

// Quads in the 2D mode, each in the colour of its index.
struct Quad
{
    float left, bottom, right, top;
};

class Color_picking : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Capture_stdout quiet;
        picker = std::make_unique<Color_picker>();
    }

    void TearDown() override
    {
        if (!gl()) return;
        picker.reset();
        EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
    }

    int pick(float x, float y, std::vector<Quad> const& quads, int count = -1)
    {
        return picker->pick(
            x, y,
            [&] {
                EXPECT_TRUE(picker->is_active());
                begin_2d_drawing();
                for (size_t i = 0; i < quads.size(); ++i)
                {
                    picker->set_index_color(int(i));
                    Quad const& q = quads[i];
                    glBegin(GL_QUADS);
                    glVertex2f(q.left, q.bottom);
                    glVertex2f(q.right, q.bottom);
                    glVertex2f(q.right, q.top);
                    glVertex2f(q.left, q.top);
                    glEnd();
                }
                end_2d_drawing();
            },
            count < 0 ? int(quads.size()) : count);
    }

    std::unique_ptr<Color_picker> picker;
};

TEST_F(Color_picking, the_quad_under_the_point_names_itself_and_a_point_beside_every_quad_gives_none)
{
    std::vector<Quad> const quads{{0.1f, 0.1f, 0.4f, 0.4f}, {0.6f, 0.6f, 0.9f, 0.9f}, {0.6f, 0.1f, 0.9f, 0.4f}};
    EXPECT_EQ(pick(0.25f, 0.25f, quads), 0);
    EXPECT_EQ(pick(0.75f, 0.75f, quads), 1);
    EXPECT_EQ(pick(0.75f, 0.25f, quads), 2);
    EXPECT_EQ(pick(0.5f, 0.5f, quads), -1);
    EXPECT_FALSE(picker->is_active());

    // Indices past the pickables the caller knows of name nothing.
    EXPECT_EQ(pick(0.75f, 0.25f, quads, 2), -1);

    // Hundreds of pickables use the green byte as well.
    std::vector<Quad> many(300, Quad{0.f, 0.f, 0.f, 0.f});
    many[299] = {0.4f, 0.4f, 0.6f, 0.6f};
    EXPECT_EQ(pick(0.5f, 0.5f, many), 299);
}

TEST_F(Color_picking, the_window_s_top_row_and_points_outside_it_read_inside_the_target)
{
    // Quads along the top edge and in the corners.
    std::vector<Quad> const quads{{0.f, 0.99f, 1.f, 1.f}, {0.99f, 0.f, 1.f, 0.01f}, {0.f, 0.f, 0.01f, 0.01f}};
    EXPECT_EQ(pick(0.5f, 1.f, quads), 0);
    EXPECT_EQ(pick(0.5f, 1.7f, quads), 0);
    EXPECT_EQ(pick(1.f, 0.f, quads), 1);
    EXPECT_EQ(pick(2.5f, -0.4f, quads), 1);
    EXPECT_EQ(pick(-3.f, -3.f, quads), 2);
}

TEST_F(Color_picking, the_caller_s_viewport_framebuffer_program_blend_and_clear_colour_are_kept)
{
    GLuint framebuffer = 0;
    gl()->glGenFramebuffers(1, &framebuffer);
    GLuint texture = 0;
    gl()->glGenTextures(1, &texture);
    gl()->glBindTexture(GL_TEXTURE_2D, texture);
    gl()->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl()->glBindTexture(GL_TEXTURE_2D, 0);
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl()->glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    gl()->glViewport(3, 4, 50, 60);
    gl()->glEnable(GL_BLEND);
    gl()->glClearColor(0.25f, 0.5f, 0.75f, 1.f);
    gl()->glEnable(GL_SCISSOR_TEST);
    gl()->glScissor(0, 0, 1, 1); // would cut the picking pass down to one pixel

    EXPECT_EQ(pick(0.5f, 0.5f, {{0.4f, 0.4f, 0.6f, 0.6f}}), 0);

    std::array<GLint, 4> viewport{};
    gl()->glGetIntegerv(GL_VIEWPORT, viewport.data());
    EXPECT_EQ(viewport, (std::array<GLint, 4>{3, 4, 50, 60}));
    GLint bound = 0;
    gl()->glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(GLuint(bound), framebuffer);
    gl()->glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &bound);
    EXPECT_EQ(GLuint(bound), framebuffer);
    EXPECT_TRUE(gl()->glIsEnabled(GL_BLEND));
    EXPECT_TRUE(gl()->glIsEnabled(GL_SCISSOR_TEST));
    std::array<GLfloat, 4> clear{};
    gl()->glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
    EXPECT_EQ(clear, (std::array<GLfloat, 4>{0.25f, 0.5f, 0.75f, 1.f}));
    GLint program = -1;
    gl()->glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    EXPECT_EQ(program, 0);

    gl()->glDisable(GL_SCISSOR_TEST);
    gl()->glDisable(GL_BLEND);
    gl()->glBindFramebuffer(GL_FRAMEBUFFER, widget()->context()->contextHandle()->defaultFramebufferObject());
    gl()->glDeleteFramebuffers(1, &framebuffer);
    gl()->glDeleteTextures(1, &texture);
}

TEST_F(Color_picking, a_pick_in_another_context_than_the_target_s_finds_nothing)
{
    QOpenGLContext other;
    ASSERT_TRUE(other.create());
    QOffscreenSurface surface;
    surface.create();
    ASSERT_TRUE(other.makeCurrent(&surface));
    int picked = 0;
    {
        Capture_stdout out;
        picked = picker->pick(
            0.5f, 0.5f, [] { FAIL() << "drew in a foreign context"; }, 1);
        EXPECT_NE(out.text().find("Color_picker::pick"), std::string::npos);
    }
    EXPECT_EQ(picked, -1);
    other.doneCurrent();
    widget()->makeCurrent();
}

} // namespace
