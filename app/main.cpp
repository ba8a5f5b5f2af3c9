// The ocean viewer: one window, mouse look, three keys.
#include <GL/glut.h>
#include <iostream>
#include <malloc.h>

#include "app/app_state.h"
#include "app/window_identity.h"
#include "render/render_state.h"

int main(int argc, char** argv) {
    // Keeps the renderer's per-batch megabyte in the heap rather than
    // returning it to the kernel after every batch.
    mallopt(M_TOP_PAD, heapTopPadding);
    std::cout << "program is loading.." << std::endl;
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(windowWidth, windowHeight);
    glutCreateWindow(argv[0]);
    identifyWindow();
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
