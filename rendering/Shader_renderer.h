#ifndef RENDERING_SHADER_RENDERER_H
#define RENDERING_SHADER_RENDERER_H

#include "gl/GL_mesh2.h"
#include "gl/Mesh.h"
#include "gl/Texture_handle.h"
#include "rendering/Depth_texture.h"
#include "rendering/Level_element_draw_visitor.h"
#include "rendering/Level_element_ui_draw_visitor.h"
#include "rendering/Shader_uniforms.h"
#include "rendering/World_renderer.h"

#include <QGLFramebufferObject>
#include <QGLShaderProgram>

#include <memory>
#include <string>

// The game's renderer: the station backdrop, glossy molecules that mirror the
// blurred background, the elements, a depth-of-field blur in two passes, the
// temperature of the field as a translucent box, and the element panels.
class Shader_renderer : public World_renderer
{
public:
    static std::string name() { return "Shader Renderer"; }
    static World_renderer* create() { return new Shader_renderer; }

    Shader_renderer() = default;
    ~Shader_renderer() override;

    // Called again (a renderer switch, the editor's rebuild) it frees what the
    // first call made and brings back the background of the last level loaded.
    void init(QGLContext const* context, QSize const& size) override;
    void resize(QSize const& size) override;
    void render(QGLFramebufferObject* target, Level_data& level, float time, qglviewer::Camera* camera) override;
    // The level's background and its blurred copy. A background that cannot be
    // read is reported and the current pair kept.
    void load_texture(Level_data const& level) override;
    void set_parameters(Parameter_list const& parameters) override;

    GLuint get_scene_depth_texture() const { return _scene_depth.get(); }
    GLuint get_background_texture() const { return _background_texture.get(); }
    GLuint get_blurred_background_texture() const { return _blurred_background_texture.get(); }
    GLuint get_blur_texture(int index) const { return _blur_targets[index].get(); }
    QGLFramebufferObject const* get_scene_target() const { return _scene_target.get(); }
    QGLFramebufferObject const* get_composite_target() const { return _composite_target.get(); }
    Level_element_draw_visitor& get_draw_visitor() { return _draw_visitor; }

private:
    void load_programs();
    void load_meshes();
    void load_textures();
    // Loads the pair from the image first and swaps only once both exist.
    void apply_background(std::string const& name);
    void release_gl_resources();

    void draw_scene(Level_data& level, View_frame const& view);
    void draw_background_cube();
    void blur_scene(View_frame const& view);
    void blur_pass(GLuint source, Texture_handle const& destination, Eigen::Vector2f const& direction);
    void draw_temperature_cube(Level_data& level, GLuint scene_texture, float time);

    GL_mesh2 _sphere_mesh;
    Poly_mesh _grid_mesh;
    GL_mesh2 _cube_mesh;
    Poly_mesh _hemisphere_mesh;
    Texture_handle _ice_texture;
    Texture_handle _background_texture;
    Texture_handle _blurred_background_texture;
    Texture_handle _background_grid_texture;
    Depth_texture _scene_depth;
    Texture_handle _blur_targets[2];
    std::unique_ptr<QGLShaderProgram> _molecule_program;
    std::unique_ptr<QGLShaderProgram> _temperature_program;
    std::unique_ptr<QGLShaderProgram> _texture_copy_program;
    std::unique_ptr<QGLShaderProgram> _post_program;
    std::unique_ptr<QGLShaderProgram> _depth_blur_program;
    std::unique_ptr<QGLFramebufferObject> _scene_target;
    std::unique_ptr<QGLFramebufferObject> _blur_target;
    std::unique_ptr<QGLFramebufferObject> _composite_target;
    Level_element_draw_visitor _draw_visitor;
    Level_element_ui_draw_visitor _panel_visitor;

    // The background last loaded, brought back by a second init.
    std::string _background_name;
    std::vector<float> _cube_colors;
};

#endif
