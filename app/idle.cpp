// The idle tick: one simulation step at the current wave time, then the
// normal map follows the surface and a redraw is requested.
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
