#ifndef WIDGETS_UI_RENDERER_H
#define WIDGETS_UI_RENDERER_H

#include "rendering/World_renderer.h"

#include <Eigen/Core>

#include <QFont>

#include <memory>
#include <string>
#include <vector>

class Curve_particle_system;
class Draggable_button;
class Draggable_label;
class Draggable_spinbox;
class Draggable_statistics;
class Draggable_tooltip;
class QImage;
class Targeted_particle_system;

// Paints the in-GL widgets' textures for the current viewport and uploads them,
// each replacing (and deleting) the widget's previous texture. It also holds
// the widgets' font, the digit and arrow textures of spin boxes, and draws spin
// boxes and particle effects. Everything but construction needs init first and
// a current context.
class Ui_renderer : public World_renderer
{
public:
    Ui_renderer() = default;
    ~Ui_renderer() override;

    // The base set-up, then the font "fonts/Matiz.ttf", the ten digit textures
    // and the two arrow textures. A missing font or arrow file throws "No such file.".
    void init(QGLContext const* context, QSize const& size) override;
    // The digits are painted again for the new width.
    void resize(QSize const& size) override;

    void generate_button_texture(Draggable_button& button);
    void generate_label_texture(Draggable_label& label, int flags);
    // Sets the label's size to the text's and returns it.
    Eigen::Vector2f generate_flowing_text_label(Draggable_label& label, float width_fraction);
    void generate_statistics_texture(Draggable_statistics& plot, float duration, float time_limit);
    // A tooltip for a widget at `position`, placed off it by half of offset.y.
    std::unique_ptr<Draggable_tooltip> generate_tooltip(Eigen::Vector3f const& position, Eigen::Vector3f const& offset,
                                                        std::string const& text);

    // Immediate mode in the caller's 2D matrices; picking draws the arrows as bare quads.
    void draw_spinbox(Draggable_spinbox const& spinbox, bool picking, float alpha);
    void draw_curve_particles(Curve_particle_system const& system, int viewport_height);
    void draw_targeted_particles(Targeted_particle_system const& system, int viewport_height);

    QFont const& get_font() const { return _font; }
    std::vector<GLuint> const& get_digit_textures() const { return _digit_textures; }
    GLuint get_arrow_up_texture() const { return _arrow_up_texture; }
    GLuint get_arrow_down_texture() const { return _arrow_down_texture; }

private:
    QSize viewport() const { return QSize(_width, _height); }
    GLuint upload(QImage const& image);
    // Creates the new texture before deleting the old one, so the label never
    // gets its old name back.
    void replace_texture(Draggable_label& label, QImage const& image);
    void delete_own_textures();

    std::vector<GLuint> _digit_textures;
    GLuint _arrow_up_texture = 0;
    GLuint _arrow_down_texture = 0;
    QFont _font;
};

#endif
