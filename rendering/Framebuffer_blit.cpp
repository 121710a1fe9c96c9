#include "rendering/Framebuffer_blit.h"

#include "rendering/Depth_texture.h"

#include <iostream>

Framebuffer_binding_scope::Framebuffer_binding_scope(QOpenGLFunctions_3_3_Core& gl) : _gl(gl)
{
    _gl.glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &_draw);
    _gl.glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &_read);
}

Framebuffer_binding_scope::~Framebuffer_binding_scope()
{
    _gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(_draw));
    _gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(_read));
}

bool blit_framebuffer(QOpenGLFunctions_3_3_Core& gl, GLuint from, GLuint to, int width, int height, GLbitfield mask,
                      char const* caller)
{
    bool complete = true;
    if (mask & GL_DEPTH_BUFFER_BIT)
    {
        std::optional<Depth_format> const source = depth_format_of(gl, from);
        std::optional<Depth_format> const target = depth_format_of(gl, to);
        if (!source || !target || *source != *target)
        {
            std::cout << caller << " depth not copied: the depth layouts differ" << std::endl;
            mask &= ~GLbitfield(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
            complete = false;
        }
    }
    if (mask == 0) return false;

    GLenum error = GL_NO_ERROR;
    {
        Framebuffer_binding_scope const keep(gl);
        gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
        gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
        gl.glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, mask, GL_NEAREST);
        error = gl.glGetError();
    }

    if (error != GL_NO_ERROR)
    {
        std::cout << caller << " blit failed: GL error 0x" << std::hex << error << std::dec << std::endl;
        return false;
    }
    return complete;
}
