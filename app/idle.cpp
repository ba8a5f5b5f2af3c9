// The idle tick: one simulation step at the current wave time, then the
// normal map follows the surface and a redraw is requested.
#include <GL/glut.h>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/render_state.h"

void onIdle() {
    // Start minus now: the phase time is 0 when the wave clock started and
    // falls by one per second of running time.
    double t = (startTime - clockSeconds()) * timeScale;
    simulationStep(t);
    updateNormalMapTexture();
    glutPostRedisplay();
}
