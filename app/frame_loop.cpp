// The main loop's two callbacks: the idle tick moves the sea on, the display
// callback draws it with the overlay on top.
#include <GL/glut.h>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/render_state.h"

void advanceSea(double t) {
    simulationStep(t);
    updateNormalMapTexture();
}

void onIdle() {
    advanceSea(waveTime(clockSeconds()));
    glutPostRedisplay();
}

FrameView frameViewOf(const ViewerState& state) {
    return FrameView{state.cameraX, state.cameraY, state.heading, state.pitch,
                     state.shadersEnabled == toggleOn};
}

// The counters come last, so that they lie on top of the scene, and read
// this frame's tiles.
void displayFrame() {
    composeFrame(frameViewOf(viewer));
    if (viewer.statsVisible == toggleOn)
        drawStats();
    glutSwapBuffers();
}
