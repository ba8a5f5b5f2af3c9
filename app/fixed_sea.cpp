// Frames of one fixed sea, the same on every run: the reference pictures
// that pin the sea's look and the figures of the guide are drawn here.
#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

void startSceneAfresh() {
    viewer = ViewerState{};
    frameCounter = FrameCounter{};
    onReshape(windowWidth, windowHeight);
    setupSceneState();
}

std::vector<unsigned char> drawFixedSeaFrame(const SeaView& view, double t) {
    startSceneAfresh();
    viewer.heading = view.heading;
    viewer.pitch = view.pitch;
    viewer.shadersEnabled = view.shading;
    seedRandom(fixedSeaSeed);
    initWaveSpectrum();
    advanceSea(t);
    composeFrame(frameViewOf(viewer));
    glFinish();

    std::vector<unsigned char> samples(static_cast<std::size_t>(windowWidth) * windowHeight * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, windowWidth, windowHeight, GL_RGB, GL_UNSIGNED_BYTE, samples.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return samples;
}
