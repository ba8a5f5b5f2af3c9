// Text over the finished image: the frames-per-second and tiles lines.
#include <GL/glut.h>
#include <cstdio>

#include "app/app_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

constexpr int lineSpacing = 18;
constexpr int fpsLineX = 15;
constexpr int fpsLineY = 75;
constexpr int tilesLineX = 15;
constexpr int tilesLineY = 55;

float savedModelview[16];

// Walks the text once from (x, y); every newline starts the next line 18
// pixels lower at x again. The newline itself is handed over too and draws
// nothing.
void drawTextPass(int x, int y, const char* text) {
    int line = 0;
    glRasterPos2i(x, y);
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            ++line;
            glRasterPos2i(x, y - lineSpacing * line);
        }
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, *c);
    }
}

} // namespace

// White text on a black shadow one pixel right and one pixel down, at window
// pixel (x, y) from the lower-left corner. Leaves the modelview matrix mode,
// the depth test on and the colour white.
void drawText(int x, int y, const char* text) {
    glGetFloatv(GL_MODELVIEW_MATRIX, savedModelview);
    // Glyphs are textured like any fragment: the water leaves cube-map
    // texturing on under the sky's decal mode, which would paint the text
    // with texels instead of white and black.
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, glutGet(GLUT_WINDOW_WIDTH), 0, glutGet(GLUT_WINDOW_HEIGHT), -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    // The colour is set before the raster position, which takes it over.
    glColor3ub(0, 0, 0);
    drawTextPass(x + 1, y - 1, text);
    glColor3ub(255, 255, 255);
    drawTextPass(x, y, text);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
    glEnable(GL_DEPTH_TEST);
    glLoadMatrixf(savedModelview);
    glColor3f(1, 1, 1);
}

void drawStats() {
    countFrame(clockSeconds());
    std::snprintf(statsText, sizeof statsText, "%i        fps", framesPerSecond);
    drawText(fpsLineX, fpsLineY, statsText);
    std::snprintf(statsText, sizeof statsText, "%i        tiles", tilesDrawn);
    drawText(tilesLineX, tilesLineY, statsText);
}
