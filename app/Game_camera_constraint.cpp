#include "app/Game_camera_constraint.h"

#include <QGLViewer/frame.h>

#include <algorithm>

void Game_camera_constraint::constrainTranslation(qglviewer::Vec& translation, qglviewer::Frame* const frame)
{
    qglviewer::Vec target = frame->position() + translation;
    for (int axis = 0; axis < 3; ++axis) target[axis] = std::clamp(target[axis], qreal(-_limit), qreal(_limit));
    translation = target - frame->position();
}
