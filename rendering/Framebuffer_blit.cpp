#include "rendering/Framebuffer_blit.h"

#include "rendering/Depth_texture.h"

#include <iostream>

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

    GLint read = 0;
    GLint draw = 0;
    gl.glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    gl.glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, from);
    gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to);
    gl.glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, mask, GL_NEAREST);
    GLenum const error = gl.glGetError();
    gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(read));
    gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(draw));

    if (error != GL_NO_ERROR)
    {
        std::cout << caller << " blit failed: GL error 0x" << std::hex << error << std::dec << std::endl;
        return false;
    }
    return complete;
}
