#ifndef RENDERING_EDITOR_RENDERER_H
#define RENDERING_EDITOR_RENDERER_H

#include "gl/Mesh.h"
#include "gl/Texture_handle.h"
#include "rendering/Depth_texture.h"
#include "rendering/Level_element_draw_visitor.h"
#include "rendering/Level_element_ui_draw_visitor.h"
#include "rendering/World_renderer.h"

#include <QGLFramebufferObject>
#include <QGLShaderProgram>

#include <memory>
#include <string>

// The level designer's renderer: no backdrop and no blur, so every molecule
// and element stays sharp, and the heat of the Brownian elements laid as a grid
// over the field's front border.
class Editor_renderer : public World_renderer
{
public:
    static std::string name() { return "Editor Renderer"; }
    static World_renderer* create() { return new Editor_renderer; }

    Editor_renderer() = default;
    ~Editor_renderer() override;

    // Called again it frees what the first call made.
    void init(QGLContext const* context, QSize const& size) override;
    void resize(QSize const& size) override;
    void render(QGLFramebufferObject* target, Level_data& level, float time, qglviewer::Camera* camera) override;
    void set_parameters(Parameter_list const& parameters) override;

    GLuint get_scene_depth_texture() const { return _scene_depth.get(); }
    QGLFramebufferObject const* get_scene_target() const { return _scene_target.get(); }
    QGLFramebufferObject const* get_composite_target() const { return _composite_target.get(); }
    Level_element_draw_visitor& get_draw_visitor() { return _draw_visitor; }

private:
    void release_gl_resources();
    // Brings the depth of the scene and the composite to the target's layout.
    void match_depth_layout(GLuint target_framebuffer);
    void draw_temperature_mesh(Level_data& level, GLuint scene_texture, float time);

    Poly_mesh _sphere_mesh;
    Poly_mesh _grid_mesh;
    Texture_handle _ice_texture;
    Texture_handle _background_texture;
    Depth_texture _scene_depth;
    std::unique_ptr<QGLShaderProgram> _molecule_program;
    std::unique_ptr<QGLShaderProgram> _temperature_program;
    std::unique_ptr<QGLShaderProgram> _texture_copy_program;
    std::unique_ptr<QGLShaderProgram> _post_program;
    std::unique_ptr<QGLShaderProgram> _depth_blur_program;
    std::unique_ptr<QGLFramebufferObject> _scene_target;
    std::unique_ptr<QGLFramebufferObject> _composite_target;
    // The composite receives the scene's depth by a blit, so it has its own
    // depth texture in the scene's layout.
    Depth_texture _composite_depth;
    Level_element_draw_visitor _draw_visitor;
    Level_element_ui_draw_visitor _panel_visitor;
};

#endif
