#ifndef WIDGETS_DRAGGABLE_ATOM_LABEL_H
#define WIDGETS_DRAGGABLE_ATOM_LABEL_H

#include "widgets/Draggable_label.h"

namespace qglviewer
{
class Camera;
}

// A label that follows an atom on screen and fades in over its first five seconds.
class Draggable_atom_label : public Draggable_label
{
public:
    Draggable_atom_label(Eigen::Vector3f const& position, Eigen::Vector2f const& size, std::string const& text,
                         Level_element* atom, qglviewer::Camera* camera);

    void animate(float dt) override;
    // Moves to where the camera shows the atom, or off screen while the atom is
    // on the far side of the origin.
    void notify() override;

private:
    float _time = 0.f;
    qglviewer::Camera* _camera;
};

#endif
