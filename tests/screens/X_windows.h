#ifndef TESTS_SCREENS_X_WINDOWS_H
#define TESTS_SCREENS_X_WINDOWS_H

#include <string>
#include <vector>

// Another process's windows, seen and handled through the X server the way a
// window manager or the user would. Kept apart from Qt: Xlib's macros clash
// with Qt's names.
struct X_window
{
    unsigned long id;
    int width;
    int height;
};

// The mapped top-level windows that name the process as their owner; empty
// without an X display.
std::vector<X_window> windows_of_process(long pid);

// Asks the window to close, as the window manager's close button does.
bool close_window(unsigned long id);

// A key press and release of a Latin-1 key, sent to the window.
bool send_key(unsigned long id, char key);

#endif
