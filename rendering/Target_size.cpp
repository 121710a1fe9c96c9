#include "rendering/Target_size.h"

#include <algorithm>
#include <cmath>

QSize capped_target_size(QSize const& window, int largest_side)
{
    int const width = std::max(window.width(), 1);
    int const height = std::max(window.height(), 1);
    double const largest_pixels = double(frame_target_budget / frame_target_bytes_per_pixel);
    double const scale = std::min({1.0, double(largest_side) / width, double(largest_side) / height,
                                   std::sqrt(largest_pixels / (double(width) * height))});
    if (scale >= 1.0) return QSize(width, height);
    return QSize(std::max(1, int(width * scale)), std::max(1, int(height * scale)));
}

int largest_target_side(QOpenGLFunctions_3_3_Core& gl)
{
    GLint texture = 0;
    GLint renderbuffer = 0;
    GLint viewport[2] = {0, 0};
    gl.glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    gl.glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    gl.glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    GLint const side = std::min({texture, renderbuffer, viewport[0], viewport[1]});
    // A context that answers nothing leaves the window's size alone.
    return side > 0 ? side : 1 << 30;
}

Target_viewport::Target_viewport(QOpenGLFunctions_3_3_Core& gl, QSize const& size) : _gl(gl)
{
    gl.glGetIntegerv(GL_VIEWPORT, _previous.data());
    gl.glViewport(0, 0, size.width(), size.height());
}

Target_viewport::~Target_viewport()
{
    _gl.glViewport(_previous[0], _previous[1], _previous[2], _previous[3]);
}
