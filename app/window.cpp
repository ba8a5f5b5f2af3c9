// The window the viewer draws in, and the tools and tests that draw as it
// does.
#include <GL/glut.h>

#include "app/app_state.h"

void openWindow(const char* title, int width, int height) {
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(width, height);
    glutCreateWindow(title);
}
