#ifndef RENDERING_LEVEL_ELEMENT_UI_DRAW_VISITOR_H
#define RENDERING_LEVEL_ELEMENT_UI_DRAW_VISITOR_H

#include "gl/GL_functions.h"
#include "gl/Texture_handle.h"
#include "simulation/Level_element_visitor.h"

#include <QSize>

class Level_element;
class QGLContext;

// The textured control panel in front of every element whose properties the
// player may edit: heating boxes, charged barriers and tractors. The parameter
// handles are drawn over it.
class Level_element_ui_draw_visitor : public Level_element_visitor
{
public:
    // Loads (or, called again, replaces and frees) the three panel textures.
    void init(QGLContext const* context, QSize const& size);

    void visit(Brownian_box& element) override;
    void visit(Charged_barrier& element) override;
    void visit(Tractor_barrier& element) override;

private:
    void draw_panel(Level_element const& element, float extent_y, GLuint texture);

    Texture_handle _brownian_panel_texture;
    Texture_handle _tractor_panel_texture;
    Texture_handle _charged_barrier_panel_texture;
    GL_functions _gl;
};

#endif
