#include "rendering/Editor_renderer.h"

#include "gl/GL_utilities.h"
#include "rendering/Atom_spheres.h"
#include "rendering/Data_files.h"
#include "rendering/Frame_scope.h"
#include "rendering/Framebuffer_blit.h"
#include "rendering/Scene_passes.h"
#include "rendering/Shader_uniforms.h"
#include "rendering/Temperature_shade.h"
#include "simulation/Level_data.h"

#include <QOpenGLContext>

#include <GL/gl.h>

#include <iostream>

Editor_renderer::~Editor_renderer()
{
    if (!QOpenGLContext::currentContext() || !_context) return;
    release_gl_resources();
}

void Editor_renderer::release_gl_resources()
{
    _ice_texture.reset(0);
    _background_texture.reset(0);
    _scene_depth.release(*this);
    _composite_depth.release(*this);
}

void Editor_renderer::init(QGLContext const* context, QSize const& size)
{
    World_renderer::init(context, size);
    _molecule_program = load_data_program(_context, "shaders/simple.vert", "shaders/molecule.frag");
    _temperature_program = load_data_program(_context, "shaders/temperature.vert", "shaders/temperature.frag");
    _texture_copy_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/simple_texture.frag");
    _post_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/post.frag");
    _depth_blur_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/depth_blur_1D.frag");

    _sphere_mesh = load_data_mesh("meshes/icosphere_3.obj");
    _grid_mesh = load_grid_mesh();

    _ice_texture.reset(load_data_texture(_gl_functions, "textures/ice_texture.png", false));
    _background_texture.reset(load_data_texture(_gl_functions, "textures/iss_interior_1.png", false));

    resize(size);
    _draw_visitor.init(context, size);
    _panel_visitor.init(context, size);
}

void Editor_renderer::resize(QSize const& size)
{
    World_renderer::resize(size);
    GLint draw = 0;
    GLint read = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &draw);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);

    _scene_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::NoAttachment, GL_TEXTURE_2D);
    _composite_target =
        std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::NoAttachment, GL_TEXTURE_2D);
    _scene_depth.specify(*this, _scene_depth.get_format(), _width, _height);
    _composite_depth.specify(*this, _scene_depth.get_format(), _width, _height);
    glBindFramebuffer(GL_FRAMEBUFFER, _scene_target->handle());
    _scene_depth.attach(*this);
    glBindFramebuffer(GL_FRAMEBUFFER, _composite_target->handle());
    _composite_depth.attach(*this);

    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(draw));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(read));
    _draw_visitor.set_particle_height_scale(float(_height) / 768.f);
}

void Editor_renderer::match_depth_layout(GLuint target_framebuffer)
{
    std::optional<Depth_format> const target_depth = depth_format_of(*this, target_framebuffer);
    if (!target_depth || *target_depth == _scene_depth.get_format()) return;
    _scene_depth.specify(*this, *target_depth, _width, _height);
    _composite_depth.specify(*this, *target_depth, _width, _height);
    glBindFramebuffer(GL_FRAMEBUFFER, _scene_target->handle());
    _scene_depth.attach(*this);
    glBindFramebuffer(GL_FRAMEBUFFER, _composite_target->handle());
    _composite_depth.attach(*this);
}

void Editor_renderer::render(QGLFramebufferObject* target, Level_data& level, float time, qglviewer::Camera* camera)
{
    Frame_scope const frame(*this, _width, _height);
    GLuint const target_framebuffer = target ? target->handle() : frame.caller_framebuffer();
    match_depth_layout(target_framebuffer);

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    set_scene_light();

    glBindFramebuffer(GL_FRAMEBUFFER, _scene_target->handle());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);

    View_frame const view = view_frame(camera);
    _molecule_program->bind();
    set_view_uniforms(*_molecule_program);
    _molecule_program->setUniformValue("light_pos", QVector3D(-5.f, 5.f, 5.f));
    _molecule_program->setUniformValue(
        "camera_pos", QVector3D(view.camera_position.x(), view.camera_position.y(), view.camera_position.z()));
    draw_atom_spheres(*this, *_molecule_program, level, _scale, [this] { draw_mesh(_sphere_mesh); });
    _molecule_program->release();

    draw_level_elements(level, _draw_visitor);

    blit_framebuffer(*this, _scene_target->handle(), _composite_target->handle(), _width, _height,
                     GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, "Editor_renderer::render");
    glBindFramebuffer(GL_FRAMEBUFFER, _composite_target->handle());
    draw_temperature_mesh(level, _scene_target->texture(), time);

    finish_scene(*this,
                 Scene_finish{_composite_target->texture(), _scene_target->handle(), target_framebuffer, _width,
                              _height, "Editor_renderer::render"},
                 *_texture_copy_program, level, _panel_visitor);
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
    _temperature_program->bind();
    _temperature_program->setUniformValue("ice_texture", 0);
    _temperature_program->setUniformValue("scene_texture", 1);
    _temperature_program->setUniformValue("screen_size", QVector2D(float(_width), float(_height)));
    _temperature_program->setUniformValue("time", time);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, _ice_texture.get());
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, scene_texture);

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

    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    _temperature_program->release();
}

void Editor_renderer::set_parameters(Parameter_list const& parameters)
{
    read_scale(parameters);
}
