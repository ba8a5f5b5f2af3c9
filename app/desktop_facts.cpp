// What the X server and the window manager say about the desktop around the
// viewer's window, on the toolkit's connection.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/scrnsaver.h>
#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "app/desktop_x11.h"

namespace {

// A property's values, of the given type and format 32 (which travel as
// longs, whatever the width of a long); none where it is not set.
std::vector<long> propertyValues(Display* display, Window window, const char* name, Atom type) {
    const Atom property = XInternAtom(display, name, True);
    std::vector<long> values;
    if (property == None)
        return values;
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        actualType == type && format == 32)
        values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
    if (data != nullptr)
        XFree(data);
    return values;
}

bool holdsAtom(const std::vector<long>& atoms, Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    return atom != None &&
           std::find(atoms.begin(), atoms.end(), static_cast<long>(atom)) != atoms.end();
}

// RandR's monitors where the server has them (RandR 1.5), else Xinerama's
// heads; none where it has neither, and the whole screen stands for them.
std::vector<ScreenArea> randrMonitors(Display* display) {
    int event = 0, error = 0, major = 0, minor = 0, count = 0;
    std::vector<ScreenArea> monitors;
    if (!XRRQueryExtension(display, &event, &error) || !XRRQueryVersion(display, &major, &minor) ||
        (major == 1 && minor < 5))
        return monitors;
    XRRMonitorInfo* info = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    for (int i = 0; i < count; ++i)
        monitors.push_back(ScreenArea{info[i].x, info[i].y, info[i].width, info[i].height});
    if (info != nullptr)
        XRRFreeMonitors(info);
    return monitors;
}

std::vector<ScreenArea> xineramaHeads(Display* display) {
    int count = 0;
    std::vector<ScreenArea> heads;
    if (!XineramaIsActive(display))
        return heads;
    XineramaScreenInfo* info = XineramaQueryScreens(display, &count);
    for (int i = 0; i < count; ++i)
        heads.push_back(ScreenArea{info[i].x_org, info[i].y_org, info[i].width, info[i].height});
    if (info != nullptr)
        XFree(info);
    return heads;
}

std::vector<ScreenArea> monitors(Display* display) {
    std::vector<ScreenArea> found = randrMonitors(display);
    return found.empty() ? xineramaHeads(display) : found;
}

// _NET_SUPPORTING_WM_CHECK on the root names the manager's own window while
// one that follows the desktop's conventions runs.
bool managerRunning(Display* display) {
    return propertyValues(display, DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK",
                          XA_WINDOW)
               .size() == 1;
}

// One rectangle for each virtual desktop; the current one's counts.
std::optional<ScreenArea> workArea(Display* display) {
    const Window root = DefaultRootWindow(display);
    const std::vector<long> areas = propertyValues(display, root, "_NET_WORKAREA", XA_CARDINAL);
    const std::vector<long> current =
        propertyValues(display, root, "_NET_CURRENT_DESKTOP", XA_CARDINAL);
    const size_t first = current.size() == 1 ? static_cast<size_t>(current[0]) * 4 : 0;
    if (first + 4 > areas.size())
        return std::nullopt;
    return ScreenArea{static_cast<int>(areas[first]), static_cast<int>(areas[first + 1]),
                      static_cast<int>(areas[first + 2]), static_cast<int>(areas[first + 3])};
}

std::optional<FrameExtents> frameExtents(const ToolkitWindow& w) {
    const std::vector<long> extents =
        propertyValues(w.display, w.window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
    if (extents.size() != 4)
        return std::nullopt;
    return FrameExtents{static_cast<int>(extents[0]), static_cast<int>(extents[1]),
                        static_cast<int>(extents[2]), static_cast<int>(extents[3])};
}

} // namespace

DesktopFacts readDesktopFacts(const ToolkitWindow& w, int x, int y) {
    Display* display = w.display;
    const int screen = DefaultScreen(display);
    DesktopFacts facts;
    facts.monitor = monitorHolding(
        monitors(display), x, y,
        ScreenArea{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)});
    facts.managed = managerRunning(display);
    if (facts.managed) {
        facts.workArea = workArea(display);
        facts.frame = frameExtents(w);
    }
    return facts;
}

// The manager answers by setting _NET_FRAME_EXTENTS on the window; the
// property is looked at a few times rather than waited for as an event, so
// that the toolkit's event mask on the window stays as it is.
void requestFrameExtents(const ToolkitWindow& w) {
    Display* display = w.display;
    const Window root = DefaultRootWindow(display);
    if (!managerRunning(display) ||
        !holdsAtom(propertyValues(display, root, "_NET_SUPPORTED", XA_ATOM), display,
                   "_NET_REQUEST_FRAME_EXTENTS"))
        return;
    XEvent request = {};
    request.xclient.type = ClientMessage;
    request.xclient.window = w.window;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask, &request);
    for (int waited = 0; waited < frameAnswerWait && !frameExtents(w); waited += frameAnswerLook)
        std::this_thread::sleep_for(std::chrono::milliseconds(frameAnswerLook));
}

bool markedHidden(const ToolkitWindow& w) {
    return holdsAtom(propertyValues(w.display, w.window, "_NET_WM_STATE", XA_ATOM), w.display,
                     "_NET_WM_STATE_HIDDEN");
}

// Servers without the extension (Xwayland) have no saver to ask about.
bool screenSaverOn(const ToolkitWindow& w) {
    int event = 0, error = 0;
    static const bool saverKnown = XScreenSaverQueryExtension(w.display, &event, &error);
    if (!saverKnown)
        return false;
    XScreenSaverInfo info = {};
    return XScreenSaverQueryInfo(w.display, DefaultRootWindow(w.display), &info) &&
           info.state == ScreenSaverOn;
}

ScreenArea windowArea(const ToolkitWindow& w) {
    XWindowAttributes attributes = {};
    XGetWindowAttributes(w.display, w.window, &attributes);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(w.display, w.window, DefaultRootWindow(w.display), 0, 0, &x, &y, &child);
    return ScreenArea{x, y, attributes.width, attributes.height};
}

bool windowViewable(const ToolkitWindow& w) {
    XWindowAttributes attributes = {};
    return XGetWindowAttributes(w.display, w.window, &attributes) &&
           attributes.map_state == IsViewable;
}
