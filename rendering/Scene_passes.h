#ifndef RENDERING_SCENE_PASSES_H
#define RENDERING_SCENE_PASSES_H

#include "gl/Mesh.h"

#include <QOpenGLFunctions_3_3_Core>

class Level_data;
class Level_element_draw_visitor;
class Level_element_ui_draw_visitor;
class QGLShaderProgram;

// Steps both scene renderers share.

// The temperature grid "meshes/grid_10x10.obj", its texture coordinates taken
// from the x-z position of each vertex (x / 2 + 0.5, z / 2 + 0.5).
Poly_mesh load_grid_mesh();

// Every element of the level, then, unlit, the temporary bursts.
void draw_level_elements(Level_data& level, Level_element_draw_visitor& visitor);

// The texture over the whole bound target with the program (which samples
// "texture" on unit 0), without depth test or blending, in filled polygons.
void draw_fullscreen_texture(QOpenGLFunctions_3_3_Core& gl, QGLShaderProgram& program, GLuint texture);

// The end of every scene frame: the composite's colour copied into the target,
// the scene's depth blitted after it (so later overlays are depth-tested
// against the scene), and the element panels drawn on top, lit by nothing.
// Leaves the target bound.
struct Scene_finish
{
    GLuint composite_texture;
    GLuint scene_framebuffer;
    GLuint target_framebuffer;
    int width;
    int height;
    char const* caller;
};
void finish_scene(QOpenGLFunctions_3_3_Core& gl, Scene_finish const& finish, QGLShaderProgram& copy_program,
                  Level_data& level, Level_element_ui_draw_visitor& panel_visitor);

#endif
