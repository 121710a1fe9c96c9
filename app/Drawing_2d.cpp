#include "app/Drawing_2d.h"

#include "gl/GL_utilities.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_slider.h"
#include "widgets/Draggable_statistics.h"
#include "widgets/Ui_renderer.h"

#include <Eigen/Geometry>

#include <QGLViewer/camera.h>

#include <GL/gl.h>

namespace
{

void translate_to(Eigen::Vector3f const& point)
{
    glTranslatef(point.x(), point.y(), point.z());
}

// Into the frame in which the unit quad covers the widget's rectangle.
void enter_rectangle(Eigen::Vector3f const& centre, Eigen::Vector2f const& size)
{
    translate_to(centre);
    glScalef(size.x() / 2.f, size.y() / 2.f, 1.f);
}

} // namespace

void begin_2d_drawing()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, 1.0, 0.0, 1.0, 0.0, -1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void end_2d_drawing()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void draw_textured_quad(GLuint texture)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    draw_fullscreen_quad();
    glBindTexture(GL_TEXTURE_2D, 0);
}

void draw_button(Draggable_button const& button, bool picking, float alpha)
{
    glPushMatrix();
    enter_rectangle(button.get_position(), button.get_size());
    if (picking)
    {
        draw_fullscreen_quad();
    }
    else
    {
        if (button.is_checkable() && !button.is_checked()) glColor4f(0.8f, 0.8f, 0.9f, alpha * 0.7f);
        draw_textured_quad(button.get_texture());
        glColor4f(1.f, 1.f, 1.f, alpha);
    }
    glPopMatrix();
}

void draw_label(Draggable_label const& label)
{
    glPushMatrix();
    enter_rectangle(label.get_position(), label.get_size());
    Color4 const& color = label.get_color();
    glColor4f(color.r, color.g, color.b, label.get_alpha());
    draw_textured_quad(label.get_texture());
    glPopMatrix();
}

void draw_slider(Draggable_slider const& slider, bool picking, float alpha, float screen_aspect)
{
    Eigen::Affine3f const transform(slider.get_transform());
    Eigen::Vector3f const& position = slider.get_position();
    Eigen::Vector2f const& size = slider.get_size();

    glPushMatrix();
    if (!picking)
    {
        Eigen::Vector3f const left = transform * Eigen::Vector3f(-1.f, 0.f, 0.f);
        Eigen::Vector3f const right = transform * Eigen::Vector3f(1.f, 0.f, 0.f);
        GLfloat line_width = 1.f;
        glGetFloatv(GL_LINE_WIDTH, &line_width);
        glLineWidth(2.f);
        glColor3f(0.2f, 0.2f, 0.3f);
        glBegin(GL_LINES);
        glVertex3f(left.x(), left.y(), left.z());
        glVertex3f(right.x(), right.y(), right.z());
        glEnd();
        glLineWidth(line_width);

        // The icon has a matrix of its own, so that the handle lands where the
        // picking pass, which draws no icon, puts it.
        glColor3f(1.f, 1.f, 1.f);
        glPushMatrix();
        translate_to(Eigen::Vector3f(position.x() - size.x() / 2.f - size.y() / 2.f, position.y(), position.z()));
        glScalef(size.y() * 0.3f, size.y() * 0.3f * screen_aspect, 1.f);
        draw_textured_quad(slider.get_texture());
        glPopMatrix();
    }

    translate_to(transform * slider.get_handle().get_position());
    glScalef(0.01f, 0.01f * screen_aspect, 1.f);
    glColor4f(1.f, 1.f, 1.f, slider.get_alpha() * alpha);
    if (picking)
        draw_fullscreen_quad();
    else
        draw_textured_quad(slider.get_handle_texture());
    glPopMatrix();
}

void draw_statistics(Draggable_statistics const& plot, Ui_renderer& renderer, int viewport_height)
{
    if (!plot.has_data()) return;

    glColor3f(1.f, 1.f, 1.f);
    glPushMatrix();
    enter_rectangle(plot.get_position(), plot.get_size());
    draw_textured_quad(plot.get_texture());
    // The widget's rectangle as 0..1, then the plot area inside its frame.
    glScalef(2.f, 2.f, 1.f);
    glTranslatef(-0.5f, -0.5f, 0.f);
    glTranslatef(0.1f, 0.15f, 0.f);
    glScalef(0.8f, 0.6f, 1.f);
    renderer.draw_curve_particles(plot.get_particles(), viewport_height);
    glPopMatrix();
}

Eigen::Vector2f project_to_screen(qglviewer::Camera const& camera, Eigen::Vector3f const& point)
{
    qglviewer::Vec const projected = camera.projectedCoordinatesOf(qglviewer::Vec(point.x(), point.y(), point.z()));
    return Eigen::Vector2f(float(projected.x / camera.screenWidth()), float(1.0 - projected.y / camera.screenHeight()));
}
