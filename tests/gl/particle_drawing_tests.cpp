#include "gl/Curve_particle_system.h"
#include "gl/Particle_drawing.h"
#include "gl/Targeted_particle_system.h"

#include "Render_target.h"
#include "support/Gl_test.h"

#include <QOpenGLShaderProgram>

#include <memory>

class Particle_drawing : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        _particles = std::make_unique<QOpenGLShaderProgram>();
        ASSERT_TRUE(_particles->addShaderFromSourceFile(QOpenGLShader::Vertex,
                                                        TEST_FIXTURE_DIR "/../data/shaders/particle.vert"));
        ASSERT_TRUE(_particles->addShaderFromSourceFile(QOpenGLShader::Fragment,
                                                        TEST_FIXTURE_DIR "/../data/shaders/particle.frag"));
        ASSERT_TRUE(_particles->link()) << _particles->log().toStdString();

        // Some other program of the caller's, which the drawing must leave current.
        _other = std::make_unique<QOpenGLShaderProgram>();
        _other->addShaderFromSourceCode(QOpenGLShader::Vertex,
                                        "#version 120\nvoid main() { gl_Position = gl_Vertex; }\n");
        _other->addShaderFromSourceCode(QOpenGLShader::Fragment,
                                        "#version 120\nvoid main() { gl_FragColor = vec4(1.0); }\n");
        ASSERT_TRUE(_other->link());
    }

    GLint integer(GLenum name)
    {
        GLint value = -1;
        gl()->glGetIntegerv(name, &value);
        return value;
    }

    std::unique_ptr<QOpenGLShaderProgram> _particles;
    std::unique_ptr<QOpenGLShaderProgram> _other;
};

// Screen coordinates -1..1 fill the viewport whatever the caller's matrices.
TEST_F(Particle_drawing, targeted_particles_land_in_screen_space_and_the_callers_state_survives)
{
    Targeted_particle particle;
    particle.position = Eigen::Vector3f(0.5f, -0.5f, 0.f);
    particle.target = particle.position;
    particle.color = Color4(0.f, 1.f, 0.f, 1.f);
    Targeted_particle_system system;
    system.add_particles({particle});

    Render_target target(*gl(), 32);
    gl()->glMatrixMode(GL_PROJECTION);
    gl()->glLoadIdentity();
    gl()->glScalef(3.f, 3.f, 3.f);
    gl()->glMatrixMode(GL_MODELVIEW);
    gl()->glLoadIdentity();
    gl()->glEnable(GL_DEPTH_TEST);
    _other->bind();
    GLfloat projection_before[16];
    gl()->glGetFloatv(GL_PROJECTION_MATRIX, projection_before);

    // Height 8 (768 x 4 x 2 / 768) makes the point 8 pixels wide.
    draw_targeted_particles(*_particles, system, 768 * 4);

    auto const lit = target.pixel(24, 8);
    EXPECT_EQ(0, lit[0]);
    EXPECT_EQ(255, lit[1]);
    EXPECT_EQ(255, target.pixel(21, 11)[1]);
    EXPECT_EQ(0, target.pixel(8, 24)[1]);
    EXPECT_EQ(0, target.pixel(24, 16)[1]);

    EXPECT_EQ(GLint(_other->programId()), integer(GL_CURRENT_PROGRAM));
    EXPECT_TRUE(gl()->glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(gl()->glIsEnabled(GL_VERTEX_PROGRAM_POINT_SIZE));
    EXPECT_EQ(GL_MODELVIEW, integer(GL_MATRIX_MODE));
    GLfloat projection_after[16];
    gl()->glGetFloatv(GL_PROJECTION_MATRIX, projection_after);
    EXPECT_TRUE(std::equal(projection_before, projection_before + 16, projection_after));
    _other->release();
    gl()->glDisable(GL_DEPTH_TEST);
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
}

TEST_F(Particle_drawing, curve_particles_draw_in_the_current_matrices_with_display_colours)
{
    Curve_particle_system system({{-0.5f, 0.f, 0.f}, {0.5f, 0.f, 0.f}}, 1.f);
    system.set_start_color(Color4(0.f, 0.f, 1.f, 1.f));
    system.set_end_color(Color4(0.f, 0.f, 1.f, 1.f));
    Render_target target(*gl(), 32);

    draw_curve_particles(*_particles, system, 768);
    EXPECT_TRUE(target.is_black()) << "nothing to draw before any emission";

    system.update(1.f);
    gl()->glMatrixMode(GL_PROJECTION);
    gl()->glLoadIdentity();
    gl()->glMatrixMode(GL_MODELVIEW);
    gl()->glLoadIdentity();
    gl()->glTranslatef(0.f, 0.5f, 0.f);
    Render_target drawn(*gl(), 32);
    draw_curve_particles(*_particles, system, 768 * 2);

    // Freshly emitted: display colour = colour + 1, so white over the upper middle row.
    auto const on_curve = drawn.pixel(16, 24);
    EXPECT_EQ(255, on_curve[0]);
    EXPECT_EQ(255, on_curve[2]);
    EXPECT_EQ(0, drawn.pixel(16, 8)[2]);
    EXPECT_EQ(0, integer(GL_CURRENT_PROGRAM));
    EXPECT_EQ(0, integer(GL_ARRAY_BUFFER_BINDING));
    gl()->glLoadIdentity();
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
}
