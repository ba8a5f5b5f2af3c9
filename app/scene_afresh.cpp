// The viewer as it opens, for the tests and the frames of the fixed sea.
#include "app/app_state.h"
#include "render/render_state.h"

void startSceneAfresh() {
    resetViewerState();
    resetFrameCounter();
    onReshape(windowWidth, windowHeight);
    setupSceneState();
}
