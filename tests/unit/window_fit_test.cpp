#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/desktop.h"

namespace {

// Screens that hold the full window keep it; on any other the window with
// its frame's room fits, and never grows past the full size.
TEST(WindowFitTest, FullWindowOrFrameOnTheScreen) {
    const int screens[][2] = {{1280, 1024}, {2560, 1440}, {1920, 1080}, {1366, 768},
                              {1280, 800},  {1024, 768},  {1280, 1023}, {40, 30}};
    for (const auto& screen : screens) {
        SCOPED_TRACE(testing::Message() << screen[0] << " x " << screen[1]);
        const WindowSize size = windowSizeOnScreen(windowWidth, windowHeight, screen[0], screen[1]);
        EXPECT_LE(size.width, windowWidth);
        EXPECT_LE(size.height, windowHeight);
        EXPECT_GT(size.width, 0);
        EXPECT_GT(size.height, 0);
        if (screen[0] >= windowWidth && screen[1] >= windowHeight) {
            EXPECT_EQ(size.width, windowWidth);
            EXPECT_EQ(size.height, windowHeight);
        } else if (screen[0] > frameRoomWidth && screen[1] > frameRoomHeight) {
            EXPECT_LE(size.width + frameRoomWidth, screen[0]);
            EXPECT_LE(size.height + frameRoomHeight, screen[1]);
        }
    }
    // The laptop screen the manual page names, and a screen of unknown size.
    const WindowSize laptop = windowSizeOnScreen(windowWidth, windowHeight, 1366, 768);
    EXPECT_EQ(laptop.width, 1280);
    EXPECT_EQ(laptop.height, 688);
    const WindowSize unknown = windowSizeOnScreen(windowWidth, windowHeight, 0, 0);
    EXPECT_EQ(unknown.width, windowWidth);
    EXPECT_EQ(unknown.height, windowHeight);
}

} // namespace
