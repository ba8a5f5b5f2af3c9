// The sky: a textured hemisphere that turns with the view but keeps its
// centre 100 units below the eye, whatever the viewer's position.
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

constexpr double domeDrop = -100.0;

void drawRingBand(int ring) {
    glBegin(GL_TRIANGLE_STRIP);
    for (int j = 0; j < skyDomePoints; ++j) {
        const float t = skyDomeTextureT(j);
        glTexCoord2f(skyDomeTextureS(ring), t);
        glVertex3fv(skyDome[ring][j]);
        glTexCoord2f(skyDomeTextureS(ring + 1), t);
        glVertex3fv(skyDome[ring + 1][j]);
    }
    glEnd();
}

} // namespace

// Textured by its picture alone: the cube maps, which would take precedence,
// off; 2-D texturing on while the dome is drawn and off again afterwards.
// Leaves lighting off and the texture environment in decal mode.
void drawSkyDome(const FrameView& view) {
    glPushMatrix();
    // The drop comes first, so it acts along the eye's own vertical axis.
    glTranslated(0.0, domeDrop, 0.0);
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(view.pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(view.heading, 0.0f, 0.0f, 1.0f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, skyTexture);
    glDisable(GL_LIGHTING);
    for (int ring = 0; ring < skyDomeRings - 1; ++ring)
        drawRingBand(ring);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
}
