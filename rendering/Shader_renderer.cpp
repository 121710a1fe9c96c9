#include "rendering/Shader_renderer.h"

#include "gl/GL_utilities.h"
#include "rendering/Data_files.h"
#include "rendering/Scene_passes.h"
#include "simulation/Level_data.h"

#include <QImage>
#include <QOpenGLContext>

#include <algorithm>
#include <iostream>

namespace
{

// The reflection map the molecules mirror: the background at 5 %, at least a
// pixel each way even for a tiny background.
QImage blurred_copy(QImage const& background)
{
    int const width = std::max(1, int(background.width() * 0.05f));
    int const height = std::max(1, int(background.height() * 0.05f));
    return background.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// Keeps the caller's framebuffer bindings across the creation of targets, which
// binds them on the way.
class Framebuffer_binding_keeper
{
public:
    explicit Framebuffer_binding_keeper(QOpenGLFunctions_3_3_Core& gl) : _gl(gl)
    {
        _gl.glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &_draw);
        _gl.glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &_read);
    }
    ~Framebuffer_binding_keeper()
    {
        _gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(_draw));
        _gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(_read));
    }

    Framebuffer_binding_keeper(Framebuffer_binding_keeper const&) = delete;
    Framebuffer_binding_keeper& operator=(Framebuffer_binding_keeper const&) = delete;

private:
    QOpenGLFunctions_3_3_Core& _gl;
    GLint _draw = 0;
    GLint _read = 0;
};

} // namespace

Shader_renderer::~Shader_renderer()
{
    std::cout << "Shader_renderer::~Shader_renderer" << std::endl;
    if (!QOpenGLContext::currentContext() || !_context) return;
    glBindTexture(GL_TEXTURE_2D, 0);
    release_gl_resources();
    glFinish();
}

void Shader_renderer::release_gl_resources()
{
    for (Texture_handle* texture :
         {&_ice_texture, &_background_texture, &_blurred_background_texture, &_background_grid_texture})
        texture->reset(0);
    _scene_depth.release(*this);
    _sphere_mesh.release_gl_objects();
    _cube_mesh.release_gl_objects();
}

void Shader_renderer::init(QGLContext const* context, QSize const& size)
{
    World_renderer::init(context, size);
    load_programs();
    load_meshes();
    load_textures();
    resize(size);
    _draw_visitor.init(context, size);
    _panel_visitor.init(context, size);
    if (!_background_name.empty()) apply_background(_background_name);
}

void Shader_renderer::load_programs()
{
    _molecule_program = load_data_program(_context, "shaders/mesh.vert", "shaders/molecule_new.frag");
    _temperature_program = load_data_program(_context, "shaders/mesh.vert", "shaders/temperature.frag");
    _texture_copy_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/simple_texture.frag");
    _post_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/post.frag");
    _depth_blur_program = load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/depth_blur_1D.frag");
}

void Shader_renderer::load_meshes()
{
    _sphere_mesh.init(load_data_mesh("meshes/icosphere_3.obj"));
    _grid_mesh = load_grid_mesh();
    _cube_mesh.init(load_data_mesh("meshes/grid_cube.obj"), true);
    _cube_mesh.init_color_buffer();
    _cube_colors.assign(size_t(_cube_mesh.get_num_vertices()) * 3, 0.f);
    _hemisphere_mesh = load_data_mesh("meshes/bg_hemisphere.obj");
}

void Shader_renderer::load_textures()
{
    _ice_texture.reset(load_data_texture(_gl_functions, "textures/ice_texture.png", false));
    _background_texture.reset(load_data_texture(_gl_functions, "textures/iss_interior_1.png", false));
    _blurred_background_texture.reset(load_data_texture(_gl_functions, "textures/iss_interior_1_blurred.png", false));
    _background_grid_texture.reset(load_data_texture(_gl_functions, "textures/background_grid.png", false));
}

void Shader_renderer::resize(QSize const& size)
{
    std::cout << "Shader_renderer::resize" << std::endl;
    World_renderer::resize(size);
    Framebuffer_binding_keeper const keep(*this);

    _scene_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::NoAttachment, GL_TEXTURE_2D);
    _scene_depth.specify(*this, _scene_depth.get_format(), _width, _height);
    glBindFramebuffer(GL_FRAMEBUFFER, _scene_target->handle());
    _scene_depth.attach(*this);

    for (Texture_handle& target : _blur_targets)
        target.reset(create_texture(*this, _width, _height, nullptr, GL_RGBA32F, GL_RGBA, GL_FLOAT, GL_NEAREST,
                                    GL_REPEAT));

    _blur_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::Depth, GL_TEXTURE_2D);
    _composite_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::Depth, GL_TEXTURE_2D);
    _draw_visitor.set_particle_height_scale(float(_height) / 768.f);
}

void Shader_renderer::load_texture(Level_data const& level)
{
    apply_background(level._background_name);
}

void Shader_renderer::apply_background(std::string const& name)
{
    try
    {
        QImage const background = load_data_image(QString::fromStdString("textures/" + name));
        GLuint const sharp = create_texture(_gl_functions, background, false);
        GLuint const blurred = create_texture(_gl_functions, blurred_copy(background), false);
        _background_texture.reset(sharp);
        _blurred_background_texture.reset(blurred);
        _background_name = name;
    }
    catch (std::exception const& error)
    {
        std::cout << "Shader_renderer::load_texture " << name << ": " << error.what() << std::endl;
    }
}

void Shader_renderer::set_parameters(Parameter_list const& parameters)
{
    read_scale(parameters);
}
