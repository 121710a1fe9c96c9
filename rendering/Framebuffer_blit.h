#ifndef RENDERING_FRAMEBUFFER_BLIT_H
#define RENDERING_FRAMEBUFFER_BLIT_H

#include <QOpenGLFunctions_3_3_Core>

// Puts back the read and draw framebuffer bindings it found, for passes that
// bind their own targets (creating a Qt framebuffer object binds it too).
class Framebuffer_binding_scope
{
public:
    explicit Framebuffer_binding_scope(QOpenGLFunctions_3_3_Core& gl);
    ~Framebuffer_binding_scope();

    Framebuffer_binding_scope(Framebuffer_binding_scope const&) = delete;
    Framebuffer_binding_scope& operator=(Framebuffer_binding_scope const&) = delete;

    GLuint draw_framebuffer() const { return GLuint(_draw); }

private:
    QOpenGLFunctions_3_3_Core& _gl;
    GLint _draw = 0;
    GLint _read = 0;
};

// Copies the buffers in `mask` from one framebuffer to another over width x
// height, nearest. The GL refuses a depth copy between different depth
// layouts, so that copy is left out when they differ, and any refusal is
// printed under `caller`; the colour copy still happens. The read and draw
// bindings are put back. Says whether everything asked for was copied.
bool blit_framebuffer(QOpenGLFunctions_3_3_Core& gl, GLuint from, GLuint to, int width, int height, GLbitfield mask,
                      char const* caller);

#endif
