// The yardstick of the desktop benchmark: the least an X program does to show a window. It
// opens the display, maps one 800 x 600 window, and then only answers exposures until it is
// ended.
#include <X11/Xlib.h>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    int const screen = DefaultScreen(display);
    Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 800, 600, 0,
        BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, window, "bare");
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}
