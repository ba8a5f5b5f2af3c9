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

bool screenHolds(int width, int height, int screenWidth, int screenHeight) {
    return screenWidth <= 0 || screenHeight <= 0 ||
           (width <= screenWidth && height <= screenHeight);
}

} // namespace

WindowSize windowSizeOnScreen(int width, int height, int screenWidth, int screenHeight) {
    if (screenHolds(width, height, screenWidth, screenHeight))
        return WindowSize{width, height};
    return WindowSize{fittedSide(width, screenWidth, frameRoomWidth),
                      fittedSide(height, screenHeight, frameRoomHeight)};
}
