#ifndef RENDERING_TARGET_SIZE_H
#define RENDERING_TARGET_SIZE_H

#include <QOpenGLFunctions_3_3_Core>
#include <QSize>

#include <array>

// The off-screen targets of one frame (the renderer's colour, depth and float
// blur targets and the play screen's own) take about this much a pixel together.
int const frame_target_bytes_per_pixel = 96;
// What they may take together: beyond it the picture is drawn smaller and
// scaled up to the window.
qint64 const frame_target_budget = qint64(1) << 30;

// The size the targets of a window get: the window's own, unless a side passes
// `largest_side` (the GL's limit) or the targets would pass the budget; then
// the largest size of the window's shape within both.
QSize capped_target_size(QSize const& window, int largest_side);

// The largest texture, renderbuffer and viewport side of the current context.
int largest_target_side(QOpenGLFunctions_3_3_Core& gl);

// Draws over a whole target, whose size may not be the window's, while it
// lives; the viewport it found is put back.
class Target_viewport
{
public:
    Target_viewport(QOpenGLFunctions_3_3_Core& gl, QSize const& size);
    ~Target_viewport();

    Target_viewport(Target_viewport const&) = delete;
    Target_viewport& operator=(Target_viewport const&) = delete;

private:
    QOpenGLFunctions_3_3_Core& _gl;
    std::array<GLint, 4> _previous{};
};

#endif
