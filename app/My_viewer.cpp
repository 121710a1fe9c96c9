#include "app/My_viewer.h"

#include "app/Camera_flight.h"
#include "widgets/Application_font.h"
#include "app/Handler_guard.h"
#include "foundation/Dialogs.h"
#include "foundation/Failed_saves.h"
#include "simulation/Core.h"

#include <QCoreApplication>
#include <QGLViewer/manipulatedCameraFrame.h>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QTabWidget>

#include <GL/gl.h>

#include <cstdlib>
#include <iostream>

namespace
{

float const camera_near = 10.f;
float const camera_far = 1000.f;
double const flight_seconds = 2.0;

} // namespace

My_viewer::My_viewer(Core* core, QGLFormat const& format) : Options_viewer(format), _core(core)
{
    _since_start.start();
    build_parameters();
    _title_font = load_application_font("fonts/Matiz.ttf", "My_viewer::My_viewer");
    connect(_core, &Core::level_changed, this, &My_viewer::handle_level_change);
}

My_viewer::~My_viewer()
{
    // The screens draw with this widget's context and go before it does.
    makeCurrent();
    screens.clear();
}

void My_viewer::build_parameters()
{
    auto const repaint = [this] { update(); };
    auto const clipping = [this] { apply_clipping_planes(); };
    auto const add = [this](Parameter* parameter, bool hidden) {
        parameter->_hidden = hidden;
        _owned_parameters.emplace_back(parameter);
        _parameters.add(parameter);
    };
    auto const add_button = [&add](char const* name, std::function<void()> action) {
        Parameter* button = new Parameter;
        button->_name = name;
        button->_special_type = Parameter::Button;
        button->_callback = std::move(action);
        add(button, false);
    };

    add(new Parameter("global_scale", 1.f, 0.01f, 100.f, repaint), true);
    // The camera's own planes: saving once must not clip the field at every later start.
    add(new Parameter("z_near", camera_near, 0.01f, 100.f, clipping), false);
    add(new Parameter("z_far", camera_far, 1.f, 1000.f, clipping), false);
    add(new Parameter("draw_closest_force", true, repaint), true);
    add(new Parameter("indicator_scale", 0.1f, 0.01f, 10.f, repaint), true);
    add(new Parameter("draw_tree_depth", 1, -1, 10, repaint), true);
    add(new Parameter("draw_handles", true, repaint), true);
    add_button("Save Settings", [this] { confirm_save_parameters(); });
    add_button("Load Settings", [this] { confirm_restore_parameters(); });
}

void My_viewer::apply_clipping_planes()
{
    if (_camera)
        _camera->set_near_far(_parameters["z_near"]->get_value<float>(), _parameters["z_far"]->get_value<float>());
    update();
}

void My_viewer::init()
{
    std::cout << "My_viewer::init" << std::endl;
    if (!initializeOpenGLFunctions())
    {
        Dialogs::instance().critical("Error", "Couldn't initialize OpenGL.");
        std::abort();
    }
    _gl_ready = true;

    Options_viewer::init();
    // The library's Return stops the animation timer, freezing every screen, and
    // its Space puts the camera in fly mode.
    setShortcut(ANIMATION, 0);
    setShortcut(CAMERA_MODE, 0);

    resize(1280, 720);
    QRect window(QPoint(0, 0), size());
    if (QScreen* screen = QGuiApplication::primaryScreen()) window.moveCenter(screen->geometry().center());
    move(window.topLeft());

    _camera = new StandardCamera(camera_near, camera_far);
    _camera_constraint = std::make_unique<Game_camera_constraint>(camera_limit);
    _camera->frame()->setConstraint(_camera_constraint.get());
    _camera->setUpVector(qglviewer::Vec(0.0, 0.0, 1.0), true);
    install_camera(_camera);
    // The animation timer repaints every frame anyway.
    auto const repaint = static_cast<void (QWidget::*)()>(&QWidget::update);
    disconnect(_camera->frame(), &qglviewer::ManipulatedFrame::manipulated, this, repaint);
    disconnect(_camera->frame(), &qglviewer::ManipulatedFrame::spun, this, repaint);

    glEnable(GL_NORMALIZE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    setSceneRadius(50.0);

    std::cout << "My_viewer::init opengl version: " << reinterpret_cast<char const*>(glGetString(GL_VERSION))
              << std::endl;
    std::cout << "My_viewer::init shader version: "
              << reinterpret_cast<char const*>(glGetString(GL_SHADING_LANGUAGE_VERSION)) << std::endl;
    glEnable(GL_TEXTURE_2D);
    setBackgroundColor(QColor(255, 255, 255, 255));
    glClearColor(1.f, 1.f, 1.f, 1.f);
}

void My_viewer::add_screen(Screen* screen)
{
    screens.add(screen);
}

void My_viewer::queue_screen(Screen* screen)
{
    screens.queue(screen);
}

void My_viewer::replace_screens(Screen* screen)
{
    screens.replace(screen);
}

void My_viewer::kill_all_screens()
{
    screens.kill_all();
}

void My_viewer::enable_camera_controls()
{
    setMouseBinding(Qt::NoModifier, Qt::LeftButton, CAMERA, ROTATE, true);
    setMouseBinding(Qt::NoModifier, Qt::RightButton, CAMERA, TRANSLATE, true);
    setMouseBinding(Qt::NoModifier, Qt::MiddleButton, CAMERA, ZOOM, true);
    setWheelBinding(Qt::NoModifier, CAMERA, ZOOM, true);
}

void My_viewer::disable_camera_controls()
{
    setMouseBinding(Qt::NoModifier, Qt::LeftButton, CAMERA, NO_MOUSE_ACTION);
    setMouseBinding(Qt::NoModifier, Qt::RightButton, CAMERA, NO_MOUSE_ACTION);
    setMouseBinding(Qt::NoModifier, Qt::MiddleButton, CAMERA, NO_MOUSE_ACTION);
    setWheelBinding(Qt::NoModifier, CAMERA, NO_MOUSE_ACTION);
}

void My_viewer::quit()
{
    close();
}

bool My_viewer::end_game(bool may_ask)
{
    makeCurrent();
    for (Screen* screen : screens.screens())
    {
        if (!screen->prepare_to_end_game(may_ask)) return false;
    }
    _core->save_progress();
    // Told before the window goes; a signal ends the game without a box.
    if (may_ask) show_failed_save_notices(this, true);
    // The help window is a window of its own and would keep the game running.
    if (helpWidget()) helpWidget()->close();
    _ended = true;
    QCoreApplication::quit();
    return true;
}

void My_viewer::load_defaults()
{
    _core->reset_level_data();
}

void My_viewer::step_frame()
{
    run_guarded("My_viewer::animate", [this] {
        // Between frames no screen is half-way through a step, and no timer's
        // frame runs again while the box is up.
        show_failed_save_notices(this);
        makeCurrent();
        screens.step(Screen::frame_period);
    });
}

void My_viewer::animate()
{
    double const now = _wall_clock ? _wall_clock() : double(_since_start.nsecsElapsed()) * 1e-9;
    int const steps = _frame_steps.steps_at(now);
    for (int step = 0; step < steps; ++step) step_frame();
    Options_viewer::animate();
}

void My_viewer::draw()
{
    run_guarded("My_viewer::draw", [this] { screens.draw(); });
}

void My_viewer::resizeEvent(QResizeEvent* event)
{
    run_guarded("My_viewer::resizeEvent", [this, event] {
        std::cout << "Options_viewer::resizeEvent" << std::endl;
        Options_viewer::resizeEvent(event);
        makeCurrent();
        if (_gl_ready) glViewport(0, 0, int(width() * devicePixelRatioF()), int(height() * devicePixelRatioF()));
        _ui_renderer.resize(event->size());
        screens.resize(event->size());

        if (camera()->screenHeight() != event->size().height())
        {
            std::cout << "My_viewer::resizeEvent size mismatch: " << camera()->screenWidth() << " "
                      << event->size().width() << std::endl;
            std::cout << "My_viewer::resizeEvent size mismatch: " << camera()->screenHeight() << " "
                      << event->size().height() << std::endl;
        }
    });
}

void My_viewer::handle_level_change(Level_state state)
{
    if (state == 1) run_guarded("My_viewer::handle_level_change", [this] { fly_camera(); });
}

void My_viewer::fly_camera()
{
    Level_data const& level = _core->get_level_data();
    if (!level.has_game_field_borders())
    {
        std::cout << "My_viewer::fly_camera the level has no game field borders; the camera stays" << std::endl;
        return;
    }
    qglviewer::Frame const target = camera_flight_target(level, camera()->screenWidth(), camera()->screenHeight());
    _camera_flight.stopInterpolation();
    _camera_flight.deletePath();
    _camera_flight.setFrame(camera()->frame());
    _camera_flight.addKeyFrame(*camera()->frame());
    _camera_flight.addKeyFrame(target, flight_seconds);
    _camera_flight.startInterpolation();
}

void My_viewer::finish_camera_flight()
{
    if (!_camera_flight.interpolationIsStarted()) return;
    _camera_flight.stopInterpolation();
    _camera_flight.interpolateAtTime(_camera_flight.lastTime());
}
