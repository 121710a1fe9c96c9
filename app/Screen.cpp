#include "app/Screen.h"

#include "app/My_viewer.h"

#include <QOpenGLContext>

Screen::Screen(My_viewer* viewer) : viewer(viewer)
{
    // A screen may be built anywhere (a button action, a timer, start-up) and
    // makes its GL objects in the window's context, whichever one was current.
    if (viewer) viewer->makeCurrent();
    prepare_gl_functions();
}

Screen::~Screen() = default;

bool Screen::mousePressEvent(QMouseEvent*)
{
    return false;
}

bool Screen::mouseMoveEvent(QMouseEvent*)
{
    return false;
}

bool Screen::mouseReleaseEvent(QMouseEvent*)
{
    return false;
}

bool Screen::keyPressEvent(QKeyEvent*)
{
    return false;
}

bool Screen::wheelEvent(QWheelEvent*)
{
    return false;
}

void Screen::resize(QSize const&)
{
}

void Screen::draw()
{
}

void Screen::update(float)
{
}

void Screen::state_changed_event(int, int)
{
}

bool Screen::prepare_to_end_game(bool)
{
    return true;
}

void Screen::show()
{
    if (state == Fading_out || state == Closing) progress = 1.f - progress;
    if (state == Hidden || state == Fading_out || state == Closing) state = Fading_in;
}

void Screen::hide()
{
    // A screen that is invisible or on its way out stays so; hiding it again
    // must not bring it back at full opacity.
    if (state == Fading_in)
    {
        progress = 1.f - progress;
        state = Fading_out;
    }
    else if (state == Shown)
    {
        state = Fading_out;
    }
}

void Screen::kill()
{
    if (state == Closed) return;
    // Fading out from full opacity would show a hidden screen again for a
    // second; it closes on the next frame instead.
    if (state == Hidden) progress = 1.f;
    state = Closing;
}

void Screen::update_state(float dt)
{
    if (state != Hidden && state != Shown) progress += dt;

    if (progress >= 1.f && (state == Fading_in || state == Fading_out || state == Closing))
    {
        int const old_state = state;
        state = state == Fading_in ? Shown : state == Fading_out ? Hidden : Closed;
        progress = 0.f;
        state_changed_event(state, old_state);
    }

    update(dt);
}

void Screen::process_events()
{
    if (events.empty()) return;

    // Out of the queue while it runs: a trigger may clear the queue (a level
    // change does), and must not delete the event that is still running.
    std::unique_ptr<Event> running = std::move(events.front());
    events.pop_front();
    int const clears_before = _clear_count;
    bool const done = running->trigger();
    if (!done && _clear_count == clears_before) events.push_front(std::move(running));
}

void Screen::add_event(Event* event)
{
    events.emplace_back(event);
}

void Screen::clear_events()
{
    events.clear();
    ++_clear_count;
}

void Screen::prepare_gl_functions()
{
    if (!isInitialized() && QOpenGLContext::currentContext()) initializeOpenGLFunctions();
}
