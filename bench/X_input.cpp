#include "bench/X_input.h"

#include <QWidget>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

X_input::X_input() : _display(XOpenDisplay(nullptr))
{
}

X_input::~X_input()
{
    if (_display) XCloseDisplay(_display);
}

void X_input::focus(QWidget const& window)
{
    if (!_display) return;
    XSetInputFocus(_display, Window(window.winId()), RevertToParent, CurrentTime);
    XFlush(_display);
}

void X_input::move_to(QPoint const& global_pixel)
{
    if (!_display) return;
    XTestFakeMotionEvent(_display, -1, global_pixel.x(), global_pixel.y(), CurrentTime);
    XFlush(_display);
}

void X_input::tap_key(unsigned long keysym)
{
    if (!_display) return;
    KeyCode const code = XKeysymToKeycode(_display, keysym);
    XTestFakeKeyEvent(_display, code, True, CurrentTime);
    XTestFakeKeyEvent(_display, code, False, CurrentTime);
    XFlush(_display);
}

void X_input::click(int button)
{
    if (!_display) return;
    XTestFakeButtonEvent(_display, unsigned(button), True, CurrentTime);
    XTestFakeButtonEvent(_display, unsigned(button), False, CurrentTime);
    XFlush(_display);
}
