// What the desktop knows the viewer's window by: its class, its process and
// its icon (window_identity.cpp, with the icon's pixels generated at build
// time from the installed icon's source picture).
#pragma once

// Matches StartupWMClass of the desktop entry.
constexpr const char* windowClassName = "ocean-viewer";
constexpr int windowIconSide = 48;
// windowIconSide x windowIconSide pixels, 4 bytes each in red, green, blue,
// alpha order, top row first.
extern const unsigned char windowIconRgba[windowIconSide * windowIconSide * 4];

// Sets the class, the process id and the icon on the current GL drawable's
// window; does nothing without one.
void identifyWindow();
