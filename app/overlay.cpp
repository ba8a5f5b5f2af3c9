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

char statsText[statsTextSize] = "";

// White text on a black shadow one pixel right and one pixel down, at window
// pixel (x, y) from the lower-left corner, over the finished frame, which
// leaves no texturing on. Leaves the modelview matrix mode, the matrices and
// the depth test as it found them and the colour white.
void drawText(int x, int y, const char* text) {
    glPushAttrib(GL_ENABLE_BIT);
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
    glColor3f(1, 1, 1);
}

void drawStats() {
    countFrame(clockSeconds());
    std::snprintf(statsText, sizeof statsText, "%i        fps", frameCounter.framesPerSecond);
    drawText(fpsLineX, fpsLineY, statsText);
    std::snprintf(statsText, sizeof statsText, "%i        tiles", tilesDrawn);
    drawText(tilesLineX, tilesLineY, statsText);
}
