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

// The window's class, process id and icon are set with its other manager
// properties, before it is first mapped: window_identity.cpp defines Xlib's
// XSetWMProperties (declared by <X11/Xutil.h>, so not here), through which
// the toolkit sets them, and adds these.
