#ifndef APP_SCREEN_STACK_H
#define APP_SCREEN_STACK_H

#include "app/Screen.h"

#include <QPointer>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

// The viewer's owning stack of screens, top at the front, with the rules by which
// it is stepped, drawn and fed. Modal dialogs and menus opened from a handler run
// nested event loops in which frames go on; so every walk goes over a snapshot,
// an input walk stops as soon as the stack changes under it, and no screen is
// destroyed while any walk is running.
class Screen_stack
{
public:
    Screen_stack() = default;
    Screen_stack(Screen_stack const&) = delete;
    Screen_stack& operator=(Screen_stack const&) = delete;
    ~Screen_stack();

    // Each takes ownership of the screen.
    void add(Screen* screen);
    // Pushed on top at the end of the current frame step; the last one queued ends on top.
    void queue(Screen* screen);
    void replace(Screen* screen);
    void kill_all();
    // Destroys every screen at once, without fading; never called during a walk.
    void clear();

    // Removes the closed screens, advances the others top-down, then pushes the
    // queued ones.
    void step(float dt);

    // The screens to draw, bottom first: from the topmost one that covers the
    // screens below it up to the top.
    std::vector<Screen*> drawing_order() const;
    void draw();
    // Every screen, whatever its state.
    void resize(QSize const& size);

    // Offers an event top-down; true when a screen took it, or when the stack
    // changed while it was being offered. Mouse and wheel events skip closing and
    // closed screens; keys reach them too.
    bool offer_pointer_event(std::function<bool(Screen&)> const& offer);
    bool offer_key_event(std::function<bool(Screen&)> const& offer);
    // A press, as a pointer event, remembering the screen that took it.
    bool offer_press(std::function<bool(Screen&)> const& offer);
    // What follows a press (the second press of a double click, a move with a
    // button held, the release) goes only to the screen that took the press: a
    // button acts on the press, and may have opened a new screen in its place
    // or given back the one below (a pause's "Continue"). True whenever a
    // screen took the press: what follows is that screen's, and nobody's once
    // it is gone, hidden or on its way out. False when no screen took it.
    bool offer_to_press_taker(std::function<bool(Screen&)> const& offer);

    // Every screen, top first.
    std::vector<Screen*> screens() const;
    size_t size() const { return _screens.size(); }
    bool empty() const { return _screens.empty(); }

private:
    // The screen that took the event, or during whose turn the stack changed,
    // goes into `taker`.
    bool offer(std::function<bool(Screen&)> const& offer, bool include_closing, Screen** taker = nullptr);
    void remove_closed();

    // Counts walks in progress and changes of membership.
    struct Walk
    {
        explicit Walk(int& depth) : _depth(depth) { ++_depth; }
        ~Walk() { --_depth; }
        int& _depth;
    };

    std::deque<std::unique_ptr<Screen>> _screens;
    std::vector<std::unique_ptr<Screen>> _pending;
    // Whether a screen took the last press, and which; null once it is destroyed.
    bool _press_taken = false;
    QPointer<Screen> _press_taker;
    int _walks = 0;
    unsigned _changes = 0;
};

#endif
