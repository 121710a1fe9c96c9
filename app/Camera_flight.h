#ifndef APP_CAMERA_FLIGHT_H
#define APP_CAMERA_FLIGHT_H

#include <QGLViewer/frame.h>

class Level_data;

// Where the camera flies when a level changes: in front of the game field, far
// enough back to frame its width and height with some margin, looking along +y
// with +z up. The level must have all six border planes.
qglviewer::Frame camera_flight_target(Level_data const& level, int screen_width, int screen_height);

#endif
