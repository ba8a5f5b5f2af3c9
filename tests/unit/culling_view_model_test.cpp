// The tile culling against the model of the eye's view (tools/view_model),
// over every half degree of heading and every 5 degrees of pitch with the
// clamps: the real wedge from the real per-frame values.
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "tools/view_model/view_model.h"

namespace {

// Over a flat sea the wedge, anchored at the camera 7 units from the eye,
// leaves a sliver of sea at the screen's side edge just below the horizon at
// headings near 90, 180 and 270; the sky's blue behind it hides it. Its
// largest is 10.9 pixels: the bound leaves rounding room and nothing more,
// since any tile more lost shows a whole row of pixels or more.
constexpr double missingPixelsBound = 12.0;

TEST(CullingAgainstTheView, NoTileInViewIsCulledBeyondASliver) {
    viewer = ViewerState{};
    const WaveBounds bounds = waveBounds();
    int views = 0, certain = 0, certainCulled = 0, missing = 0;
    double largestMissing = 0.0;
    for (int step = 0; step < sweptHeadingSteps; ++step) {
        for (double viewPitch : sweptPitches()) {
            const ViewCulling c = cullingInView(step * sweptHeadingStep, viewPitch, bounds);
            ++views;
            certain += c.certainlyInView;
            certainCulled += c.certainlyInViewCulled;
            missing += c.missing;
            largestMissing = std::max(largestMissing, c.largestMissingPixels);
            EXPECT_EQ(c.certainlyInViewCulled, 0) << step * sweptHeadingStep << ", " << viewPitch;
        }
    }
    std::printf("%d views; heights within %.2f, shifts within %.2f: %d tiles certainly in view, "
                "%d culled; over a flat sea %d culled tiles in view, the largest %.2f pixels\n",
                views, bounds.height, bounds.shift, certain, certainCulled, missing,
                largestMissing);
    EXPECT_LE(largestMissing, missingPixelsBound);
    viewer = ViewerState{};
}

} // namespace
