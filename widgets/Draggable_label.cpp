#include "widgets/Draggable_label.h"

#include <Eigen/Geometry>

#include <QOpenGLContext>
#include <QOpenGLFunctions>

Draggable_label::Draggable_label(Eigen::Vector3f const& position, Eigen::Vector2f const& size, std::string const& text)
    : Draggable(position), _size(size), _text(text)
{
    _draggable = false;
}

Draggable_label::~Draggable_label()
{
    delete_widget_texture(_texture);
}

std::vector<Draggable*> Draggable_label::get_draggables(int /*flags*/)
{
    return {this};
}

void Draggable_label::set_text(std::string const& text)
{
    if (&text != &_text) _text = text;
}

void delete_widget_texture(GLuint texture)
{
    if (texture == 0) return;
    QOpenGLContext* context = QOpenGLContext::currentContext();
    if (context) context->functions()->glDeleteTextures(1, &texture);
}

Eigen::Matrix4f rectangle_transform(Eigen::Vector3f const& centre, Eigen::Vector2f const& size)
{
    Eigen::Affine3f transform = Eigen::Affine3f::Identity();
    transform.translate(centre);
    transform.scale(Eigen::Vector3f(size.x() / 2.f, size.y() / 2.f, 1.f));
    return transform.matrix();
}
