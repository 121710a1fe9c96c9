#include "gl/GL_mesh2.h"
#include "gl/Icosphere.h"
#include "gl/Mesh.h"

#include "Render_target.h"
#include "support/Capture_stdout.h"
#include "support/Gl_test.h"

#include <QFile>
#include <QOpenGLShaderProgram>
#include <QTemporaryDir>

#include <memory>
#include <type_traits>

static_assert(!std::is_copy_constructible<GL_mesh2>::value && !std::is_copy_assignable<GL_mesh2>::value,
              "a GL_mesh2 owns its mesh copy and GL names");

namespace
{

// Covers the left half of clip space, as one quad.
char const left_half_quad[] = "v -1 -1 0\nv 0 -1 0\nv 0 1 0\nv -1 1 0\nf 1 2 3 4\n";

} // namespace

class Mesh_drawing : public Gl_test
{
protected:
    void SetUp() override
    {
        Gl_test::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(_dir.isValid());
        QFile file(_dir.filePath("quad.obj"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(left_half_quad);
        file.close();
        Capture_stdout out;
        _quad = load_mesh(file.fileName().toStdString());
        ASSERT_EQ(2u, _quad.n_faces());
    }

    // Position from attribute 0, colour from the fragment source's expression.
    std::unique_ptr<QOpenGLShaderProgram> program(char const* color_expression)
    {
        auto program = std::make_unique<QOpenGLShaderProgram>();
        program->addShaderFromSourceCode(QOpenGLShader::Vertex, "#version 120\n"
                                                                "attribute vec3 position;\n"
                                                                "attribute vec3 normal;\n"
                                                                "attribute vec3 color;\n"
                                                                "varying vec3 v_normal;\n"
                                                                "varying vec3 v_color;\n"
                                                                "void main() {\n"
                                                                "  v_normal = normal; v_color = color;\n"
                                                                "  gl_Position = vec4(position, 1.0);\n"
                                                                "}\n");
        program->addShaderFromSourceCode(QOpenGLShader::Fragment, QByteArray("#version 120\n"
                                                                             "varying vec3 v_normal;\n"
                                                                             "varying vec3 v_color;\n"
                                                                             "void main() { gl_FragColor = ") +
                                                                      color_expression + "; }\n");
        program->bindAttributeLocation("position", 0);
        program->bindAttributeLocation("normal", 1);
        program->bindAttributeLocation("color", 3);
        EXPECT_TRUE(program->link()) << program->log().toStdString();
        return program;
    }

    GLint integer(GLenum name)
    {
        GLint value = -1;
        gl()->glGetIntegerv(name, &value);
        return value;
    }

    void use_identity_matrices()
    {
        gl()->glMatrixMode(GL_PROJECTION);
        gl()->glLoadIdentity();
        gl()->glMatrixMode(GL_MODELVIEW);
        gl()->glLoadIdentity();
    }

    QTemporaryDir _dir;
    Poly_mesh _quad;
};

TEST_F(Mesh_drawing, gl_mesh_uploads_triangles_leaves_nothing_bound_and_draws_them)
{
    GL_mesh2 mesh;
    {
        Capture_stdout out;
        mesh.init(_quad);
        EXPECT_EQ("GL_mesh2::init num_faces: 2 6\n", out.text());
    }
    EXPECT_EQ(0, integer(GL_VERTEX_ARRAY_BINDING));
    EXPECT_EQ(0, integer(GL_ARRAY_BUFFER_BINDING));
    EXPECT_EQ(0, integer(GL_ELEMENT_ARRAY_BUFFER_BINDING));
    EXPECT_EQ(6, mesh.get_num_indices());
    EXPECT_FALSE(mesh.has_mesh());

    Render_target target(*gl(), 16);
    ASSERT_TRUE(target.complete());
    auto shader = program("vec4(1.0, 0.0, abs(v_normal.z), 1.0)");
    shader->bind();
    mesh.draw();
    shader->release();

    EXPECT_EQ((std::array<unsigned char, 4>{255, 0, 255, 255}), target.pixel(3, 8));
    EXPECT_EQ((std::array<unsigned char, 4>{255, 0, 255, 255}), target.pixel(7, 1));
    EXPECT_EQ((std::array<unsigned char, 4>{0, 0, 0, 255}), target.pixel(12, 8));
    EXPECT_EQ(0, integer(GL_VERTEX_ARRAY_BINDING));
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
}

TEST_F(Mesh_drawing, gl_mesh_colours_change_through_the_dynamic_buffer)
{
    GL_mesh2 mesh;
    Capture_stdout out;
    mesh.init(_quad, true);
    ASSERT_TRUE(mesh.has_mesh());
    EXPECT_EQ(4u, mesh.get_mesh().n_vertices());
    mesh.init_color_buffer();
    EXPECT_EQ(0, integer(GL_ARRAY_BUFFER_BINDING));

    Render_target target(*gl(), 16);
    auto shader = program("vec4(v_color, 1.0)");
    shader->bind();
    for (float const green : {1.f, 0.5f})
    {
        std::vector<float> colors;
        for (int vertex = 0; vertex < 4; ++vertex) colors.insert(colors.end(), {0.f, green, 1.f});
        mesh.update_colors(colors.data());
        mesh.draw();
        auto const pixel = target.pixel(4, 8);
        EXPECT_NEAR(green * 255, pixel[1], 1.0);
        EXPECT_EQ(255, pixel[2]);
    }
    shader->release();
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
}

// Client-side arrays read from buffer 0 only; the caller's bindings survive.
TEST_F(Mesh_drawing, draw_mesh_draws_from_client_arrays_and_restores_the_callers_state)
{
    GLuint buffer = 0;
    gl()->glGenBuffers(1, &buffer);
    gl()->glBindBuffer(GL_ARRAY_BUFFER, buffer);
    gl()->glBufferData(GL_ARRAY_BUFFER, 16, nullptr, GL_STATIC_DRAW);

    Render_target target(*gl(), 16);
    use_identity_matrices();
    gl()->glColor3f(1.f, 1.f, 0.f);
    draw_mesh(_quad);

    EXPECT_EQ((std::array<unsigned char, 4>{255, 255, 0, 255}), target.pixel(3, 8));
    EXPECT_EQ((std::array<unsigned char, 4>{0, 0, 0, 255}), target.pixel(12, 8));
    EXPECT_EQ(GLint(buffer), integer(GL_ARRAY_BUFFER_BINDING));
    EXPECT_FALSE(gl()->glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_FALSE(gl()->glIsEnabled(GL_NORMAL_ARRAY));

    gl()->glBindBuffer(GL_ARRAY_BUFFER, 0);
    gl()->glDeleteBuffers(1, &buffer);
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
}

TEST_F(Mesh_drawing, icosphere_draws_the_finest_level_for_any_level_beyond_it)
{
    Icosphere sphere(2);
    Render_target target(*gl(), 32);
    use_identity_matrices();
    gl()->glColor3f(1.f, 1.f, 1.f);

    sphere.draw(-1);
    std::vector<unsigned char> const finest = target.pixels();
    EXPECT_EQ(255, target.pixel(16, 16)[0]);
    EXPECT_EQ(0, target.pixel(1, 1)[0]);

    gl()->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    sphere.draw(9);
    EXPECT_EQ(finest, target.pixels());
    EXPECT_FALSE(gl()->glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_EQ(GLenum(GL_NO_ERROR), gl()->glGetError());
}
