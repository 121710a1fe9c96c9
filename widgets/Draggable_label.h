#ifndef WIDGETS_DRAGGABLE_LABEL_H
#define WIDGETS_DRAGGABLE_LABEL_H

#include "gl/Color.h"
#include "widgets/Draggable.h"

#include <qopengl.h>

#include <Eigen/Core>

#include <string>

// A text drawn as a texture in normalised screen coordinates: its position is
// its centre, its size its full width and height as fractions of the viewport.
// It may be clicked but not dragged. It owns its texture, so it is not copyable.
class Draggable_label : public Draggable
{
public:
    Draggable_label(Eigen::Vector3f const& position, Eigen::Vector2f const& size, std::string const& text);
    Draggable_label(Draggable_label const&) = delete;
    Draggable_label& operator=(Draggable_label const&) = delete;
    ~Draggable_label() override;

    std::vector<Draggable*> get_draggables(int flags) override;

    float get_alpha() const { return _alpha; }
    void set_alpha(float alpha) { _alpha = alpha; }
    // 0 until a texture has been painted.
    GLuint get_texture() const { return _texture; }
    // Takes the texture over; the caller deletes the one it replaces.
    void set_texture(GLuint texture) { _texture = texture; }
    Eigen::Vector2f const& get_size() const { return _size; }
    void set_size(Eigen::Vector2f const& size) { _size = size; }
    std::string const& get_text() const { return _text; }
    void set_text(std::string const& text);
    Color4 const& get_color() const { return _color; }
    void set_color(Color4 const& color) { _color = color; }

protected:
    float _alpha = 1.f;
    GLuint _texture = 0;
    Eigen::Vector2f _size;
    std::string _text;
    Color4 _color{1.f, 1.f, 1.f, 1.f};
};

// Maps the square -1..1 onto a widget's rectangle of the given centre and size.
Eigen::Matrix4f rectangle_transform(Eigen::Vector3f const& centre, Eigen::Vector2f const& size);

// Deletes a widget texture with the current context; without one (the window
// already gone) there is nothing left to delete.
void delete_widget_texture(GLuint texture);

#endif
