// The ocean viewer: one window, mouse look, three keys.
#include <GL/glut.h>
#include <cstdio>
#include <iostream>
#include <malloc.h>

#include "app/app_state.h"
#include "app/desktop.h"
#include "render/render_state.h"

int main(int argc, char** argv) {
    // Started from a menu, standard output goes to the session's log, where
    // a block-buffered stream would hold each line until the buffer fills.
    std::setvbuf(stdout, nullptr, _IOLBF, BUFSIZ);
    // Keeps the renderer's per-batch megabyte in the heap rather than
    // returning it to the kernel after every batch.
    mallopt(M_TOP_PAD, heapTopPadding);
    std::cout << "program is loading.." << std::endl;
    glutInit(&argc, argv);
    // The projection follows whatever size the window gets.
    const WindowSize size = windowSizeOnScreen(
        windowWidth, windowHeight, glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    openWindow(argv[0], size.width, size.height);
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
    glutMainLoop();
    return 0;
}
