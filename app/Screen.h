#ifndef APP_SCREEN_H
#define APP_SCREEN_H

#include "app/Event.h"

#include <QObject>
#include <QOpenGLFunctions_3_3_Core>

#include <deque>
#include <memory>

class My_viewer;
class QKeyEvent;
class QMouseEvent;
class QSize;
class QWheelEvent;

// Everything on the viewer's screen stack: a fade state machine, a queue of
// scripted events and the input, drawing and update hooks the stack calls.
class Screen : public QObject, public QOpenGLFunctions_3_3_Core
{
public:
    enum State
    {
        Hidden = 0,
        Fading_in = 1,
        Fading_out = 2,
        Shown = 3,
        Closing = 7,
        Closed = 8
    };
    enum Flag
    {
        Blocks_input = 1,
        Covers_below = 4
    };

    // The fixed step every fade advances by. A frame runs as many steps as the
    // wall clock has passed since the last one (a few at most), never a
    // measured, uneven one.
    static constexpr float frame_period = 0.016f;

    // Makes the viewer's context current, for the GL objects the screen creates.
    explicit Screen(My_viewer* viewer);
    ~Screen() override;

    // A true result means the screen took the event and nothing below sees it.
    virtual bool mousePressEvent(QMouseEvent* event);
    virtual bool mouseMoveEvent(QMouseEvent* event);
    virtual bool mouseReleaseEvent(QMouseEvent* event);
    virtual bool keyPressEvent(QKeyEvent* event);
    virtual bool wheelEvent(QWheelEvent* event);
    virtual void resize(QSize const& size);
    virtual void draw();
    virtual void update(float dt);
    // Called when a fade completes.
    virtual void state_changed_event(int new_state, int old_state);
    // The game is about to end (the window closes, or the system ends it): the
    // screen saves what it must. When it may ask the player, false keeps the
    // game running.
    virtual bool prepare_to_end_game(bool may_ask);

    void show();
    void hide();
    void kill();
    void update_state(float dt);
    virtual void process_events();
    void add_event(Event* event);
    void clear_events();

    // The GL functions need a current context: a screen made without one gets
    // them here, from the viewer's paint, before it first draws.
    void prepare_gl_functions();

    int get_state() const { return state; }
    float get_progress() const { return progress; }
    bool has_flag(Flag flag) const { return flags & flag; }
    size_t queued_event_count() const { return events.size(); }

protected:
    My_viewer* viewer;
    int flags = 0;
    float progress = 0.f;
    int state = Fading_in;
    std::deque<std::unique_ptr<Event>> events;

private:
    int _clear_count = 0;
};

#endif
