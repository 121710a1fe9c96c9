#include "rendering/Level_element_ui_draw_visitor.h"

#include "gl/GL_utilities.h"
#include "rendering/Data_files.h"
#include "simulation/Brownian_box.h"
#include "simulation/Charged_barrier.h"
#include "simulation/Tractor_barrier.h"

#include <GL/gl.h>

void Level_element_ui_draw_visitor::init(QGLContext const* /*context*/, QSize const& /*size*/)
{
    initialize_gl_functions(_gl);
    _brownian_panel_texture.reset(load_data_texture(_gl, "textures/brownian_panel.png", true));
    _tractor_panel_texture.reset(load_data_texture(_gl, "textures/tractor_panel.png", true));
    _charged_barrier_panel_texture.reset(load_data_texture(_gl, "textures/panel_charged_barrier.png", true));
}

void Level_element_ui_draw_visitor::visit(Brownian_box& element)
{
    draw_panel(element, element.get_extent().y(), _brownian_panel_texture.get());
}

void Level_element_ui_draw_visitor::visit(Charged_barrier& element)
{
    draw_panel(element, element.get_extent().y(), _charged_barrier_panel_texture.get());
}

void Level_element_ui_draw_visitor::visit(Tractor_barrier& element)
{
    draw_panel(element, element.get_extent().y(), _tractor_panel_texture.get());
}

// Upright in the element's x-z plane, just in front of its near face and below
// its centre.
void Level_element_ui_draw_visitor::draw_panel(Level_element const& element, float extent_y, GLuint texture)
{
    if (!(element.get_user_editable() & Level_element::Property)) return;
    Eigen::Vector3f const& position = element.get_position();
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glTranslatef(position.x(), position.y(), position.z());
    glMultMatrixf(element.get_transform().data());
    glTranslatef(0.f, -extent_y / 2.f - 0.01f, -5.f);
    glScalef(8.24f, 1.f, 3.47f);
    glRotatef(90.f, 1.f, 0.f, 0.f);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor4f(1.f, 1.f, 1.f, 1.f);
    draw_fullscreen_quad();
    glBindTexture(GL_TEXTURE_2D, 0);
    glPopMatrix();
}
