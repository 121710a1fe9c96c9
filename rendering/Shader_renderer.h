#ifndef RENDERING_SHADER_RENDERER_H
#define RENDERING_SHADER_RENDERER_H

#include "gl/GL_mesh2.h"
#include "rendering/Atom_impostors.h"
#include "rendering/Off_screen_renderer.h"

#include <string>
#include <vector>

// The game's renderer: the hall around the field, glossy molecules that mirror
// the blurred background, the elements, a depth-of-field blur in two passes,
// the temperature of the field as a translucent haze, and the element panels.
class Shader_renderer : public Off_screen_renderer
{
public:
    static std::string name() { return "Shader Renderer"; }
    static World_renderer* create() { return new Shader_renderer; }

    // Cheaper passes for a software rasteriser, where the full ones cannot keep
    // thirty frames a second. Each changes the picture a little on any GL, so
    // init() takes them only when the renderer is a software one.
    struct Software_shortcuts
    {
        // The two depth-of-field passes at half the size each way, laid over
        // the sharp scene by each pixel's own blur radius.
        bool half_size_blur = false;
        // Atoms as ray-cast spheres, a square each, instead of spheres of
        // 1280 triangles: the software rasteriser's set-up stage follows the
        // triangle count.
        bool ray_cast_spheres = false;

        static Software_shortcuts for_current_context();
    };

    Shader_renderer();
    ~Shader_renderer() override;

    // Called again it also brings back the background of the last level loaded.
    void init(QGLContext const* context, QSize const& size) override;
    void resize(QSize const& size) override;
    // The level's background and its blurred copy. A background that cannot be
    // read is reported and the current pair kept.
    void load_texture(Level_data const& level) override;

    GLuint get_background_texture() const { return _background_texture.get(); }
    GLuint get_blurred_background_texture() const { return _blurred_background_texture.get(); }
    GLuint get_blur_texture(int index) const { return _blur_targets[index].get(); }

    Software_shortcuts get_software_shortcuts() const { return _shortcuts; }
    // After init; rebuilds the targets they concern.
    void set_software_shortcuts(Software_shortcuts shortcuts);

private:
    void draw_scene(Level_data& level, View_frame const& view) override;
    void compose(Level_data& level, View_frame const& view, float time) override;

    // Loads the pair from the image first and swaps only once both exist.
    void apply_background(std::string const& name);
    void draw_background_cube();
    void blur_scene(View_frame const& view);
    void blur_pass(GLuint source, Texture_handle const& destination, Eigen::Vector2f const& direction);
    // The half-size blur over the sharp scene, into the second blur target.
    void lay_blur_over_scene(View_frame const& view);
    void create_blur_targets();
    // Through the bound program, with the reflection map bound.
    void set_atom_shading_uniforms(QGLShaderProgram& program, View_frame const& view);
    void draw_atoms(Level_data const& level, View_frame const& view);
    void draw_temperature_cube(Level_data& level, GLuint scene_texture, float time);

    GL_mesh2 _sphere_mesh;
    Atom_impostors _atom_impostors;
    GL_mesh2 _cube_mesh;
    Poly_mesh _hemisphere_mesh;
    Texture_handle _blurred_background_texture;
    Texture_handle _background_grid_texture;
    Texture_handle _blur_targets[2];
    Texture_handle _half_size_blur_targets[2];
    std::unique_ptr<QGLShaderProgram> _blur_overlay_program;
    Software_shortcuts _shortcuts;
    std::unique_ptr<QGLFramebufferObject> _blur_target;

    // The background last loaded, brought back by a second init.
    std::string _background_name;
    std::vector<float> _cube_colors;
};

#endif
