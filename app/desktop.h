// How the viewer behaves among the user's other windows: a window whose
// frame fits a small screen, no work while nobody can see it, and a hint
// when it is started away from its data files.
#pragma once

// ---- The window on the screen (window_fit.cpp) -----------------------------
// What a window manager adds around the window and keeps for itself: a
// title bar of up to about 32 pixels (GNOME's, Plasma's) and a panel of up
// to 48 (a task bar or a dock), and borders of a few pixels on each side.
constexpr int frameRoomHeight = 80;
constexpr int frameRoomWidth = 16;
struct WindowSize {
    int width;
    int height;
};
// The full width x height where the screen holds it, with the frame's room
// when a window manager frames it; on a smaller screen the largest size
// that leaves that room, so that the title bar, the panel and the whole
// window are on the screen. A screen of unknown size (0) keeps the full size.
WindowSize windowSizeOnScreen(int width, int height, int screenWidth, int screenHeight,
                              bool framed);
// Whether a window manager runs on the display (window_identity.cpp): one
// that follows the desktop's conventions names its own window on the root.
bool windowManagerRunning();

// ---- Hidden window (window_status.cpp) -------------------------------------
// The toolkit's window-status callback: while the window is minimised,
// unmapped or wholly covered the idle tick is taken away, so the sea is
// neither computed nor drawn; shown again, the tick goes on at the wave
// time of the moment, as if it had run all along.
void onWindowStatus(int status);

// ---- Data files (missing_data.cpp) -----------------------------------------
// After start-up: when none of the pictures was in the working directory,
// one line saying where the data files are and how to start the viewer
// there (each file has said itself that it is missing).
void reportMissingData();
