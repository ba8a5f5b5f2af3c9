// Stands in for a window manager that reads a window's identity when the
// window first asks to be mapped, as docks and window-manager rules do: it
// takes over the screen's map requests and, for each, writes the window's
// class, process id and icon as they are at that moment, in xprop's form,
// before it maps the window. Runs until killed. Usage: map-requests
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>

namespace {

// "NAME(CARDINAL) = v, v, ..." as xprop writes 32-bit cardinals; nothing
// when the window has no such property.
void printCardinals(Display* display, Window window, const char* name) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1L << 24, False,
                       XA_CARDINAL, &type, &format, &count, &after, &data);
    if (type == XA_CARDINAL && format == 32 && count > 0) {
        // Format-32 values arrive as longs, which widen them with their sign.
        const long* values = reinterpret_cast<const long*>(data);
        std::printf("%s(CARDINAL) =", name);
        for (unsigned long i = 0; i < count; ++i)
            std::printf("%s %lu", i == 0 ? "" : ",",
                        static_cast<unsigned long>(values[i]) & 0xffffffffUL);
        std::printf("\n");
    }
    XFree(data);
}

} // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return 1;
    // Fails, and ends this program, if another manager runs already.
    XSelectInput(display, DefaultRootWindow(display), SubstructureRedirectMask);
    XSync(display, False);
    std::printf("managing\n");
    for (;;) {
        std::fflush(stdout);
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != MapRequest)
            continue;
        Window window = event.xmaprequest.window;
        std::printf("map request 0x%lx\n", window);
        XClassHint hint;
        if (XGetClassHint(display, window, &hint)) {
            std::printf("WM_CLASS(STRING) = \"%s\", \"%s\"\n", hint.res_name, hint.res_class);
            XFree(hint.res_name);
            XFree(hint.res_class);
        }
        printCardinals(display, window, "_NET_WM_PID");
        printCardinals(display, window, "_NET_WM_ICON");
        XMapWindow(display, window);
    }
}
