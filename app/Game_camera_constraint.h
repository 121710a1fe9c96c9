#ifndef APP_GAME_CAMERA_CONSTRAINT_H
#define APP_GAME_CAMERA_CONSTRAINT_H

#include <QGLViewer/constraint.h>

// Keeps the camera inside the cube of half-size `limit` around the origin, so the
// player cannot lose the game field.
class Game_camera_constraint : public qglviewer::Constraint
{
public:
    explicit Game_camera_constraint(float limit) : _limit(limit) {}

    void constrainTranslation(qglviewer::Vec& translation, qglviewer::Frame* const frame) override;

    float get_limit() const { return _limit; }

private:
    float _limit;
};

#endif
