#include "gl/Float_color_target.h"

#include "gl/GL_utilities.h"

Float_color_target attach_float_color_target(QOpenGLFunctions_3_3_Core& gl, int size,
                                             std::initializer_list<GLint> internal_formats)
{
    for (GLint internal_format : internal_formats)
    {
        GLuint const texture =
            create_texture(gl, size, size, nullptr, internal_format, GL_RGB, GL_FLOAT, GL_NEAREST, GL_CLAMP_TO_EDGE);
        gl.glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        if (gl.glCheckFramebufferStatus(GL_DRAW_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE)
            return Float_color_target{texture, internal_format};

        gl.glFramebufferTexture2D(GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
        gl.glDeleteTextures(1, &texture);
        // A format the driver refuses outright leaves an error behind; it is answered here.
        for (int i = 0; i < 8 && gl.glGetError() != GL_NO_ERROR; ++i)
        {
        }
    }
    return Float_color_target();
}
