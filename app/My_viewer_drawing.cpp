#include "app/My_viewer.h"

#include "app/Drawing_2d.h"

void My_viewer::begin_2d_drawing() const
{
    ::begin_2d_drawing();
}

void My_viewer::end_2d_drawing() const
{
    ::end_2d_drawing();
}

void My_viewer::draw_textured_quad(GLuint texture) const
{
    ::draw_textured_quad(texture);
}

void My_viewer::draw_button(Draggable_button const& button, bool picking, float alpha) const
{
    ::draw_button(button, picking, alpha);
}

void My_viewer::draw_label(Draggable_label const& label) const
{
    ::draw_label(label);
}

void My_viewer::draw_slider(Draggable_slider const& slider, bool picking, float alpha) const
{
    ::draw_slider(slider, picking, alpha, get_screen_aspect());
}

void My_viewer::draw_statistics(Draggable_statistics const& plot)
{
    ::draw_statistics(plot, _ui_renderer, camera()->screenHeight());
}

Eigen::Vector2f My_viewer::project_to_screen(Eigen::Vector3f const& point) const
{
    return ::project_to_screen(*camera(), point);
}

float My_viewer::get_screen_aspect() const
{
    int const height = camera()->screenHeight();
    return height > 0 ? float(camera()->screenWidth()) / float(height) : 1.f;
}
