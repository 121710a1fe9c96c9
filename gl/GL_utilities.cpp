#include "gl/GL_utilities.h"

#include "gl/Image_conversion.h"

#include <QGLShaderProgram>
#include <QImage>
#include <QMessageLogger>
#include <QOpenGLShaderProgram>

#include <GL/gl.h>

#include <cmath>
#include <iostream>

namespace
{

template <class Pixel>
GLuint create_float_texture(QOpenGLFunctions_3_3_Core& gl, Frame_buffer<Pixel> const& buffer, GLenum format,
                            bool mipmaps, GLint internal_format, GLint wrap)
{
    GLuint texture = 0;
    gl.glGenTextures(1, &texture);
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, mipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (mipmaps)
    {
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
        gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 4);
    }
    gl.glTexImage2D(GL_TEXTURE_2D, 0, internal_format, buffer.get_width(), buffer.get_height(), 0, format, GL_FLOAT,
                    buffer.get_count() > 0 ? buffer.data() : nullptr);
    if (mipmaps) gl.glGenerateMipmap(GL_TEXTURE_2D);
    gl.glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

// Adds one shader and tells whether it left a log to report. Qt keeps a failed
// shader's log in the program until the next failure or link, so a shader that
// compiled after one that failed must not report that stale log as its own.
template <class Program, class Shader_type>
bool shader_failed_with_log(Program& program, Shader_type type, QString const& file)
{
    return !program.addShaderFromSourceFile(type, file) && !program.log().isEmpty();
}

// Qt's log entries name this file and function, whatever the build's paths.
QMessageLogger critical_log(int line)
{
    return QMessageLogger("GL_utilities", line, "init_program");
}

} // namespace

GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, int width, int height, void const* pixels, GLint internal_format,
                      GLenum format, GLenum type, GLint filter, GLint wrap)
{
    GLuint texture = 0;
    gl.glGenTextures(1, &texture);
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, internal_format, width, height, 0, format, type, pixels);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    gl.glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, Frame_buffer<Color4> const& buffer, bool mipmaps,
                      GLint internal_format, GLint wrap)
{
    return create_float_texture(gl, buffer, GL_RGBA, mipmaps, internal_format, wrap);
}

GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, Frame_buffer<Color> const& buffer, bool mipmaps,
                      GLint internal_format, GLint wrap)
{
    return create_float_texture(gl, buffer, GL_RGB, mipmaps, internal_format, wrap);
}

GLuint create_texture(QOpenGLFunctions_3_3_Core& gl, QImage const& image, bool alpha)
{
    if (alpha) return create_texture(gl, convert<Color4>(image), true, GL_RGBA, GL_REPEAT);
    return create_texture(gl, convert<Color>(image), true, GL_RGB, GL_REPEAT);
}

GLuint create_texture_from_file(QOpenGLFunctions_3_3_Core& gl, QString const& path, bool alpha)
{
    return create_texture(gl, QImage(path), alpha);
}

void delete_texture(QOpenGLFunctions_3_3_Core& gl, GLuint texture)
{
    gl.glDeleteTextures(1, &texture);
}

QGLShaderProgram* init_program(QGLContext const* context, QString const& vertex_file, QString const& fragment_file)
{
    return init_program(context, vertex_file, QStringList{fragment_file});
}

QGLShaderProgram* init_program(QGLContext const* context, QString const& vertex_file, QStringList const& fragment_files)
{
    std::cout << "Loading shader: " << vertex_file.toStdString() << " " << fragment_files.join(' ').toStdString()
              << std::endl;

    auto* program = new QGLShaderProgram(context);
    if (shader_failed_with_log(*program, QGLShader::Vertex, vertex_file))
        std::cout << "init_program: " << vertex_file.toStdString() << " log: " << program->log().toStdString();

    for (QString const& fragment_file : fragment_files)
        if (shader_failed_with_log(*program, QGLShader::Fragment, fragment_file))
            std::cout << "init_program: " << fragment_file.toStdString() << " log: " << program->log().toStdString();

    program->link();
    if (!program->log().isEmpty()) std::cout << "init_program link: " << program->log().toStdString();

    return program;
}

QOpenGLShaderProgram* init_program(QString const& vertex_file, QString const& fragment_file)
{
    std::cout << "Loading shader (V, F): " << vertex_file.toStdString() << " " << fragment_file.toStdString()
              << std::endl;

    auto* program = new QOpenGLShaderProgram;
    if (shader_failed_with_log(*program, QOpenGLShader::Vertex, vertex_file))
    {
        std::cout << "init_program"
                  << " " << vertex_file.toStdString() << " log: " << program->log().toStdString();
        critical_log(__LINE__).critical().noquote().nospace()
            << "Vertex shader log: " << vertex_file << "\nlog: " << program->log();
    }

    if (shader_failed_with_log(*program, QOpenGLShader::Fragment, fragment_file))
    {
        std::cout << "init_program"
                  << " " << fragment_file.toStdString() << " log: " << program->log().toStdString();
        critical_log(__LINE__).critical().noquote().nospace()
            << "Fragment shader log: " << fragment_file << "\nlog: " << program->log();
    }

    program->link();
    if (!program->log().isEmpty())
    {
        std::cout << "init_program"
                  << " link: " << program->log().toStdString();
        critical_log(__LINE__).critical().noquote().nospace()
            << "Linking log: " << vertex_file << " " << fragment_file << " log: " << program->log();
    }

    return program;
}

void draw_fullscreen_quad()
{
    draw_quad(1.f, 1.f);
}

void draw_quad(float half_size, float texture_extent)
{
    float const h = half_size;
    float const t = texture_extent;
    glBegin(GL_QUADS);
    glTexCoord2f(0.f, 0.f);
    glVertex2f(-h, -h);
    glTexCoord2f(t, 0.f);
    glVertex2f(h, -h);
    glTexCoord2f(t, t);
    glVertex2f(h, h);
    glTexCoord2f(0.f, t);
    glVertex2f(-h, h);
    glEnd();
}

void draw_box(Eigen::Vector3f const& center, Eigen::Vector3f const& size, float scale, bool wireframe)
{
    struct Face
    {
        float normal[3];
        float corners[4][3];
    };
    static Face const faces[6] = {
        {{0, -1, 0}, {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}}},
        {{0, 0, -1}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}},
        {{0, 1, 0}, {{1, 1, 0}, {1, 1, 1}, {0, 1, 1}, {0, 1, 0}}},
        {{0, 0, 1}, {{1, 1, 1}, {1, 0, 1}, {0, 0, 1}, {0, 1, 1}}},
        {{-1, 0, 0}, {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}}},
        {{1, 0, 0}, {{1, 0, 0}, {1, 0, 1}, {1, 1, 1}, {1, 1, 0}}},
    };

    glPushMatrix();
    glTranslatef(center.x(), center.y(), center.z());
    glScalef(scale * size.x(), scale * size.y(), scale * size.z());
    glTranslatef(-0.5f, -0.5f, -0.5f);
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    glBegin(GL_QUADS);
    for (Face const& face : faces)
    {
        glNormal3fv(face.normal);
        for (auto const& corner : face.corners) glVertex3fv(corner);
    }
    glEnd();
    glPopMatrix();
}

void draw_arrow(Eigen::Vector3f const& from, Eigen::Vector3f const& to, float head)
{
    float const length = (to - from).norm();
    float const angle_degrees = std::atan2(to.y() - from.y(), to.x() - from.x()) * 180.f / float(EIGEN_PI);

    glPushMatrix();
    // Turn about `from`, so the arrow starts there whatever its direction.
    glTranslatef(from.x(), from.y(), 0.f);
    glRotatef(angle_degrees, 0.f, 0.f, 1.f);
    // The unit square's y axis becomes the arrow's direction, its x axis the width.
    glTranslatef(length * 0.5f, 0.f, 0.f);
    glRotatef(-90.f, 0.f, 0.f, 1.f);
    glScalef(length, length, 1.f);
    glTranslatef(-0.5f, -0.5f, 0.f);

    glBegin(GL_LINE_LOOP);
    glVertex3f(0.2f, 0.f, 0.f);
    glVertex3f(0.8f, 0.f, 0.f);
    glVertex3f(0.8f, 1.f - head, 0.f);
    glVertex3f(1.0f, 1.f - head, 0.f);
    glVertex3f(0.5f, 1.0f, 0.f);
    glVertex3f(0.f, 1.f - head, 0.f);
    glVertex3f(0.2f, 1.f - head, 0.f);
    glEnd();
    glPopMatrix();
}
