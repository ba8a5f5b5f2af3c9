// One frame: clear, view values, sky, water, overlay, swap.
#include <GL/glut.h>

#include "app/app_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

// Everything of a frame but the swap, so that tests can read the back buffer:
// after a swap its contents are undefined.
void composeFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    computeViewValues(cameraX, cameraY, heading);
    drawSkyDome();
    // The rasteriser threads draw the sky while the water is being sent.
    glFlush();
    drawWaterTiles();
    // Last, so that the counters lie on top of the scene.
    if (statsVisible == toggleOn)
        drawStats();
}

void displayFrame() {
    composeFrame();
    glutSwapBuffers();
}
