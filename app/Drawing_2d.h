#ifndef APP_DRAWING_2D_H
#define APP_DRAWING_2D_H

#include <Eigen/Core>

#include <qopengl.h>

class Draggable_button;
class Draggable_label;
class Draggable_slider;
class Draggable_statistics;
class Ui_renderer;

namespace qglviewer
{
class Camera;
}

// How screens draw their in-view widgets: in a 2D mode whose coordinates are
// normalised window coordinates, (0, 0) bottom-left and (1, 1) top-right, with
// the fixed-function matrices and the current GL colour. Each widget is a quad
// centred on its position, as wide and high as its size. All but the 2D mode
// itself and project_to_screen expect the 2D mode to be active.

// Pushes both matrices: an orthographic projection over 0..1, near 0, far -1,
// and an identity modelview. end_2d_drawing pops both.
void begin_2d_drawing();
void end_2d_drawing();

// The unit quad (-1..1) with the texture bound, then unbound.
void draw_textured_quad(GLuint texture);

// Picking draws the bare quad in whatever colour the picking pass set. Otherwise
// an unchecked checkable button is tinted; every button leaves the colour
// (1, 1, 1, alpha) behind.
void draw_button(Draggable_button const& button, bool picking, float alpha);

// In the label's colour at the label's alpha, whatever colour was current.
void draw_label(Draggable_label const& label);

// The track, the slider's icon left of it and its handle; picking draws only
// the handle, at the same place. `screen_aspect` is width / height.
void draw_slider(Draggable_slider const& slider, bool picking, float alpha, float screen_aspect);

// The plot's frame texture and its curve in the plot area; nothing without data.
void draw_statistics(Draggable_statistics const& plot, Ui_renderer& renderer, int viewport_height);

// The point's place in normalised window coordinates (y up).
Eigen::Vector2f project_to_screen(qglviewer::Camera const& camera, Eigen::Vector3f const& point);

#endif
