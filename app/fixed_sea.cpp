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

    const std::size_t rowBytes = static_cast<std::size_t>(windowWidth) * 3;
    std::vector<unsigned char> samples(rowBytes * windowHeight);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // The rendering library counts rows from the bottom.
    for (int row = 0; row < windowHeight; ++row)
        glReadPixels(0, windowHeight - 1 - row, windowWidth, 1, GL_RGB, GL_UNSIGNED_BYTE,
                     &samples[row * rowBytes]);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return samples;
}
