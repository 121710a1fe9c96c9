#include "widgets/Ui_renderer.h"

#include "foundation/Data_config.h"
#include "gl/GL_utilities.h"
#include "gl/Image_conversion.h"
#include "gl/Particle_drawing.h"
#include "widgets/Application_font.h"
#include "widgets/Draggable_button.h"
#include "widgets/Draggable_spinbox.h"
#include "widgets/Draggable_statistics.h"
#include "widgets/Draggable_tooltip.h"
#include "widgets/Widget_painting.h"

#include <QImage>
#include <QOpenGLContext>

#include <GL/gl.h>

#include <algorithm>
#include <iostream>

namespace
{

// The textured quad of a spin box part, a hair inside the unit square so that
// the texture's repeat does not bleed in at the edges.
void draw_textured_quad(GLuint texture)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    draw_quad(0.99f, 0.99f);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void translate_to(Eigen::Vector3f const& point)
{
    glTranslatef(point.x(), point.y(), point.z());
}

} // namespace

Ui_renderer::~Ui_renderer()
{
    delete_own_textures();
}

void Ui_renderer::delete_own_textures()
{
    // After the window has gone there is no context to delete them with.
    if (!QOpenGLContext::currentContext()) return;
    for (GLuint texture : _digit_textures) glDeleteTextures(1, &texture);
    for (GLuint texture : {_arrow_up_texture, _arrow_down_texture})
        if (texture) glDeleteTextures(1, &texture);
    _digit_textures.clear();
    _arrow_up_texture = _arrow_down_texture = 0;
}

void Ui_renderer::init(QGLContext const* context, QSize const& size)
{
    World_renderer::init(context, size);
    delete_own_textures();

    _font = load_application_font("fonts/Matiz.ttf", "Ui_renderer::init");
    for (int digit = 0; digit < 10; ++digit) _digit_textures.push_back(upload(paint_digit(digit, _font, _width)));

    Data_config const* data = Data_config::instance();
    QString const up = data->find_in_data_paths_qstring("textures/spinbox_arrowup.png");
    QString const down = data->find_in_data_paths_qstring("textures/spinbox_arrowdown.png");
    _arrow_up_texture = create_texture_from_file(_gl_functions, up, true);
    _arrow_down_texture = create_texture_from_file(_gl_functions, down, true);
}

void Ui_renderer::resize(QSize const& size)
{
    World_renderer::resize(size);
    if (!QOpenGLContext::currentContext()) return;
    for (size_t digit = 0; digit < _digit_textures.size(); ++digit)
    {
        GLuint const previous = _digit_textures[digit];
        _digit_textures[digit] = upload(paint_digit(int(digit), _font, _width));
        delete_texture(_gl_functions, previous);
    }
}

GLuint Ui_renderer::upload(QImage const& image)
{
    return create_texture(_gl_functions, convert<Color4>(image), true, GL_RGBA, GL_REPEAT);
}

void Ui_renderer::replace_texture(Draggable_label& label, QImage const& image)
{
    GLuint const previous = label.get_texture();
    label.set_texture(upload(image));
    if (previous) delete_texture(_gl_functions, previous);
}

void Ui_renderer::generate_button_texture(Draggable_button& button)
{
    std::cout << "Ui_renderer::generate_button_texture"
              << " constructing button texture" << std::endl;
    replace_texture(button,
                    paint_button(viewport(), button.get_size(), QString::fromStdString(button.get_text()), _font));
}

void Ui_renderer::generate_label_texture(Draggable_label& label, int flags)
{
    replace_texture(label,
                    paint_label(viewport(), label.get_size(), QString::fromStdString(label.get_text()), _font, flags));
}

Eigen::Vector2f Ui_renderer::generate_flowing_text_label(Draggable_label& label, float width_fraction)
{
    std::cout << "Ui_renderer::generate_flowing_text_label" << std::endl;
    QImage const image =
        paint_flowing_text(viewport(), width_fraction, QString::fromStdString(label.get_text()), _font);
    label.set_size(fraction_of_viewport(image.size(), viewport()));
    replace_texture(label, image);
    return label.get_size();
}

void Ui_renderer::generate_statistics_texture(Draggable_statistics& plot, float duration, float time_limit)
{
    std::cout << "Ui_renderer::generate_statistics_texture"
              << " constructing statistic texture" << std::endl;
    replace_texture(plot, paint_statistics(viewport(), plot, duration, time_limit, _font));
}

std::unique_ptr<Draggable_tooltip> Ui_renderer::generate_tooltip(Eigen::Vector3f const& position,
                                                                 Eigen::Vector3f const& offset, std::string const& text)
{
    std::cout << "Ui_renderer::generate_tooltip" << std::endl;
    QImage const image = paint_tooltip_text(viewport(), QString::fromStdString(text), _font);
    Eigen::Vector2f const size = fraction_of_viewport(image.size(), viewport());
    auto tooltip = std::make_unique<Draggable_tooltip>(tooltip_position(position, offset, size), size);
    tooltip->set_texture(upload(image));
    return tooltip;
}

void Ui_renderer::draw_spinbox(Draggable_spinbox const& spinbox, bool picking, float alpha)
{
    Eigen::Affine3f const transform(spinbox.get_transform());
    float const a = _aspect_ratio;

    glPushMatrix();
    glColor4f(1.f, 1.f, 1.f, spinbox.get_alpha() * alpha);

    if (!_digit_textures.empty())
    {
        // One digit texture each: values beyond them show the nearest digit.
        int const digit = std::clamp(spinbox.get_value(), 0, int(_digit_textures.size()) - 1);
        glPushMatrix();
        translate_to(transform * Eigen::Vector3f::Zero());
        glScalef(0.018f / a, 0.018f, 1.f);
        draw_textured_quad(_digit_textures[size_t(digit)]);
        glPopMatrix();
    }

    glPushMatrix();
    translate_to(transform * spinbox.get_down_handle().get_position());
    glScalef(0.01f, 0.01f * a, 1.f);
    if (picking)
        draw_fullscreen_quad();
    else
        draw_textured_quad(_arrow_down_texture);
    glPopMatrix();

    glPushMatrix();
    translate_to(transform * spinbox.get_up_handle().get_position());
    glScalef(0.01f, 0.01f * a, 1.f);
    glRotatef(180.f, 0.f, 0.f, 1.f);
    if (picking)
        draw_fullscreen_quad();
    else
        draw_textured_quad(_arrow_up_texture);
    glPopMatrix();

    glPopMatrix();
}

void Ui_renderer::draw_curve_particles(Curve_particle_system const& system, int viewport_height)
{
    if (_particle_program) ::draw_curve_particles(*_particle_program, system, viewport_height);
}

void Ui_renderer::draw_targeted_particles(Targeted_particle_system const& system, int viewport_height)
{
    if (_particle_program) ::draw_targeted_particles(*_particle_program, system, viewport_height);
}
