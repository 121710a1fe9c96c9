#include "rendering/Depth_texture.h"

namespace
{

GLint attachment_parameter(QOpenGLFunctions_3_3_Core& gl, GLenum attachment, GLenum name)
{
    GLint value = 0;
    gl.glGetFramebufferAttachmentParameteriv(GL_READ_FRAMEBUFFER, attachment, name, &value);
    return value;
}

} // namespace

std::optional<Depth_format> depth_format_of(QOpenGLFunctions_3_3_Core& gl, GLuint framebuffer)
{
    GLint previous = 0;
    gl.glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous);
    gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);

    // The window's framebuffer names its images differently.
    GLenum const depth = framebuffer == 0 ? GL_DEPTH : GL_DEPTH_ATTACHMENT;
    GLenum const stencil = framebuffer == 0 ? GL_STENCIL : GL_STENCIL_ATTACHMENT;
    std::optional<Depth_format> result;
    if (attachment_parameter(gl, depth, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE) != GL_NONE)
    {
        GLint const depth_bits = attachment_parameter(gl, depth, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE);
        bool const floating = attachment_parameter(gl, depth, GL_FRAMEBUFFER_ATTACHMENT_COMPONENT_TYPE) == GL_FLOAT;
        bool const stenciled = attachment_parameter(gl, stencil, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE) != GL_NONE &&
                               attachment_parameter(gl, stencil, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE) > 0;
        if (floating)
            result = stenciled ? Depth_format{GL_DEPTH32F_STENCIL8, GL_DEPTH_STENCIL, GL_FLOAT_32_UNSIGNED_INT_24_8_REV}
                               : Depth_format{GL_DEPTH_COMPONENT32F, GL_DEPTH_COMPONENT, GL_FLOAT};
        else if (stenciled)
            result = depth24_stencil8;
        else if (depth_bits >= 32)
            result = Depth_format{GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT};
        else if (depth_bits >= 24)
            result = Depth_format{GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT};
        else
            result = Depth_format{GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT, GL_UNSIGNED_SHORT};
    }

    gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(previous));
    return result;
}

void Depth_texture::specify(QOpenGLFunctions_3_3_Core& gl, Depth_format const& format, int width, int height)
{
    if (_texture == 0) gl.glGenTextures(1, &_texture);
    _format = format;
    gl.glBindTexture(GL_TEXTURE_2D, _texture);
    gl.glTexImage2D(GL_TEXTURE_2D, 0, format.internal_format, width, height, 0, format.format, format.type, nullptr);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_NONE);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl.glBindTexture(GL_TEXTURE_2D, 0);
}

void Depth_texture::attach(QOpenGLFunctions_3_3_Core& gl) const
{
    gl.glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, 0, 0);
    gl.glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER,
                              _format.has_stencil() ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D,
                              _texture, 0);
}

void Depth_texture::release(QOpenGLFunctions_3_3_Core& gl)
{
    if (_texture != 0) gl.glDeleteTextures(1, &_texture);
    _texture = 0;
}
