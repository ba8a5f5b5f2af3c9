// Plays the part of a window manager that reads a window's identity when the
// window first asks to be mapped, as docks and window-manager rules do: it
// takes over the screen's map and configure requests, and for each map
// request writes the window's class, process id and icon as they are at that
// moment, in xprop's form, before it maps the window. Runs until killed.
// Usage: map-requests (on the display DISPLAY names)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>

namespace {

bool anotherManager = false;

int noteAnotherManager(Display*, XErrorEvent*) {
    anotherManager = true;
    return 0;
}

// "NAME(CARDINAL) = v, v, ..." as xprop writes a list of 32-bit cardinals,
// or nothing when the window has no such property.
void printCardinals(Display* display, Window window, const char* name) {
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    Atom property = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, property, 0, 1L << 24, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) != Success ||
        data == nullptr)
        return;
    if (type == XA_CARDINAL && format == 32 && count > 0) {
        // Format-32 values arrive as longs, whatever the width of a long,
        // and a long widens them with their sign.
        const long* values = reinterpret_cast<const long*>(data);
        std::printf("%s(CARDINAL) =", name);
        for (unsigned long i = 0; i < count; ++i)
            std::printf("%s %lu", i == 0 ? "" : ",",
                        static_cast<unsigned long>(values[i]) & 0xffffffffUL);
        std::printf("\n");
    }
    XFree(data);
}

void printIdentity(Display* display, Window window) {
    std::printf("map request 0x%lx\n", window);
    XClassHint classHint;
    if (XGetClassHint(display, window, &classHint)) {
        std::printf("WM_CLASS(STRING) = \"%s\", \"%s\"\n", classHint.res_name, classHint.res_class);
        XFree(classHint.res_name);
        XFree(classHint.res_class);
    }
    printCardinals(display, window, "_NET_WM_PID");
    printCardinals(display, window, "_NET_WM_ICON");
    std::fflush(stdout);
}

// A configure request is granted as asked.
void grantConfigure(Display* display, const XConfigureRequestEvent& request) {
    XWindowChanges changes = {
        request.x,     request.y,     request.width, request.height, request.border_width,
        request.above, request.detail};
    XConfigureWindow(display, request.window, static_cast<unsigned>(request.value_mask), &changes);
}

} // namespace

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "map-requests: cannot open display\n");
        return 1;
    }
    // Only one client may redirect the root window's requests: the error
    // says that another manager already does.
    XSetErrorHandler(noteAnotherManager);
    XSelectInput(display, DefaultRootWindow(display), SubstructureRedirectMask);
    XSync(display, False);
    if (anotherManager) {
        std::fprintf(stderr, "map-requests: another window manager runs\n");
        return 1;
    }
    std::printf("managing\n");
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapRequest) {
            printIdentity(display, event.xmaprequest.window);
            XMapWindow(display, event.xmaprequest.window);
        } else if (event.type == ConfigureRequest) {
            grantConfigure(display, event.xconfigurerequest);
        }
    }
}
