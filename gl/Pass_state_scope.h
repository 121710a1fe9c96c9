#ifndef GL_PASS_STATE_SCOPE_H
#define GL_PASS_STATE_SCOPE_H

#include <QOpenGLFunctions_3_3_Core>

#include <array>
#include <vector>

// An off-screen pass may run in the middle of someone else's drawing (from a
// timer, between two paints). This saves on construction, and puts back on
// destruction, all the state such a pass changes: viewport, read and draw
// framebuffers, blend, depth, scissor and cull enables, polygon mode, colour
// mask and clear colour, read-colour clamping, the bound program, vertex array
// and array buffer, the active texture unit and the 2D textures of the first
// `texture_units` units, pixel-store alignment, row length and skips, and the
// pixel pack and unpack buffers.
//
// In between it sets the state a pass over float textures expects: blend,
// depth, scissor and culling off, filled polygons, every colour written,
// colours read unclamped, tightly packed pixels (alignment 4, no row length or
// skips) and no pixel buffers.
class Pass_state_scope
{
public:
    Pass_state_scope(QOpenGLFunctions_3_3_Core& gl, int texture_units);
    ~Pass_state_scope();

    Pass_state_scope(Pass_state_scope const&) = delete;
    Pass_state_scope& operator=(Pass_state_scope const&) = delete;

private:
    GLint get(GLenum name) const;
    void set_enabled(GLenum capability, bool enabled);

    QOpenGLFunctions_3_3_Core& _gl;
    std::array<GLint, 4> _viewport{};
    GLint _draw_framebuffer = 0;
    GLint _read_framebuffer = 0;
    bool _blend = false;
    bool _depth_test = false;
    bool _scissor_test = false;
    bool _cull_face = false;
    std::array<GLint, 2> _polygon_mode{};
    std::array<GLboolean, 4> _color_mask{};
    std::array<GLfloat, 4> _clear_color{};
    GLint _clamp_read_color = 0;
    GLint _program = 0;
    GLint _vertex_array = 0;
    GLint _array_buffer = 0;
    GLint _active_texture = 0;
    std::vector<GLint> _textures;
    std::array<GLint, 4> _pack{};   // alignment, row length, skip pixels, skip rows
    std::array<GLint, 4> _unpack{}; // the same for uploads
    GLint _pack_buffer = 0;
    GLint _unpack_buffer = 0;
};

#endif
