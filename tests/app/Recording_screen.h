#ifndef TESTS_APP_RECORDING_SCREEN_H
#define TESTS_APP_RECORDING_SCREEN_H

#include "app/Screen.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QSize>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A screen that writes what reaches it into a shared log ("name call") and takes
// the input it is told to take.
class Recording_screen : public Screen
{
public:
    Recording_screen(std::string name, std::vector<std::string>& log, int screen_flags = 0, My_viewer* viewer = nullptr)
        : Screen(viewer), name(std::move(name)), log(log)
    {
        flags = screen_flags;
    }

    ~Recording_screen() override { record("destroyed"); }

    bool mousePressEvent(QMouseEvent*) override { return input("press", takes_mouse); }
    bool mouseMoveEvent(QMouseEvent* event) override
    {
        last_move_buttons = event->buttons();
        return input("move", takes_mouse);
    }
    bool mouseReleaseEvent(QMouseEvent*) override { return input("release", takes_mouse); }
    bool wheelEvent(QWheelEvent*) override { return input("wheel", takes_mouse); }
    bool keyPressEvent(QKeyEvent*) override { return input("key", takes_keys); }
    void resize(QSize const& size) override
    {
        resized_to = size;
        record("resize");
    }
    void draw() override
    {
        record("draw");
        if (on_draw) on_draw(*this);
    }
    void update(float) override { record("update"); }
    void state_changed_event(int new_state, int old_state) override
    {
        state_changes.emplace_back(new_state, old_state);
    }

    // The screen's own GL functions, for drawing hooks.
    QOpenGLFunctions_3_3_Core& gl() { return *this; }
    bool has_gl_functions() const { return isInitialized(); }

    std::string name;
    std::vector<std::string>& log;
    bool takes_mouse = false;
    bool takes_keys = false;
    // Runs inside every input handler, before it answers.
    std::function<void()> on_input;
    std::function<void(Recording_screen&)> on_draw;
    std::vector<std::pair<int, int>> state_changes;
    QSize resized_to;
    Qt::MouseButtons last_move_buttons = Qt::NoButton;
    QOpenGLContext* context_in_last_input = nullptr;

private:
    void record(char const* call) { log.push_back(name + " " + call); }

    bool input(char const* call, bool take)
    {
        record(call);
        context_in_last_input = QOpenGLContext::currentContext();
        if (on_input) on_input();
        return take;
    }
};

#endif
