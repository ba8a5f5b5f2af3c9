// The window's size on the screen it opens on.
#include <algorithm>

#include "app/desktop.h"

namespace {

// A window larger than the screen hides its lower rows, the near water and
// the counters, below the screen's edge, and window managers neither move
// nor shrink it.
int fittedSide(int side, int screenSide, int frameRoom) {
    return std::max(1, std::min(side, screenSide - frameRoom));
}

} // namespace

WindowSize windowSizeOnScreen(int width, int height, int screenWidth, int screenHeight,
                              bool framed) {
    if (screenWidth <= 0 || screenHeight <= 0)
        return WindowSize{width, height};
    const int roomWidth = framed ? frameRoomWidth : 0;
    const int roomHeight = framed ? frameRoomHeight : 0;
    return WindowSize{fittedSide(width, screenWidth, roomWidth),
                      fittedSide(height, screenHeight, roomHeight)};
}
