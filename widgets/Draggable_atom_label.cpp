#include "widgets/Draggable_atom_label.h"

#include <QGLViewer/camera.h>

Draggable_atom_label::Draggable_atom_label(Eigen::Vector3f const& position, Eigen::Vector2f const& size,
                                           std::string const& text, Level_element* atom, qglviewer::Camera* camera)
    : Draggable_label(position, size, text), _camera(camera)
{
    set_level_element(atom);
    _alpha = 0.f;
}

void Draggable_atom_label::animate(float dt)
{
    _time += dt;
    if (_time < 5.f) _alpha = _time / 5.f;
}

void Draggable_atom_label::notify()
{
    if (!_level_element || !_camera) return;
    Eigen::Vector3f const& p = _level_element->get_position();
    qglviewer::Vec const atom(p.x(), p.y(), p.z());
    if (_camera->position() * atom < 0.0)
    {
        set_position(Eigen::Vector3f(1000.f, 1000.f, 0.f));
        return;
    }
    qglviewer::Vec const projected = _camera->projectedCoordinatesOf(atom);
    set_position(Eigen::Vector3f(float(projected.x / _camera->screenWidth()),
                                 float(1.0 - projected.y / _camera->screenHeight()), 0.f));
}
