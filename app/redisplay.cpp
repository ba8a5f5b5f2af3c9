// The bridge from the input handlers to the toolkit: they only ask for a
// redraw, so they run without a window, and the unit tests count the asks.
#include <GL/glut.h>

#include "app/app_state.h"

static_assert(leftButton == GLUT_LEFT_BUTTON, "left button code");
static_assert(buttonDown == GLUT_DOWN && buttonUp == GLUT_UP, "button state codes");

void requestRedisplay() {
    glutPostRedisplay();
}
