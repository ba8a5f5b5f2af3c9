// The sea and the sky of one frame: clear, view values, sky, water.
#include "render/gl_api.h"
#include "render/render_state.h"

// Between the drawers no texturing is on: each enables what it textures with
// and disables it again. The back buffer is left unswapped, so that the shell
// can draw over it and tests can read it: after a swap its contents are
// undefined.
void composeFrame(const FrameView& view) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    computeViewValues(view.cameraX, view.cameraY, view.heading);
    drawSkyDome(view);
    // The rasteriser threads draw the sky while the water is being sent.
    glFlush();
    drawWaterTiles(view);
}
