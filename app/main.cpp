// The ocean viewer: one window, mouse look, three keys.
#include <GL/glut.h>
#include <cstdio>
#include <iostream>
#include <malloc.h>

#include "app/app_state.h"
#include "app/desktop_x11.h"
#include "render/render_state.h"

static_assert(leftButton == GLUT_LEFT_BUTTON, "left button code");
static_assert(buttonDown == GLUT_DOWN && buttonUp == GLUT_UP, "button state codes");

namespace {

// The software renderer obtains and frees about a megabyte for every batch of
// vertices. Without room kept at the top of the heap the allocator hands it
// back to the kernel each time and the next batch faults it in again: a fifth
// of the frame went to that.
constexpr int heapTopPadding = 16 * 1024 * 1024;

} // namespace

// The input handlers only ask for a redraw, so that they run without a
// window; the unit tests count the asks instead.
void requestRedisplay() {
    glutPostRedisplay();
}

int main(int argc, char** argv) {
    // Started from a menu, standard output goes to the session's log, where
    // a block-buffered stream would hold each line until the buffer fills.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    // Keeps the renderer's per-batch megabyte in the heap rather than
    // returning it to the kernel after every batch.
    mallopt(M_TOP_PAD, heapTopPadding);
    std::cout << "program is loading.." << std::endl;
    glutInit(&argc, argv);
    // The window is made at its full size and fitted to its monitor before
    // it is mapped (window_identity.cpp); the projection follows whatever
    // size it gets.
    openWindow(argv[0], windowWidth, windowHeight);
    glutSetCursor(GLUT_CURSOR_NONE);
    initialise();
    reportMissingData();
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutIdleFunc(onIdle);
    glutDisplayFunc(displayFrame);
    // An eighth callback: a desktop program stops its work while minimised.
    glutWindowStatusFunc(onWindowStatus);
    // And a timer: what the toolkit does not report, the manager's hidden
    // mark and the screen saver, and the window's fit once it is placed.
    glutTimerFunc(desktopWatchInterval, onDesktopWatch, 0);
    glutMainLoop();
    return 0;
}
