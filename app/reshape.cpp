// The projection follows the window; the toolkit hands over redisplays.
#include <GL/glut.h>

#include "app/app_state.h"
#include "render/gl_api.h"

static_assert(leftButton == GLUT_LEFT_BUTTON, "left button code");
static_assert(buttonDown == GLUT_DOWN && buttonUp == GLUT_UP, "button state codes");

void requestRedisplay() {
    glutPostRedisplay();
}

void onReshape(int width, int height) {
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    float aspect = static_cast<float>(width) / static_cast<float>(height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(verticalFieldOfView(width, height), aspect, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
