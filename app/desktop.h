// How the viewer behaves among the user's other windows: a window whose
// frame fits the monitor it opens on, no work while nobody can see it, and
// a hint when it is started away from its data files.
#pragma once

#include <optional>
#include <vector>

// ---- The window on its monitor (window_fit.cpp) ----------------------------
// A rectangle of the X screen, in pixels from its top-left corner.
struct ScreenArea {
    int x;
    int y;
    int width;
    int height;
};
// What a window manager's frame adds on each side of the window.
struct FrameExtents {
    int left;
    int right;
    int top;
    int bottom;
};
// Where the manager does not say how large its frame is (weston's does
// not): a title bar of up to about 32 pixels (GNOME's, Plasma's, weston's
// 27) and borders of up to 8.
constexpr FrameExtents guessedFrame = {8, 8, 32, 8};
// Where it publishes no work area: room for a panel of up to 40 pixels (a
// task bar or a dock, weston's 32) besides the frame; 80 x 16 pixels in all.
constexpr int guessedPanelHeight = 40;
// What the X server and the window manager tell about the place the window
// opens in. A fact the desktop does not publish is left empty.
struct DesktopFacts {
    ScreenArea monitor;
    bool managed = false; // a window manager runs
    std::optional<ScreenArea> workArea;
    std::optional<FrameExtents> frame;
};
struct WindowSize {
    int width;
    int height;
};
// The part the two areas share (of no width or height when none).
ScreenArea overlap(ScreenArea a, ScreenArea b);
// The first of the monitors that holds the point (x, y); the whole screen
// when none does or there are none.
ScreenArea monitorHolding(const std::vector<ScreenArea>& monitors, int x, int y, ScreenArea screen);
// The frame around the window: the manager's own, else the guess; none
// without a manager.
FrameExtents frameAround(const DesktopFacts& facts);
// The full width x height where the monitor's part of the work area holds it
// with its frame, else the largest size that leaves the frame's room (and a
// panel's, where no work area is published): so the title bar and the whole
// window, with the near water and the counters at its foot, are on the
// monitor the window opens on.
WindowSize windowSizeOnMonitor(int width, int height, const DesktopFacts& facts);
// For a window shown at the area given, where the manager put it: the size
// that ends it with its frame on the monitor's part of the work area, never
// larger than it is.
WindowSize windowSizeEndingOnMonitor(ScreenArea window, const DesktopFacts& facts);

// ---- Resting while unseen (window_status.cpp) ------------------------------
// What says that nobody sees the window: the toolkit's status (minimised,
// unmapped or wholly covered), the manager's hidden mark on a window it
// keeps mapped, and the X server's screen saver (desktop_watch.cpp).
struct WindowSight {
    bool toolkitHidden = false;
    bool markedHidden = false;
    bool screenSaverOn = false;
};
inline WindowSight windowSight;
// The idle tick runs while none of them holds and is taken away while any
// does, so that the sea is neither computed nor drawn; seen again, the tick
// goes on at the wave time of the moment, as if it had run all along.
void restWhileUnseen();
// The toolkit's window-status callback.
void onWindowStatus(int status);

// ---- Data files (missing_data.cpp) -----------------------------------------
// After start-up: when none of the pictures was in the working directory,
// one line saying where the data files are and how to start the viewer
// there (each file has said itself that it is missing).
void reportMissingData();
