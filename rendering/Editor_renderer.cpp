#include "rendering/Editor_renderer.h"

#include "rendering/Atom_spheres.h"
#include "rendering/Data_files.h"
#include "rendering/Framebuffer_blit.h"
#include "rendering/Scene_passes.h"
#include "rendering/Temperature_shade.h"
#include "simulation/Level_data.h"

#include <GL/gl.h>

#include <iostream>

Editor_renderer::Editor_renderer()
    : Off_screen_renderer({"shaders/simple.vert", "shaders/molecule.frag", nullptr, "shaders/temperature.vert"},
                          "Editor_renderer::render")
{
}

void Editor_renderer::init(QGLContext const* context, QSize const& size)
{
    Off_screen_renderer::init(context, size);
    _sphere_mesh = load_data_mesh("meshes/icosphere_3.obj");
}

void Editor_renderer::draw_scene(Level_data& level, View_frame const& view)
{
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    _molecule_program->bind();
    set_view_uniforms(*_molecule_program);
    _molecule_program->setUniformValue("light_pos", QVector3D(-5.f, 5.f, 5.f));
    _molecule_program->setUniformValue(
        "camera_pos", QVector3D(view.camera_position.x(), view.camera_position.y(), view.camera_position.z()));
    draw_atom_spheres(*this, *_molecule_program, level, _scale, [this] { draw_mesh(_sphere_mesh); });
    _molecule_program->release();

    draw_level_elements(level, _draw_visitor);
}

void Editor_renderer::compose(Level_data& level, View_frame const& /*view*/, float time)
{
    blit_framebuffer(*this, _scene_target->handle(), _composite_target->handle(), _width, _height,
                     GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, "Editor_renderer::render");
    draw_temperature_mesh(level, _scene_target->texture(), time);
}

void Editor_renderer::draw_temperature_mesh(Level_data& level, GLuint scene_texture, float time)
{
    if (!level.has_game_field_borders())
    {
        std::cout << "Editor_renderer::draw_temperature_mesh"
                  << " no game field borders or too many/few, not drawing temperature mesh: "
                  << level._game_field_borders.size() << std::endl;
        return;
    }
    float const base = (level._rotation_fluctuation + level._translation_fluctuation) / 2.f;

    glDisable(GL_DEPTH_TEST);
    bind_temperature_program(scene_texture, time);

    // The front border; a border without a drawn size spans the field.
    Plane_barrier const& front = *level._game_field_borders.at(Level_data::Y_min);
    Eigen::Vector3f const& p = front.get_position();
    Eigen::Vector2f const extent =
        front.get_extent().value_or(Eigen::Vector2f(level._game_field_width, level._game_field_height));

    glBegin(GL_TRIANGLES);
    for (auto const face : _grid_mesh.faces())
    {
        for (auto const vertex : first_three_vertices(_grid_mesh, face))
        {
            Poly_mesh::Point const& v = _grid_mesh.point(vertex);
            Eigen::Vector3f const mapped(v[0] * extent.x() / 2.f + p.x(), p.y(), v[2] * extent.y() / 2.f + p.z());
            float heat = base;
            for (Brownian_element const* element : level._brownian_elements)
                if (element) heat += element->get_strength_at(mapped);
            float const c = temperature_shade(heat);
            glTexCoord2fv(_grid_mesh.texcoord2D(vertex).data());
            glColor3f(c, c, c);
            glVertex3fv(mapped.data());
        }
    }
    glEnd();
    release_temperature_program();
}
