#include "support/Game_driver.h"

#include "app/My_viewer.h"
#include "simulation/Core.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

Game_driver::Game_driver(My_viewer& viewer, Core& core) : _viewer(viewer), _core(core)
{
}

void Game_driver::step_frame()
{
    _viewer.step_frame();
    _viewer.finish_camera_flight();
    if (_core.get_simulation_state())
        _core.update(_physics_step * _core.get_parameters()["physics_speed"]->get_value<float>());
}

void Game_driver::step_frames(int count)
{
    for (int i = 0; i < count; ++i) step_frame();
}

bool Game_driver::step_frames_until(std::function<bool()> const& condition, int max_frames)
{
    for (int i = 0; i < max_frames; ++i)
    {
        if (condition()) return true;
        step_frame();
    }
    return condition();
}

void Game_driver::step_simulation(float seconds)
{
    for (float done = 0.f; done < seconds && _core.get_simulation_state(); done += _physics_step)
        _core.update(_physics_step);
}

bool Game_driver::run_until(std::function<bool()> const& condition, int max_milliseconds)
{
    bool const was_animating = _viewer.animationIsStarted();
    if (!was_animating) _viewer.startAnimation();
    QElapsedTimer clock;
    clock.start();
    bool met = condition();
    while (!met && clock.elapsed() < max_milliseconds)
    {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        met = condition();
    }
    if (!was_animating) _viewer.stopAnimation();
    return met;
}

QPoint Game_driver::pixel_of(Eigen::Vector2f const& normalised) const
{
    qglviewer::Camera const* camera = _viewer.camera();
    return QPoint(int(normalised.x() * float(camera->screenWidth())),
                  int((1.f - normalised.y()) * float(camera->screenHeight())));
}

QPoint Game_driver::pixel_of(Eigen::Vector3f const& world_point) const
{
    qglviewer::Camera* camera = _viewer.camera();
    // The camera keeps its matrices from the last paint; it may have moved since.
    camera->computeProjectionMatrix();
    camera->computeModelViewMatrix();
    qglviewer::Vec const projected =
        camera->projectedCoordinatesOf(qglviewer::Vec(world_point.x(), world_point.y(), world_point.z()));
    return QPoint(int(projected.x + 0.5), int(projected.y + 0.5));
}

void Game_driver::paint()
{
    // Paints through the widget's own path, as the timer's repaint does.
    _viewer.grabFramebuffer();
}

void Game_driver::send_mouse(int type, QPoint const& pixel, Qt::MouseButton button, Qt::MouseButtons held,
                             Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(QEvent::Type(type), pixel, _viewer.mapToGlobal(pixel), button, held, modifiers | _keys);
    QApplication::sendEvent(&_viewer, &event);
}

void Game_driver::press(QPoint const& pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    paint();
    _held |= button;
    send_mouse(QEvent::MouseButtonPress, pixel, button, _held, modifiers);
}

void Game_driver::move(QPoint const& pixel, Qt::MouseButtons held)
{
    send_mouse(QEvent::MouseMove, pixel, Qt::NoButton, held | _held);
}

void Game_driver::release(QPoint const& pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    _held &= ~Qt::MouseButtons(button);
    send_mouse(QEvent::MouseButtonRelease, pixel, button, _held, modifiers);
}

void Game_driver::click(QPoint const& pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    move(pixel);
    press(pixel, button, modifiers);
    release(pixel, button, modifiers);
}

void Game_driver::click(Eigen::Vector2f const& normalised, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    click(pixel_of(normalised), button, modifiers);
}

void Game_driver::double_click(QPoint const& pixel, Qt::MouseButton button)
{
    click(pixel, button);
    // No paint before the second press: it comes before the next frame.
    _held |= button;
    send_mouse(QEvent::MouseButtonDblClick, pixel, button, _held);
    release(pixel, button);
}

void Game_driver::drag(Eigen::Vector3f const& from, Eigen::Vector3f const& to, int steps)
{
    QPoint const start = pixel_of(from);
    QPoint const end = pixel_of(to);
    move(start);
    press(start);
    for (int step = 1; step <= steps; ++step)
    {
        float const t = float(step) / float(steps);
        move(QPoint(int(start.x() + t * (end.x() - start.x())), int(start.y() + t * (end.y() - start.y()))));
    }
    release(end);
}

void Game_driver::wheel(QPoint const& pixel, int delta)
{
    QWheelEvent event(QPointF(pixel), QPointF(_viewer.mapToGlobal(pixel)), QPoint(), QPoint(0, delta), _held, _keys,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&_viewer, &event);
}

void Game_driver::press_key(int key, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(&_viewer, &event);
}

void Game_driver::hold_keys(Qt::KeyboardModifiers modifiers)
{
    // QTest's key events count as the window system's: they set the state that
    // QGuiApplication::keyboardModifiers reports.
    for (auto const& [key, modifier] :
         {std::pair{Qt::Key_Control, Qt::ControlModifier}, std::pair{Qt::Key_Shift, Qt::ShiftModifier}})
    {
        bool const wanted = modifiers & modifier;
        if (wanted && !(_keys & modifier))
            QTest::keyPress(&_viewer, key, (_keys | modifier));
        else if (!wanted && (_keys & modifier))
            QTest::keyRelease(&_viewer, key, _keys & ~Qt::KeyboardModifiers(modifier));
        _keys = wanted ? (_keys | modifier) : (_keys & ~Qt::KeyboardModifiers(modifier));
    }
}
