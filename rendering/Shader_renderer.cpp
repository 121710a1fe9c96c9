#include "rendering/Shader_renderer.h"

#include "gl/GL_utilities.h"
#include "gl/Software_rasteriser.h"
#include "rendering/Data_files.h"
#include "rendering/Framebuffer_blit.h"
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

} // namespace

Shader_renderer::Software_shortcuts Shader_renderer::Software_shortcuts::for_current_context()
{
    bool const software = is_software_rasteriser();
    return Software_shortcuts{software, software};
}

Shader_renderer::Shader_renderer()
    : Off_screen_renderer(
          {"shaders/mesh.vert", "shaders/molecule_new.frag", "shaders/atom_shading.frag", "shaders/mesh.vert"},
          "Shader_renderer::render")
{
}

Shader_renderer::~Shader_renderer()
{
    std::cout << "Shader_renderer::~Shader_renderer" << std::endl;
    if (!QOpenGLContext::currentContext() || !_context) return;
    glBindTexture(GL_TEXTURE_2D, 0);
    _blurred_background_texture.reset(0);
    _background_grid_texture.reset(0);
    for (Texture_handle& target : _half_size_blur_targets) target.reset(0);
    _sphere_mesh.release_gl_objects();
    _atom_impostors.release_gl_objects();
    _cube_mesh.release_gl_objects();
    glFinish();
}

void Shader_renderer::init(QGLContext const* context, QSize const& size)
{
    _shortcuts = Software_shortcuts::for_current_context();
    if (_shortcuts.half_size_blur || _shortcuts.ray_cast_spheres)
        std::cout << "Shader_renderer::init software renderer: half-size blur and ray-cast spheres" << std::endl;
    Off_screen_renderer::init(context, size);
    _blur_overlay_program =
        load_data_program(_context, "shaders/fullscreen_square.vert", "shaders/depth_blur_overlay.frag");
    // Both ways of drawing atoms, so that the shortcuts can be switched.
    _sphere_mesh.init(load_data_mesh("meshes/icosphere_3.obj"));
    _atom_impostors.init(_context);
    _cube_mesh.init(load_data_mesh("meshes/grid_cube.obj"), true);
    _cube_mesh.init_color_buffer();
    // The buffer starts as the colours kept here, which each frame compares with.
    _cube_colors.assign(size_t(_cube_mesh.get_num_vertices()) * 3, 0.f);
    _cube_mesh.update_colors(_cube_colors.data());
    _hemisphere_mesh = load_data_mesh("meshes/bg_hemisphere.obj");
    _blurred_background_texture.reset(load_data_texture(_gl_functions, "textures/iss_interior_1_blurred.png", false));
    _background_grid_texture.reset(load_data_texture(_gl_functions, "textures/background_grid.png", false));
    if (!_background_name.empty()) apply_background(_background_name);
}

void Shader_renderer::resize(QSize const& size)
{
    std::cout << "Shader_renderer::resize" << std::endl;
    Off_screen_renderer::resize(size);
    Framebuffer_binding_scope const keep(*this);
    create_blur_targets();
    _blur_target = std::make_unique<QGLFramebufferObject>(size, QGLFramebufferObject::Depth, GL_TEXTURE_2D);
}

void Shader_renderer::create_blur_targets()
{
    // Clamped: a tap beyond the top edge must not read the bottom's picture.
    // The blur at half size leaves the full-size targets only its finished
    // picture, which bytes hold and a software rasteriser moves faster.
    GLint const full_size_format = _shortcuts.half_size_blur ? GL_RGBA8 : GL_RGBA32F;
    for (Texture_handle& target : _blur_targets)
        target.reset(create_texture(*this, _width, _height, nullptr, full_size_format, GL_RGBA, GL_FLOAT, GL_NEAREST,
                                    GL_CLAMP_TO_EDGE));
    // Floats: the first pass keeps each pixel's blur radius in alpha. The
    // second pass reads it unfiltered, as the full-size passes read theirs; the
    // overlay reads the second filtered, to spread it smoothly over the full size.
    GLint const filters[2] = {GL_NEAREST, GL_LINEAR};
    for (int pass = 0; pass < 2; ++pass)
    {
        _half_size_blur_targets[pass].reset(
            _shortcuts.half_size_blur ? create_texture(*this, (_width + 1) / 2, (_height + 1) / 2, nullptr, GL_RGBA16F,
                                                       GL_RGBA, GL_FLOAT, filters[pass], GL_CLAMP_TO_EDGE)
                                      : 0);
    }
}

void Shader_renderer::set_software_shortcuts(Software_shortcuts shortcuts)
{
    _shortcuts = shortcuts;
    Framebuffer_binding_scope const keep(*this);
    create_blur_targets();
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
