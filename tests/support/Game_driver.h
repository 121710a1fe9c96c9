#ifndef TESTS_SUPPORT_GAME_DRIVER_H
#define TESTS_SUPPORT_GAME_DRIVER_H

#include <Eigen/Core>

#include <QPoint>
#include <Qt>

#include <functional>

class Core;
class My_viewer;

// Plays the real screens of a shown viewer as a player would, with time in the
// test's hands: no event loop runs, so neither the animation timer nor the
// physics timer fires by itself.
//
// - A frame is what the animation timer runs (the screens' fades, events and
//   updates), without painting; a camera flight ends at once; and while the
//   simulation is switched on, Core advances one physics step of
//   `physics_step` x "physics_speed" seconds, as its timer would.
// - The window is painted only before a press, so that anything the screens
//   pick is drawn as the player would see it.
// - Mouse input goes through QApplication::sendEvent as QMouseEvents with the
//   held buttons, the way the window system delivers it; points in the game
//   come from the camera in use, never from constants.
// - run_until hands time back to the game for a while: its own timers run.
class Game_driver
{
public:
    // 1/64 s: exactly representable, and what the campaign's own proofs use.
    static constexpr float default_physics_step = 1.f / 64.f;

    Game_driver(My_viewer& viewer, Core& core);

    void step_frame();
    void step_frames(int count);
    // Frames until the condition holds; false when it still fails after `max_frames`.
    bool step_frames_until(std::function<bool()> const& condition, int max_frames);
    // Simulation time only, while the simulation is on (no screens stepped).
    void step_simulation(float seconds);
    // The game as a player has it, for at most `max_milliseconds` of wall clock:
    // the event loop runs the animation timer's frames and the paints they ask
    // for, the camera's flights and Core's physics timer. The condition is asked
    // between events; false when it still fails at the end.
    bool run_until(std::function<bool()> const& condition, int max_milliseconds);

    // The window pixel of a point in normalised window coordinates, (0, 0)
    // bottom-left and (1, 1) top-right.
    QPoint pixel_of(Eigen::Vector2f const& normalised) const;
    // Where the camera shows a world point.
    QPoint pixel_of(Eigen::Vector3f const& world_point) const;

    void paint();
    // A press paints first; a move carries the buttons held. Every mouse event
    // carries the keys held (hold_keys) and the ones given.
    void press(QPoint const& pixel, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void move(QPoint const& pixel, Qt::MouseButtons held = Qt::NoButton);
    void release(QPoint const& pixel, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void click(QPoint const& pixel, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void click(Eigen::Vector2f const& normalised, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // As Qt delivers a quick double click: press, release, double click, release.
    void double_click(QPoint const& pixel, Qt::MouseButton button = Qt::LeftButton);
    // Presses the left button where the camera shows `from`, moves in `steps`
    // with it held and lets go where it shows `to`.
    void drag(Eigen::Vector3f const& from, Eigen::Vector3f const& to, int steps = 8);
    // One notch of the wheel is 120; forwards (positive) zooms in.
    void wheel(QPoint const& pixel, int delta);
    void press_key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Presses (or, with none, lets go of) Ctrl and Shift as the keyboard does,
    // so that the application's own keyboard state reports them.
    void hold_keys(Qt::KeyboardModifiers modifiers);

    void set_physics_step(float seconds) { _physics_step = seconds; }

private:
    void send_mouse(int type, QPoint const& pixel, Qt::MouseButton button, Qt::MouseButtons held,
                    Qt::KeyboardModifiers modifiers = Qt::NoModifier);

    My_viewer& _viewer;
    Core& _core;
    float _physics_step = default_physics_step;
    Qt::MouseButtons _held = Qt::NoButton;
    Qt::KeyboardModifiers _keys = Qt::NoModifier;
};

#endif
