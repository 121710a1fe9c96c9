#include "rendering/Scene_passes.h"

#include "gl/GL_utilities.h"
#include "rendering/Data_files.h"
#include "rendering/Frame_scope.h"
#include "rendering/Framebuffer_blit.h"
#include "rendering/Level_element_draw_visitor.h"
#include "rendering/Level_element_ui_draw_visitor.h"
#include "simulation/Level_data.h"

#include <QGLShaderProgram>

#include <GL/gl.h>

Poly_mesh load_grid_mesh()
{
    Poly_mesh grid = load_data_mesh("meshes/grid_10x10.obj");
    for (auto const vertex : grid.vertices())
    {
        Poly_mesh::Point const& p = grid.point(vertex);
        grid.set_texcoord2D(vertex, Poly_mesh::TexCoord2D(p[0] * 0.5f + 0.5f, p[2] * 0.5f + 0.5f));
    }
    return grid;
}

void draw_level_elements(Level_data& level, Level_element_draw_visitor& visitor)
{
    for (auto const& element : level._level_elements)
        if (element) element->accept(visitor);
    glDisable(GL_LIGHTING);
    for (auto const& element : level._temporary_elements)
        if (element) element->accept(visitor);
}

void draw_fullscreen_texture(QOpenGLFunctions_3_3_Core& gl, QGLShaderProgram& program, GLuint texture)
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_POLYGON_BIT);
    gl.glDisable(GL_DEPTH_TEST);
    gl.glDisable(GL_BLEND);
    gl.glDisable(GL_CULL_FACE);
    set_fill_polygons();
    program.bind();
    program.setUniformValue("texture", 0);
    gl.glActiveTexture(GL_TEXTURE0);
    gl.glBindTexture(GL_TEXTURE_2D, texture);
    draw_fullscreen_quad();
    gl.glBindTexture(GL_TEXTURE_2D, 0);
    program.release();
    glPopAttrib();
}

void finish_scene(QOpenGLFunctions_3_3_Core& gl, Scene_finish const& finish, QGLShaderProgram& copy_program,
                  Level_data& level, Level_element_ui_draw_visitor& panel_visitor)
{
    gl.glBindFramebuffer(GL_FRAMEBUFFER, finish.target_framebuffer);
    draw_fullscreen_texture(gl, copy_program, finish.composite_texture);
    blit_framebuffer(gl, finish.scene_framebuffer, finish.target_framebuffer, finish.width, finish.height,
                     GL_DEPTH_BUFFER_BIT, finish.caller);

    gl.glActiveTexture(GL_TEXTURE0);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    for (auto const& element : level._level_elements)
        if (element) element->accept(panel_visitor);
}
