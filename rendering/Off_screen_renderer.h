#ifndef RENDERING_OFF_SCREEN_RENDERER_H
#define RENDERING_OFF_SCREEN_RENDERER_H

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

// The frame both scene renderers share. The scene is drawn into a scene target
// whose depth texture follows the layout of the caller's target (a depth blit
// needs the same on both sides), the subclass composes the picture in a second
// target, and that is copied into the caller's target with the scene's depth
// after it, so later overlays are depth-tested against the scene; the element
// panels come last.
class Off_screen_renderer : public World_renderer
{
public:
    ~Off_screen_renderer() override;

    // Called again (a renderer switch, the editor's rebuild) it frees what the
    // first call made.
    void init(QGLContext const* context, QSize const& size) override;
    void resize(QSize const& size) override;
    void render(QGLFramebufferObject* target, Level_data& level, float time, qglviewer::Camera* camera) final;
    void set_parameters(Parameter_list const& parameters) override;

    GLuint get_scene_depth_texture() const { return _scene_depth.get(); }
    QGLFramebufferObject const* get_scene_target() const { return _scene_target.get(); }
    QGLFramebufferObject const* get_composite_target() const { return _composite_target.get(); }
    Level_element_draw_visitor& get_draw_visitor() { return _draw_visitor; }

protected:
    // The shader files that differ between the renderers.
    struct Program_files
    {
        char const* molecule_vertex;
        char const* molecule_fragment;
        // Linked beside the molecule fragment shader for the functions it
        // declares, or null.
        char const* molecule_shading;
        char const* temperature_vertex;
    };

    // `frame_name` heads the frame's messages.
    Off_screen_renderer(Program_files const& files, char const* frame_name);

    // Into the bound scene target, cleared, with depth test, blending and the
    // scene light on.
    virtual void draw_scene(Level_data& level, View_frame const& view) = 0;
    // Fills the bound composite target from the scene target.
    virtual void compose(Level_data& level, View_frame const& view, float time) = 0;

    // The temperature program with its textures, screen size and time, bound
    // with the ice on unit 0 and the scene on unit 1; the release unbinds both.
    void bind_temperature_program(GLuint scene_texture, float time);
    void release_temperature_program();

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
    // The composite may receive the scene's depth by a blit, so it keeps its
    // own depth texture in the scene's layout.
    Depth_texture _composite_depth;
    Level_element_draw_visitor _draw_visitor;
    Level_element_ui_draw_visitor _panel_visitor;

private:
    void attach_depth_textures();
    void match_depth_layout(GLuint target_framebuffer);

    Program_files _files;
    char const* _frame_name;
};

#endif
