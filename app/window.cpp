// The window the viewer draws in, and its projection: a 90-degree view
// across, whatever the window's shape.
#include <GL/glut.h>
#include <cmath>

#include "app/app_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

// The near plane sits at distance 1; the vertical angle follows from the
// half-width of the view there and the aspect.
float verticalFieldOfView(float aspect) {
    float halfWidth =
        static_cast<float>(std::tan(horizontalFieldOfView / 2 * degreesToRadians) * nearPlane);
    float halfHeight = halfWidth / aspect;
    return static_cast<float>(std::atan(halfHeight / nearPlane) * radiansToFullAngle);
}

} // namespace

void openWindow(const char* title, int width, int height) {
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowPosition(0, 0);
    glutInitWindowSize(width, height);
    glutCreateWindow(title);
}

// A window 0 pixels high is taken as 1 pixel high, for the viewport and the
// aspect alike, so the aspect never divides by zero.
void onReshape(int width, int height) {
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    float aspect = static_cast<float>(width) / static_cast<float>(height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(verticalFieldOfView(aspect), aspect, nearPlane, farPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
