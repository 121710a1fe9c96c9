#include "app/Color_picker.h"

#include "foundation/Flat_color_shader.h"

#include <QGLFramebufferObject>
#include <QGLShaderProgram>
#include <QVector3D>
#include <QOpenGLContext>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <iostream>

namespace
{

int const red_shift = 16;
int const green_shift = 8;
int const blue_shift = 0;
int const red_mask = 0xff0000;
int const green_mask = 0x00ff00;
int const blue_mask = 0x0000ff;

} // namespace

Eigen::Vector3f picking_color(int index)
{
    return Eigen::Vector3f(float((index & red_mask) >> red_shift), float((index & green_mask) >> green_shift),
                           float((index & blue_mask) >> blue_shift)) /
           255.f;
}

int picked_index(std::array<unsigned char, 4> const& rgba, int pickable_count)
{
    if (rgba[3] <= 254) return -1;
    int const index = (rgba[0] << red_shift) + (rgba[1] << green_shift) + (rgba[2] << blue_shift);
    return index < pickable_count ? index : -1;
}

int target_pixel(float fraction, int size)
{
    if (!(fraction > 0.f)) return 0; // NaN as well
    return int(std::min(std::floor(fraction * float(size)), float(size - 1)));
}

Color_picker::Color_picker() : _context(QOpenGLContext::currentContext())
{
    if (!_context)
    {
        std::cout << "Color_picker::Color_picker no current context; nothing can be picked" << std::endl;
        return;
    }
    initializeOpenGLFunctions();
    _program = std::make_unique<QGLShaderProgram>(QGLContext::currentContext());
    _program->addShaderFromSourceCode(QGLShader::Vertex, flat_color_vertex_shader_source);
    _program->addShaderFromSourceCode(QGLShader::Fragment, flat_color_fragment_shader_source);
    if (!_program->link()) std::cout << "Color_picker::Color_picker " << _program->log().toStdString() << std::endl;
    _target = std::make_unique<QGLFramebufferObject>(target_size, target_size, QGLFramebufferObject::Depth);
}

Color_picker::~Color_picker() = default;

void Color_picker::set_index_color(int index)
{
    if (!_active) return;
    Eigen::Vector3f const color = picking_color(index);
    _program->setUniformValue("color", QVector3D(color.x(), color.y(), color.z()));
}

int Color_picker::pick(float x_fraction, float y_fraction, std::function<void()> const& draw, int pickable_count)
{
    if (!_target || QOpenGLContext::currentContext() != _context)
    {
        std::cout << "Color_picker::pick the picking target's context is not current" << std::endl;
        return -1;
    }
    int const x = target_pixel(x_fraction, target_size);
    int const y = target_pixel(y_fraction, target_size);

    GLint draw_framebuffer = 0;
    GLint read_framebuffer = 0;
    GLint program = 0;
    GLint pack_buffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw_framebuffer);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read_framebuffer);
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &pack_buffer);

    _target->bind();
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glViewport(0, 0, target_size, target_size);
    _active = true;
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.f, 0.f, 0.f, 0.f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    _program->bind();
    draw();
    _program->release();

    std::array<unsigned char, 4> rgba{};
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int const index = picked_index(rgba, pickable_count);

    glPopClientAttrib();
    glPopAttrib();
    _target->release();
    _active = false;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(draw_framebuffer));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(read_framebuffer));
    glBindBuffer(GL_PIXEL_PACK_BUFFER, GLuint(pack_buffer));
    glUseProgram(GLuint(program));
    return index;
}
