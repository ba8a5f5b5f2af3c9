// The ocean viewer: one window, mouse look, three keys.
#include <GL/glut.h>
#include <iostream>
#include <malloc.h>

#include "app/app_state.h"
#include "render/render_state.h"

namespace {

// The software renderer obtains and frees about a megabyte for every batch of
// vertices. Without room kept at the top of the heap the allocator hands it
// back to the kernel each time and the next batch faults it in again: a fifth
// of the frame went to that.
constexpr int heapTopPadding = 16 * 1024 * 1024;

} // namespace

int main(int argc, char** argv) {
    mallopt(M_TOP_PAD, heapTopPadding);
    std::cout << "program is loading.." << std::endl;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow(argv[0]);
    glutSetCursor(GLUT_CURSOR_NONE);
    initialise();
    glutReshapeFunc(onReshape);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutMouseFunc(onMouse);
    glutMotionFunc(onMotion);
    glutIdleFunc(onIdle);
    glutDisplayFunc(displayFrame);
    glutMainLoop();
    return 0;
}
