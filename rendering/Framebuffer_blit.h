#ifndef RENDERING_FRAMEBUFFER_BLIT_H
#define RENDERING_FRAMEBUFFER_BLIT_H

#include <QOpenGLFunctions_3_3_Core>

// Copies the buffers in `mask` from one framebuffer to another over width x
// height, nearest. The GL refuses a depth copy between different depth
// layouts, so that copy is left out when they differ, and any refusal is
// printed under `caller`; the colour copy still happens. The read and draw
// bindings are put back. Says whether everything asked for was copied.
bool blit_framebuffer(QOpenGLFunctions_3_3_Core& gl, GLuint from, GLuint to, int width, int height, GLbitfield mask,
                      char const* caller);

#endif
