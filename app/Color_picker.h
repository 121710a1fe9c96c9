#ifndef APP_COLOR_PICKER_H
#define APP_COLOR_PICKER_H

#include <Eigen/Core>

#include <QOpenGLFunctions_3_3_Core>

#include <array>
#include <functional>
#include <memory>

class QGLFramebufferObject;
class QGLShaderProgram;
class QOpenGLContext;

// Picking by colour: a pass draws every pickable in the colour of its list index
// into an off-screen target, and the pixel under the mouse names the pickable.
class Color_picker : protected QOpenGLFunctions_3_3_Core
{
public:
    static constexpr int target_size = 1024;

    // Needs a current context; it picks only while that context is current.
    Color_picker();
    ~Color_picker();
    Color_picker(Color_picker const&) = delete;
    Color_picker& operator=(Color_picker const&) = delete;

    // Runs `draw` into the target and returns the index under the point given as
    // fractions of the window (y up), or -1 for none, for an index not below
    // `pickable_count` and when the context is not current. Viewport,
    // framebuffers, program, enables and clear colour are as they were afterwards.
    int pick(float x_fraction, float y_fraction, std::function<void()> const& draw, int pickable_count);

    // The program's "color" for the pickable with this index; only during a pick.
    void set_index_color(int index);
    bool is_active() const { return _active; }

private:
    std::unique_ptr<QGLShaderProgram> _program;
    std::unique_ptr<QGLFramebufferObject> _target;
    QOpenGLContext* _context = nullptr;
    bool _active = false;
};

// The colour that names a list index: red from bits 16 to 23, green 8 to 15, blue 0 to 7.
Eigen::Vector3f picking_color(int index);

// The index a read pixel names: -1 unless it is opaque and below pickable_count.
int picked_index(std::array<unsigned char, 4> const& rgba, int pickable_count);

// The pixel a fraction of a target's side falls on, inside the target whatever
// the fraction (the window's top row is fraction 1, a drag may leave the window).
int target_pixel(float fraction, int size);

#endif
