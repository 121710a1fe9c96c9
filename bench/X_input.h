#ifndef BENCH_X_INPUT_H
#define BENCH_X_INPUT_H

#include <QPoint>

class QWidget;
struct _XDisplay;

// Keys and mouse buttons pressed through the X server itself (the XTEST
// extension), on a connection of its own: the game receives them as it would
// from a player's keyboard and mouse, through the window system's queue.
class X_input
{
public:
    X_input();
    ~X_input();
    X_input(X_input const&) = delete;
    X_input& operator=(X_input const&) = delete;

    bool is_open() const { return _display != nullptr; }
    // Keys go where the X focus is: to this widget's window.
    void focus(QWidget const& window);
    void move_to(QPoint const& global_pixel);
    // Press and release, sent at once.
    void tap_key(unsigned long keysym);
    void click(int button = 1);

private:
    _XDisplay* _display = nullptr;
};

#endif
