#ifndef APP_STANDARDCAMERA_H
#define APP_STANDARDCAMERA_H

#include <QGLViewer/camera.h>

// A camera whose clipping planes stay where they are set instead of following
// the scene radius.
class StandardCamera : public qglviewer::Camera
{
public:
    StandardCamera(float near, float far) : _near(near), _far(far) {}

    qreal zNear() const override { return _near; }
    qreal zFar() const override { return _far; }

    void set_near_far(float near, float far)
    {
        _near = near;
        _far = far;
    }

private:
    float _near;
    float _far;
};

#endif
