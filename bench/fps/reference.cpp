// The yardstick for the viewer's frame rate: the same window, projection,
// view and culled tiles, each tile sent as the same 64 strips of 130 vertices
// with the same texture-coordinate, normal and vertex calls, but from a flat
// grid made once, with no simulation, no texturing, no lighting and no
// shaders. It swaps as fast as the toolkit lets it. Escape ends it.
#include <GL/glut.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

// The vertex calls are written out here rather than borrowed from the
// viewer's tile code, so the yardstick stays put while that code changes.
RenderGrid flatGrid;
bool tileCountAnnounced = false;

void buildFlatGrid() {
    for (int a = 0; a < renderGridSize; ++a) {
        for (int l = 0; l < renderGridSize; ++l) {
            flatGrid.positions[a][l] = {a * latticeSpacing, l * latticeSpacing, 0.0};
            flatGrid.normals[a][l] = {0.0, 0.0, 1.0};
        }
    }
}

void emitVertex(int a, int l, double offsetX, double offsetY) {
    const Vector3d& p = flatGrid.positions[a][l];
    const Vector3d& n = flatGrid.normals[a][l];
    glTexCoord2f(static_cast<float>(a) / gridSize * normalMapRepeats,
                 static_cast<float>(l) / gridSize * normalMapRepeats);
    glNormal3d(n.x, n.y, n.z);
    glVertex3f(static_cast<float>(offsetX + p.x), static_cast<float>(offsetY + p.y),
               static_cast<float>(heightScale * p.z));
}

void drawTile(int tx, int ty) {
    double offsetX = tx * patchLength;
    double offsetY = ty * patchLength;
    for (int k = 0; k < gridSize; ++k) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int l = 0; l < renderGridSize; ++l) {
            emitVertex(k, l, offsetX, offsetY);
            emitVertex(k + 1, l, offsetX, offsetY);
        }
        glEnd();
    }
}

void applyWaterView() {
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(heading, 0.0f, 0.0f, 1.0f);
    glTranslated(-cameraX, -cameraY - eyeBehindCentre, -eyeHeight);
    glTranslatef(0.0f, waterLift, 0.0f);
}

int drawTiles() {
    int drawn = 0;
    const int half = tilesPerSide / 2;
    int centreX = tileIndexOf(cameraX);
    int centreY = tileIndexOf(cameraY);
    for (int tx = centreX - half; tx < centreX + half; ++tx) {
        for (int ty = centreY - half; ty < centreY + half; ++ty) {
            if (!tileVisible(tx, ty))
                continue;
            ++drawn;
            drawTile(tx, ty);
        }
    }
    return drawn;
}

void displayReference() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    computeViewValues(cameraX, cameraY, heading);
    glPushMatrix();
    applyWaterView();
    tilesDrawn = drawTiles();
    glPopMatrix();
    glutSwapBuffers();
    // Once, so the benchmark can check that it draws as many tiles as the viewer.
    if (!tileCountAnnounced) {
        tileCountAnnounced = true;
        std::printf("reference tiles per frame: %d\n", tilesDrawn);
        std::fflush(stdout);
    }
}

void onReferenceIdle() {
    glutPostRedisplay();
}

void onReferenceKey(unsigned char key, int, int) {
    if (key == escapeKey)
        std::exit(0);
}

} // namespace

int main(int argc, char** argv) {
    // The same heap padding as the viewer, so the yardstick shows the
    // drawing's own cost.
    mallopt(M_TOP_PAD, heapTopPadding);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow(argv[0]);
    glutSetCursor(GLUT_CURSOR_NONE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDrawBuffer(GL_BACK);
    buildFlatGrid();
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onReferenceKey);
    glutIdleFunc(onReferenceIdle);
    glutDisplayFunc(displayReference);
    glutMainLoop();
    return 0;
}
