#include <gtest/gtest.h>

#include "app/desktop.h"

namespace {

constexpr ScreenArea laptop = {0, 0, 1366, 768};
constexpr ScreenArea fullHd = {0, 0, 1920, 1080};
constexpr FrameExtents openboxFrame = {1, 1, 20, 5};
// A work area that lies on another monitor.
constexpr ScreenArea elsewhere = {1366, 0, 554, 1080};

struct Case {
    const char* desktop;
    ScreenArea window; // where the manager put it, for a shown window
    DesktopFacts facts;
    int width, height;
};

// The 1280 x 1024 window and its frame on the monitor it opens on: the full
// window where both fit, else the most that leaves the frame's room (the
// manager's own, or the guess with a panel's when it publishes nothing).
TEST(WindowFit, TheFrameStaysOnTheMonitor) {
    const Case cases[] = {
        {"bare server", {}, {{0, 0, 1280, 1024}, false, {}, {}}, 1280, 1024},
        {"bare laptop", {}, {laptop, false, {}, {}}, 1280, 768},
        {"guessed frame, 1280 x 1024", {}, {{0, 0, 1280, 1024}, true, {}, {}}, 1264, 944},
        {"guessed frame, full HD", {}, {fullHd, true, {}, {}}, 1280, 1000},
        {"guessed frame, laptop", {}, {laptop, true, {}, {}}, 1280, 688},
        {"room to spare", {}, {{0, 0, 2560, 1440}, true, {}, {}}, 1280, 1024},
        {"unknown size", {}, {{0, 0, 0, 0}, true, {}, {}}, 1280, 1024},
        {"unknown width", {}, {{0, 0, 0, 768}, true, {}, {}}, 1280, 1024},
        {"unknown height", {}, {{0, 0, 1366, 0}, true, {}, {}}, 1280, 1024},
        {"openbox, laptop head", {}, {laptop, true, fullHd, openboxFrame}, 1280, 743},
        {"top panel", {}, {fullHd, true, ScreenArea{0, 30, 1920, 1050}, openboxFrame}, 1280, 1024},
        {"guess, work area", {}, {laptop, true, ScreenArea{0, 0, 1366, 740}, {}}, 1280, 700},
        {"area elsewhere", {}, {laptop, true, elsewhere, openboxFrame}, 1280, 743},
    };
    for (const Case& c : cases) {
        const WindowSize size = windowSizeOnMonitor(1280, 1024, c.facts);
        EXPECT_EQ(size.width, c.width) << c.desktop;
        EXPECT_EQ(size.height, c.height) << c.desktop;
    }
}

// Where the manager put the window: a window that runs past the right or
// bottom edge of its monitor's usable part is made smaller to end there.
TEST(WindowFit, AShownWindowEndsOnItsMonitor) {
    const Case cases[] = {
        // Weston: below its panel, no frame extents published.
        {"weston, laptop", {10, 91, 1280, 688}, {laptop, true, {}, {}}, 1280, 669},
        {"weston, full HD", {10, 91, 1280, 1000}, {fullHd, true, {}, {}}, 1280, 981},
        {"openbox", {1, 20, 1280, 743}, {laptop, true, fullHd, openboxFrame}, 1280, 743},
        {"past the right edge", {200, 0, 1280, 700}, {laptop, false, {}, {}}, 1166, 700},
        {"never made larger", {0, 0, 640, 480}, {laptop, true, {}, {}}, 640, 480},
    };
    for (const Case& c : cases) {
        const WindowSize size = windowSizeEndingOnMonitor(c.window, c.facts);
        EXPECT_EQ(size.width, c.width) << c.desktop;
        EXPECT_EQ(size.height, c.height) << c.desktop;
    }
}

// Below the smaller of two monitors side by side lies neither: the screen.
TEST(WindowFit, TheMonitorHoldingTheCorner) {
    const std::vector<ScreenArea> sideBySide = {laptop, {1366, 0, 1920, 1080}};
    const ScreenArea screen = {0, 0, 3286, 1080};
    EXPECT_EQ(monitorHolding(sideBySide, 0, 0, screen).width, 1366);
    EXPECT_EQ(monitorHolding(sideBySide, 1366, 10, screen).x, 1366);
    EXPECT_EQ(monitorHolding(sideBySide, 10, 900, screen).width, 3286);
    EXPECT_EQ(monitorHolding({}, 0, 0, screen).width, 3286);
}

} // namespace
