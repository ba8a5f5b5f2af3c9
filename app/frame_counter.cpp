// The frame counter behind the overlay's fps line.
#include "app/app_state.h"

int framesCounted = 0;
int framesPerSecond = 0;
double lastPublishTime = 0.0;
char statsText[statsTextSize] = "";

// The published figure is the raw count of frames since the last publication,
// not divided by the elapsed time: the span is one second or a little more.
// A reading earlier than the last publication, which the steady clock never
// gives, would publish nothing until it had passed that one by a second.
void countFrame(double now) {
    ++framesCounted;
    double elapsed = now - lastPublishTime;
    if (elapsed >= 1.0) {
        lastPublishTime = now;
        framesPerSecond = framesCounted;
        framesCounted = 0;
    }
}

void resetFrameCounter() {
    framesCounted = 0;
    framesPerSecond = 0;
    lastPublishTime = 0.0;
    statsText[0] = '\0';
}
