#ifndef GL_FLOAT_COLOR_TARGET_H
#define GL_FLOAT_COLOR_TARGET_H

#include <QOpenGLFunctions_3_3_Core>

#include <initializer_list>

struct Float_color_target
{
    GLuint texture = 0;
    GLint internal_format = 0; // 0 when no format could be rendered to
};

// Not every float format need be colour-renderable (RGB32F is not required to
// be), so this tries the formats in order: a size x size texture (nearest
// filtering, clamped to the edge) of each is attached as colour attachment 0 of
// the bound draw framebuffer until the framebuffer is complete. A texture that
// fails is deleted. The 2D binding of the active unit is left at 0.
Float_color_target attach_float_color_target(QOpenGLFunctions_3_3_Core& gl, int size,
                                             std::initializer_list<GLint> internal_formats);

#endif
