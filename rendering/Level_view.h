#ifndef RENDERING_LEVEL_VIEW_H
#define RENDERING_LEVEL_VIEW_H

#include <QGLViewer/camera.h>

class Level_data;

// A camera whose clipping planes stay where they are set instead of following
// the scene radius; the game's are 10 and 1000.
class Fixed_clip_camera : public qglviewer::Camera
{
public:
    explicit Fixed_clip_camera(qreal z_near = 10.0, qreal z_far = 1000.0) : _z_near(z_near), _z_far(z_far) {}

    qreal zNear() const override { return _z_near; }
    qreal zFar() const override { return _z_far; }

private:
    qreal _z_near;
    qreal _z_far;
};

// Puts the camera where the whole game field is in view for its screen size:
// in front of the field's near (negative y) side, looking along +y with z up,
// far enough back that the field and a margin of 25 on each side fit.
void frame_game_field(qglviewer::Camera& camera, Level_data const& level);

#endif
