// What every GL test starts from, whatever ran before it in the process.
#pragma once

#include "app/app_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

// The viewer and its counters at their start values, the window's projection,
// an identity modelview, and the scene state given under that identity as
// start-up gives it: the light positions are taken through the modelview.
inline void startSceneAfresh() {
    resetViewerState();
    resetFrameCounter();
    onReshape(windowWidth, windowHeight);
    setupSceneState();
}
