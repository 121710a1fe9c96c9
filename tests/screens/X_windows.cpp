#include "X_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <functional>
#include <memory>

namespace
{

typedef std::unique_ptr<Display, int (*)(Display*)> Display_handle;

Display_handle open_display()
{
    return Display_handle(XOpenDisplay(nullptr), XCloseDisplay);
}

long window_pid(Display* display, Window window)
{
    Atom const pid_atom = XInternAtom(display, "_NET_WM_PID", True);
    if (pid_atom == None) return -1;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &remaining,
                           &data) == Success &&
        data)
    {
        if (count == 1 && format == 32) pid = long(*reinterpret_cast<unsigned long*>(data));
        XFree(data);
    }
    return pid;
}

void visit_tree(Display* display, Window window, std::function<void(Window)> const& visit)
{
    visit(window);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return;
    for (unsigned int i = 0; i < count; ++i) visit_tree(display, children[i], visit);
    if (children) XFree(children);
}

} // namespace

std::vector<X_window> windows_of_process(long pid)
{
    std::vector<X_window> found;
    Display_handle display = open_display();
    if (!display) return found;
    visit_tree(display.get(), DefaultRootWindow(display.get()), [&](Window window) {
        if (window_pid(display.get(), window) != pid) return;
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display.get(), window, &attributes) || attributes.map_state != IsViewable) return;
        found.push_back({window, attributes.width, attributes.height});
    });
    return found;
}

bool close_window(unsigned long id)
{
    Display_handle display = open_display();
    if (!display) return false;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = id;
    event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    bool const sent = XSendEvent(display.get(), id, False, NoEventMask, &event) != 0;
    XFlush(display.get());
    return sent;
}

bool send_key(unsigned long id, char key)
{
    Display_handle display = open_display();
    if (!display) return false;
    XEvent event = {};
    event.xkey.display = display.get();
    event.xkey.window = id;
    event.xkey.root = DefaultRootWindow(display.get());
    event.xkey.time = CurrentTime;
    event.xkey.same_screen = True;
    event.xkey.keycode = XKeysymToKeycode(display.get(), KeySym(key));
    bool sent = true;
    for (int type : {KeyPress, KeyRelease})
    {
        event.type = type;
        sent &= XSendEvent(display.get(), id, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event) != 0;
    }
    XFlush(display.get());
    return sent;
}
