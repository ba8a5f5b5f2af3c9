#include <gtest/gtest.h>

#include "app/desktop.h"

namespace {

// The window and, under a window manager, its frame on the screen: the full
// window where both fit, else the most that leaves the frame's room.
TEST(WindowFit, TheFrameStaysOnTheScreen) {
    struct Case {
        int screenWidth, screenHeight;
        bool framed;
        int width, height;
    };
    const Case cases[] = {
        {1280, 1024, false, 1280, 1024}, // a bare X server the window's size
        {1280, 1024, true, 1264, 944},   // the same with a title bar and a panel
        {1920, 1080, true, 1280, 1000},  // a full-HD desktop
        {1366, 768, true, 1280, 688},    // a laptop's
        {2560, 1440, true, 1280, 1024},  // room to spare
        {0, 0, true, 1280, 1024},        // a screen of unknown size
    };
    for (const Case& c : cases) {
        const WindowSize size =
            windowSizeOnScreen(1280, 1024, c.screenWidth, c.screenHeight, c.framed);
        EXPECT_EQ(size.width, c.width) << c.screenWidth << " x " << c.screenHeight;
        EXPECT_EQ(size.height, c.height) << c.screenWidth << " x " << c.screenHeight;
        if (c.screenWidth > 0 && c.framed) {
            EXPECT_TRUE(size.width + frameRoomWidth <= c.screenWidth &&
                        size.height + frameRoomHeight <= c.screenHeight);
        }
    }
}

} // namespace
