#include "platform/WindowManager.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>

// The _NET_WM_STATE client message of the EWMH: add both maximised states at once.
void maximiseWindow(sf::WindowHandle handle)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    Atom vertical = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    Atom horizontal = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = handle;
    event.xclient.message_type = state;
    event.xclient.format = 32;
    event.xclient.data.l[0] = 1; // _NET_WM_STATE_ADD
    event.xclient.data.l[1] = static_cast<long>(vertical);
    event.xclient.data.l[2] = static_cast<long>(horizontal);
    event.xclient.data.l[3] = 1; // source: a normal application
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
    XCloseDisplay(display);
}

void nameWindowsProcess(sf::WindowHandle handle)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    const unsigned long pid = static_cast<unsigned long>(getpid());
    XChangeProperty(display, handle, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&pid), 1);
    XFlush(display);
    XCloseDisplay(display);
}
