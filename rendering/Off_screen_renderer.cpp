#include "rendering/Off_screen_renderer.h"

#include "rendering/Data_files.h"
#include "rendering/Frame_scope.h"
#include "rendering/Framebuffer_blit.h"
#include "rendering/Scene_passes.h"

#include <QOpenGLContext>

#include <GL/gl.h>

Off_screen_renderer::Off_screen_renderer(Program_files const& files, char const* frame_name)
    : _files(files), _frame_name(frame_name)
{
}

Off_screen_renderer::~Off_screen_renderer()
{
    if (!QOpenGLContext::currentContext() || !_context) return;
    _ice_texture.reset(0);
    _background_texture.reset(0);
    _scene_depth.release(*this);
    _composite_depth.release(*this);
}

void Off_screen_renderer::init(QGLContext const* context, QSize const& size)
{
    World_renderer::init(context, size);
    QStringList molecule_fragments{_files.molecule_fragment};
    if (_files.molecule_shading) molecule_fragments << _files.molecule_shading;
    _molecule_program = load_data_program(_context, _files.molecule_vertex, molecule_fragments);
    _temperature_program = load_data_program(_context, _files.temperature_vertex, "shaders/temperature.frag");
    _texture_copy_program =
        load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/simple_texture.frag");
    _post_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/post.frag");
    _depth_blur_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/depth_blur_1D.frag");
    _grid_mesh = load_grid_mesh();
    _ice_texture.reset(load_data_texture(_gl_functions, "textures/ice_texture.png", false));
    _background_texture.reset(load_data_texture(_gl_functions, "textures/iss_interior_1.png", false));
    resize(size);
    _draw_visitor.init(context, size);
    _panel_visitor.init(context, size);
}

void Off_screen_renderer::resize(QSize const& size)
{
    World_renderer::resize(size);
    Framebuffer_binding_scope const keep(*this);
    _scene_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::NoAttachment, GL_TEXTURE_2D);
    _composite_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::NoAttachment, GL_TEXTURE_2D);
    _scene_depth.specify(*this, _scene_depth.get_format(), _width, _height);
    _composite_depth.specify(*this, _scene_depth.get_format(), _width, _height);
    attach_depth_textures();
    _draw_visitor.set_particle_height_scale(float(_height) / 768.f);
}

void Off_screen_renderer::attach_depth_textures()
{
    glBindFramebuffer(GL_FRAMEBUFFER, _scene_target->handle());
    _scene_depth.attach(*this);
    glBindFramebuffer(GL_FRAMEBUFFER, _composite_target->handle());
    _composite_depth.attach(*this);
}

void Off_screen_renderer::match_depth_layout(GLuint target_framebuffer)
{
    std::optional<Depth_format> const target_depth = depth_format_of(*this, target_framebuffer);
    if (!target_depth || *target_depth == _scene_depth.get_format()) return;
    _scene_depth.specify(*this, *target_depth, _width, _height);
    _composite_depth.specify(*this, *target_depth, _width, _height);
    attach_depth_textures();
}

void Off_screen_renderer::render(QGLFramebufferObject* target, Level_data& level, float time, qglviewer::Camera* camera)
{
    Frame_scope const frame(*this, _width, _height);
    GLuint const target_framebuffer = target ? target->handle() : frame.caller_framebuffer();
    match_depth_layout(target_framebuffer);
    View_frame const view = view_frame(camera);

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    set_scene_light();
    glBindFramebuffer(GL_FRAMEBUFFER, _scene_target->handle());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw_scene(level, view);

    glBindFramebuffer(GL_FRAMEBUFFER, _composite_target->handle());
    compose(level, view, time);

    finish_scene(*this,
                 Scene_finish{_composite_target->texture(), _scene_target->handle(), target_framebuffer, _width,
                              _height, _frame_name},
                 *_texture_copy_program, level, _panel_visitor);
}

void Off_screen_renderer::set_parameters(Parameter_list const& parameters)
{
    read_scale(parameters);
}

void Off_screen_renderer::bind_temperature_program(GLuint scene_texture, float time)
{
    _temperature_program->bind();
    _temperature_program->setUniformValue("ice_texture", 0);
    _temperature_program->setUniformValue("scene_texture", 1);
    _temperature_program->setUniformValue("screen_size", QVector2D(float(_width), float(_height)));
    _temperature_program->setUniformValue("time", time);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, _ice_texture.get());
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, scene_texture);
}

void Off_screen_renderer::release_temperature_program()
{
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    _temperature_program->release();
}
