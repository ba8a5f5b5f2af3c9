// The frame counter behind the overlay's fps line.
#include "app/app_state.h"

FrameCounter frameCounter;

// The published figure is the raw count of frames since the last publication,
// not divided by the elapsed time: the span is one second or a little more.
// A reading earlier than the last publication, which the steady clock never
// gives, would publish nothing until it had passed that one by a second.
void countFrame(double now) {
    ++frameCounter.framesCounted;
    double elapsed = now - frameCounter.lastPublishTime;
    if (elapsed >= 1.0) {
        frameCounter.lastPublishTime = now;
        frameCounter.framesPerSecond = frameCounter.framesCounted;
        frameCounter.framesCounted = 0;
    }
}
