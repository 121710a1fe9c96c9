#include "rendering/Shader_renderer.h"

#include "gl/GL_utilities.h"
#include "rendering/Atom_spheres.h"
#include "rendering/Frame_scope.h"
#include "rendering/Framebuffer_blit.h"
#include "rendering/Scene_passes.h"
#include "rendering/Shader_uniforms.h"
#include "rendering/Temperature_shade.h"
#include "simulation/Level_data.h"

#include <GL/gl.h>

#include <iostream>

namespace
{

// The backdrop: a cube of half-size 1 seen from inside, its grid texture
// repeating ten times across each face.
void draw_background_faces()
{
    struct Face_turn
    {
        float angle, x, y, z;
    };
    static Face_turn const turns[6] = {
        {90.f, 1.f, 0.f, 0.f},  // y = -1
        {-90.f, 1.f, 0.f, 0.f}, // y = +1
        {90.f, 0.f, 1.f, 0.f},  // x = +1
        {90.f, 0.f, -1.f, 0.f}, // x = -1
        {0.f, 0.f, 0.f, 1.f},   // z = +1
        {180.f, 0.f, -1.f, 0.f} // z = -1
    };
    for (Face_turn const& turn : turns)
    {
        glPushMatrix();
        if (turn.angle != 0.f) glRotatef(turn.angle, turn.x, turn.y, turn.z);
        glBegin(GL_QUADS);
        glTexCoord2f(0.f, 0.f);
        glVertex3f(-1.f, -1.f, 1.f);
        glTexCoord2f(10.f, 0.f);
        glVertex3f(1.f, -1.f, 1.f);
        glTexCoord2f(10.f, 10.f);
        glVertex3f(1.f, 1.f, 1.f);
        glTexCoord2f(0.f, 10.f);
        glVertex3f(-1.f, 1.f, 1.f);
        glEnd();
        glPopMatrix();
    }
}

float level_parameter(Level_data& level, char const* name)
{
    Parameter const* parameter = level.get_parameters()[name];
    return parameter ? parameter->get_value<float>() : 0.f;
}

} // namespace

void Shader_renderer::compose(Level_data& level, View_frame const& view, float time)
{
    blur_scene(view);
    blit_framebuffer(*this, _blur_target->handle(), _composite_target->handle(), _width, _height, GL_COLOR_BUFFER_BIT,
                     "Shader_renderer::render");
    glBindFramebuffer(GL_FRAMEBUFFER, _composite_target->handle());
    glClear(GL_DEPTH_BUFFER_BIT);
    draw_temperature_cube(level, _blur_targets[1].get(), time);
}

void Shader_renderer::draw_scene(Level_data& level, View_frame const& view)
{
    draw_background_cube();

    draw_atoms(level, view);
    draw_level_elements(level, _draw_visitor);
}

void Shader_renderer::set_atom_shading_uniforms(QGLShaderProgram& program, View_frame const& view)
{
    set_view_uniforms(program);
    program.setUniformValue("light_pos", QVector3D(-5.f, 5.f, 5.f));
    program.setUniformValue("camera_pos",
                            QVector3D(view.camera_position.x(), view.camera_position.y(), view.camera_position.z()));
    program.setUniformValue("bg_texture", 0);
}

void Shader_renderer::draw_atoms(Level_data const& level, View_frame const& view)
{
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, _blurred_background_texture.get());
    QGLShaderProgram& program = _shortcuts.ray_cast_spheres ? _atom_impostors.get_program() : *_molecule_program;
    program.bind();
    set_atom_shading_uniforms(program, view);
    if (_shortcuts.ray_cast_spheres)
        _atom_impostors.draw(level, _scale);
    else
    {
        _sphere_mesh.bind();
        draw_atom_spheres(*this, program, level, _scale, [this] { _sphere_mesh.draw_elements(); });
        _sphere_mesh.unbind();
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    program.release();
    glDisable(GL_TEXTURE_2D);
}

void Shader_renderer::draw_background_cube()
{
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.f, 1.f, 1.f, 1.f);
    glDisable(GL_LIGHTING);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, _background_grid_texture.get());
    // Far away, and writing no depth: later overlays never hide behind it, and
    // the blur treats it as the far distance.
    glDepthMask(GL_FALSE);
    glPushMatrix();
    glScalef(200.f, 200.f, 200.f);
    draw_background_faces();
    glPopMatrix();
    glDepthMask(GL_TRUE);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Shader_renderer::blur_scene(View_frame const& view)
{
    glBindFramebuffer(GL_FRAMEBUFFER, _blur_target->handle());
    _depth_blur_program->bind();
    _depth_blur_program->setUniformValue("texture", 0);
    _depth_blur_program->setUniformValue("depth_texture", 1);
    _depth_blur_program->setUniformValue("clip_distances", QVector2D(view.z_near, view.z_far));
    _depth_blur_program->setUniformValue("tex_size", QVector2D(float(_width), float(_height)));
    _depth_blur_program->setUniformValue("focus_distance", view.camera_position.norm());
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, _scene_depth.get());
    if (_shortcuts.half_size_blur)
    {
        // The passes sample in texture coordinates and step in full-size
        // pixels (tex_size stays the full size), so only the output shrinks.
        glViewport(0, 0, (_width + 1) / 2, (_height + 1) / 2);
        blur_pass(_scene_target->texture(), _half_size_blur_targets[0], Eigen::Vector2f(1.f, 0.f));
        blur_pass(_half_size_blur_targets[0].get(), _half_size_blur_targets[1], Eigen::Vector2f(0.f, 1.f));
        glViewport(0, 0, _width, _height);
        lay_blur_over_scene(view);
    }
    else
    {
        blur_pass(_scene_target->texture(), _blur_targets[0], Eigen::Vector2f(1.f, 0.f));
        blur_pass(_blur_targets[0].get(), _blur_targets[1], Eigen::Vector2f(0.f, 1.f));
    }
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    _depth_blur_program->release();
}

void Shader_renderer::lay_blur_over_scene(View_frame const& view)
{
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, _blur_targets[1].get(), 0);
    _blur_overlay_program->bind();
    _blur_overlay_program->setUniformValue("depth_texture", 1);
    _blur_overlay_program->setUniformValue("blurred_texture", 2);
    _blur_overlay_program->setUniformValue("clip_distances", QVector2D(view.z_near, view.z_far));
    _blur_overlay_program->setUniformValue("focus_distance", view.camera_position.norm());
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, _half_size_blur_targets[1].get());
    draw_fullscreen_texture(*this, *_blur_overlay_program, _scene_target->texture());
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
}

void Shader_renderer::blur_pass(GLuint source, Texture_handle const& destination, Eigen::Vector2f const& direction)
{
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, destination.get(), 0);
    glClear(GL_COLOR_BUFFER_BIT);
    _depth_blur_program->bind();
    _depth_blur_program->setUniformValue("direction", QVector2D(direction.x(), direction.y()));
    draw_fullscreen_texture(*this, *_depth_blur_program, source);
}

void Shader_renderer::draw_temperature_cube(Level_data& level, GLuint scene_texture, float time)
{
    if (!level.has_game_field_borders())
    {
        std::cout << "Shader_renderer::draw_temperature_cube"
                  << " no game field borders or too many/few, not drawing temperature mesh" << std::endl;
        return;
    }

    bind_temperature_program(scene_texture, time);

    Eigen::Vector3f const half_size(level_parameter(level, "Game Field Width") / 2.f,
                                    level_parameter(level, "Game Field Depth") / 2.f,
                                    level_parameter(level, "Game Field Height") / 2.f);
    Eigen::Matrix4f model = Eigen::Matrix4f::Identity();
    model.diagonal().head<3>() = half_size;
    set_view_uniforms(*_temperature_program);
    set_model_uniform(*this, _temperature_program->uniformLocation("m_model"), model);

    // The grid changes a few times a second of simulation and not at all in a
    // stopped one: the colours go to the GL only when they have changed.
    Poly_mesh const& cube = _cube_mesh.get_mesh();
    bool changed = false;
    for (auto const vertex : cube.vertices())
    {
        Poly_mesh::Point const& p = cube.point(vertex);
        Eigen::Vector3f const world(p[0] * half_size.x(), p[1] * half_size.y(), p[2] * half_size.z());
        float* color = &_cube_colors[size_t(vertex.idx()) * 3];
        float const shade = temperature_shade(level.get_temperature(world));
        changed = changed || color[0] != shade;
        color[0] = shade;
    }
    if (changed) _cube_mesh.update_colors(_cube_colors.data());

    // One layer of haze: only the faces towards the camera.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    set_fill_polygons();
    _cube_mesh.draw();
    glDisable(GL_CULL_FACE);
    release_temperature_program();
}
