#ifndef APP_MY_VIEWER_H
#define APP_MY_VIEWER_H

#include "app/Frame_steps.h"
#include "app/Game_camera_constraint.h"
#include "app/Options_viewer.h"
#include "app/Screen_stack.h"
#include "app/StandardCamera.h"
#include "simulation/Level_state.h"
#include "widgets/Ui_renderer.h"

#include <Eigen/Core>

#include <QElapsedTimer>
#include <QFont>
#include <QGLViewer/keyFrameInterpolator.h>
#include <QOpenGLFunctions_3_3_Core>

#include <functional>
#include <memory>
#include <vector>

class Core;
class Draggable_button;
class Draggable_label;
class Draggable_slider;
class Draggable_statistics;

// The game's window: owns the screen stack and the game camera, routes input to
// the screens first, and flies the camera to every new level.
class My_viewer : public Options_viewer, public QOpenGLFunctions_3_3_Core
{
    Q_OBJECT

public:
    static constexpr float camera_limit = 195.f;

    My_viewer(Core* core, QGLFormat const& format);
    ~My_viewer() override;

    // Restores the settings, starts the animation and puts the first screens on
    // the stack; called once after the window is shown.
    void start();

    // Each takes ownership of the screen.
    void add_screen(Screen* screen);
    void queue_screen(Screen* screen);
    void replace_screens(Screen* screen);
    void kill_all_screens();

    // Flies the camera to where it frames the level's game field.
    void fly_camera();
    void enable_camera_controls();
    void disable_camera_controls();
    void quit();
    // Every screen saves what it must, then progress is saved and the event loop
    // ends. When the player may be asked, a screen can keep the game running:
    // false then.
    bool end_game(bool may_ask);
    // The game has ended: no event loop is to run any more.
    bool has_ended() const { return _ended; }
    void load_defaults() override;

    // One fixed screen step (Screen::frame_period), without painting. The
    // animation timer runs as many a frame as the wall clock has passed.
    void step_frame();
    // The steady clock, in seconds, that animate() follows; tests give one they control.
    void set_wall_clock(std::function<double()> clock) { _wall_clock = std::move(clock); }
    // Puts the camera at once where a level-change flight would end.
    void finish_camera_flight();

    // The screens' drawing services (app/Drawing_2d.h); all but the 2D mode
    // itself and project_to_screen expect the 2D mode to be active.
    void begin_2d_drawing() const;
    void end_2d_drawing() const;
    void draw_textured_quad(GLuint texture) const;
    void draw_button(Draggable_button const& button, bool picking, float alpha) const;
    void draw_label(Draggable_label const& label) const;
    void draw_slider(Draggable_slider const& slider, bool picking, float alpha) const;
    void draw_statistics(Draggable_statistics const& plot);
    // Where the game camera shows the point, in normalised window coordinates.
    Eigen::Vector2f project_to_screen(Eigen::Vector3f const& point) const;
    float get_screen_aspect() const;

    Core* get_core() const { return _core; }
    // Null until the window is first shown.
    StandardCamera* get_game_camera() const { return _camera; }
    Game_camera_constraint* get_camera_constraint() const { return _camera_constraint.get(); }
    QFont const& get_title_font() const { return _title_font; }
    Screen_stack& get_screens() { return screens; }
    Ui_renderer& get_ui_renderer() { return _ui_renderer; }

    // The help window's pages (H): the game's own, not the library's.
    QString helpString() const override;
    QString keyboardString() const override;
    QString mouseString() const override;

public slots:
    void handle_level_change(Level_state state);
    void animate() override;

protected:
    void init() override;
    void draw() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build_parameters();
    void apply_clipping_planes();
    // Mouse and wheel events, in this widget's context; true when a screen took it.
    bool offer_to_screens(std::function<bool(Screen&)> const& offer);
    // A release, or a move with a button held, is the screen's that took the
    // press, or nobody's; offered top-down as any event when no screen took it.
    bool offer_after_press(std::function<bool(Screen&)> const& offer);
    // S, F10 and Ctrl+Shift+O, whoever took the key; true when it was one of them.
    bool run_debug_key(QKeyEvent* event);
    void print_screen_stack() const;

    Core* _core;
    StandardCamera* _camera = nullptr;
    std::unique_ptr<Game_camera_constraint> _camera_constraint;
    QFont _title_font;
    Screen_stack screens;
    Ui_renderer _ui_renderer;
    std::vector<std::unique_ptr<Parameter>> _owned_parameters;
    bool _gl_ready = false;
    bool _ended = false;
    qglviewer::KeyFrameInterpolator _camera_flight;
    QElapsedTimer _since_start;
    std::function<double()> _wall_clock;
    Frame_steps _frame_steps{Screen::frame_period};
};

#endif
