// The window's size on the monitor it opens on, with the manager's frame:
// set before the window is first mapped, and mended once it is shown if the
// manager put it where it runs past the monitor's edge.
#include <X11/Xutil.h>

#include "app/desktop_x11.h"

namespace {

// Window managers read the size the window asks for from its normal hints
// as well as from the window itself.
void resizeWindow(const ToolkitWindow& w, WindowSize size) {
    XResizeWindow(w.display, w.window, static_cast<unsigned>(size.width),
                  static_cast<unsigned>(size.height));
    XSizeHints hints = {};
    long supplied = 0;
    if (XGetWMNormalHints(w.display, w.window, &hints, &supplied) &&
        (hints.flags & (USSize | PSize)) != 0) {
        hints.width = size.width;
        hints.height = size.height;
        XSetWMNormalHints(w.display, w.window, &hints);
    }
}

bool sameSize(ScreenArea area, WindowSize size) {
    return area.width == size.width && area.height == size.height;
}

} // namespace

// The window was made at the full size it asks for, where it opens; the
// monitor is the one that holds that corner.
void fitWindowBeforeMapping(const ToolkitWindow& w) {
    requestFrameExtents(w);
    const ScreenArea asked = windowArea(w);
    const WindowSize size =
        windowSizeOnMonitor(asked.width, asked.height, readDesktopFacts(w, asked.x, asked.y));
    if (!sameSize(asked, size))
        resizeWindow(w, size);
}

// A manager may still put the window where its side or its foot runs off
// the monitor: by a placement rule of the user's, or below a panel of its
// own taller than the room kept for one where it publishes no work area.
bool fitWindowOnceShown(const ToolkitWindow& w) {
    const ScreenArea shown = windowArea(w);
    const WindowSize size = windowSizeEndingOnMonitor(shown, readDesktopFacts(w, shown.x, shown.y));
    if (sameSize(shown, size))
        return false;
    resizeWindow(w, size);
    return true;
}
