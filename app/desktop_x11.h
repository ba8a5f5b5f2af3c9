// The viewer's window among the X desktop's: what the server and the window
// manager say about the monitor, the work area, the frame and the window's
// state, read on the toolkit's own connection to the display it opened.
// Only the viewer program links these (X11, RandR, Xinerama, the screen
// saver extension); the sizes they lead to are worked out in window_fit.cpp.
#pragma once

#include <X11/Xlib.h>

#include "app/desktop.h"

// The toolkit's connection and the viewer's window on it, taken as the
// toolkit sets the window's manager properties, before it is mapped
// (window_identity.cpp).
struct ToolkitWindow {
    Display* display = nullptr;
    Window window = 0;
};
inline ToolkitWindow toolkitWindow;

// ---- Reading the desktop (desktop_facts.cpp) -------------------------------
// The monitor that holds the point (x, y) of the screen, the manager, the
// work area and the window's frame as the manager last published it.
DesktopFacts readDesktopFacts(const ToolkitWindow& w, int x, int y);
// Asks the manager, where it offers to, for the frame it will put around the
// window before the window is mapped, and waits for its answer at most
// frameAnswerWait milliseconds, looking every frameAnswerLook.
constexpr int frameAnswerWait = 250;
constexpr int frameAnswerLook = 5;
void requestFrameExtents(const ToolkitWindow& w);
// Whether the manager marks the window hidden (_NET_WM_STATE_HIDDEN), as
// compositing managers do with minimised windows they keep mapped.
bool markedHidden(const ToolkitWindow& w);
// Whether the X server's screen saver is on.
bool screenSaverOn(const ToolkitWindow& w);
// The window's area on the screen, inside its frame, and whether it is shown.
ScreenArea windowArea(const ToolkitWindow& w);
bool windowViewable(const ToolkitWindow& w);

// ---- Placing the window (window_placement.cpp) -----------------------------
// Before the window is first mapped: sized for the monitor that holds its
// top-left corner, with the manager's frame.
void fitWindowBeforeMapping(const ToolkitWindow& w);
// Once shown, wherever the manager put it: made smaller where it runs past
// its monitor's right or bottom edge. True if it was made smaller.
bool fitWindowOnceShown(const ToolkitWindow& w);

// ---- Watching the desktop (desktop_watch.cpp) ------------------------------
// A toolkit timer callback, every desktopWatchInterval milliseconds: no
// work while the manager marks the window hidden or the screen saver is on,
// and the window's fit once it is first shown.
constexpr int desktopWatchInterval = 250;
void onDesktopWatch(int value);
