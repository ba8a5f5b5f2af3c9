// The window's size on the monitor it opens on.
#include <algorithm>

#include "app/desktop.h"

namespace {

constexpr FrameExtents noFrame = {0, 0, 0, 0};

// A window larger than its monitor hides its lower rows, the near water and
// the counters, past the monitor's edge, and window managers neither move
// nor shrink it.
int fittedSide(int side, int room) {
    return std::max(1, std::min(side, room));
}

// A work area that misses the monitor says nothing about it.
ScreenArea usableArea(const DesktopFacts& facts) {
    if (!facts.workArea)
        return facts.monitor;
    const ScreenArea shared = overlap(facts.monitor, *facts.workArea);
    return shared.width > 0 && shared.height > 0 ? shared : facts.monitor;
}

bool holds(ScreenArea area, int x, int y) {
    return x >= area.x && x < area.x + area.width && y >= area.y && y < area.y + area.height;
}

} // namespace

ScreenArea overlap(ScreenArea a, ScreenArea b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    return ScreenArea{left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

ScreenArea monitorHolding(const std::vector<ScreenArea>& monitors, int x, int y,
                          ScreenArea screen) {
    for (const ScreenArea& monitor : monitors)
        if (holds(monitor, x, y))
            return monitor;
    return screen;
}

FrameExtents frameAround(const DesktopFacts& facts) {
    if (!facts.managed)
        return noFrame;
    return facts.frame.value_or(guessedFrame);
}

// A monitor of unknown size (0) keeps the full size.
WindowSize windowSizeOnMonitor(int width, int height, const DesktopFacts& facts) {
    const ScreenArea area = usableArea(facts);
    if (facts.monitor.width <= 0 || facts.monitor.height <= 0)
        return WindowSize{width, height};
    const FrameExtents frame = frameAround(facts);
    const int panel = facts.managed && !facts.workArea ? guessedPanelHeight : 0;
    return WindowSize{fittedSide(width, area.width - frame.left - frame.right),
                      fittedSide(height, area.height - frame.top - frame.bottom - panel)};
}

WindowSize windowSizeEndingOnMonitor(ScreenArea window, const DesktopFacts& facts) {
    const ScreenArea area = usableArea(facts);
    if (area.width <= 0 || area.height <= 0)
        return WindowSize{window.width, window.height};
    const FrameExtents frame = frameAround(facts);
    const int right = area.x + area.width - frame.right;
    const int bottom = area.y + area.height - frame.bottom;
    return WindowSize{fittedSide(window.width, right - window.x),
                      fittedSide(window.height, bottom - window.y)};
}
