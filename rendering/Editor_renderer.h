#ifndef RENDERING_EDITOR_RENDERER_H
#define RENDERING_EDITOR_RENDERER_H

#include "gl/Mesh.h"
#include "rendering/Off_screen_renderer.h"

#include <string>

// The level designer's renderer: no backdrop and no blur, so every molecule
// and element stays sharp, and the heat of the Brownian elements laid as a grid
// over the field's front border.
class Editor_renderer : public Off_screen_renderer
{
public:
    static std::string name() { return "Editor Renderer"; }
    static World_renderer* create() { return new Editor_renderer; }

    Editor_renderer();

    void init(QGLContext const* context, QSize const& size) override;

private:
    void draw_scene(Level_data& level, View_frame const& view) override;
    void compose(Level_data& level, View_frame const& view, float time) override;
    void draw_temperature_mesh(Level_data& level, GLuint scene_texture, float time);

    Poly_mesh _sphere_mesh;
};

#endif
