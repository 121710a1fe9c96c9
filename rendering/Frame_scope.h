#ifndef RENDERING_FRAME_SCOPE_H
#define RENDERING_FRAME_SCOPE_H

#include "rendering/Framebuffer_blit.h"

#include <QOpenGLFunctions_3_3_Core>

#include <array>

// One scene frame. It draws over the renderer's own viewport and afterwards
// puts back the caller's framebuffer bindings and viewport, and leaves the
// state every renderer promises: depth test on and writing, lighting off,
// texturing on, filled polygons, no culling, no program, no vertex array,
// texture unit 0 active.
class Frame_scope
{
public:
    Frame_scope(QOpenGLFunctions_3_3_Core& gl, int width, int height);
    ~Frame_scope();

    Frame_scope(Frame_scope const&) = delete;
    Frame_scope& operator=(Frame_scope const&) = delete;

    // The framebuffer that was bound for drawing when the frame began.
    GLuint caller_framebuffer() const { return _bindings.draw_framebuffer(); }

private:
    QOpenGLFunctions_3_3_Core& _gl;
    Framebuffer_binding_scope const _bindings;
    std::array<GLint, 4> _viewport{};
};

// Fixed-function state the scene passes share.
void set_fill_polygons();
// The sun of the scene: directional light 0 from (500, -1000, 750) in the
// current model-view frame, colours taken from glColor, normals kept unit.
void set_scene_light();

#endif
