// Keys and mouse look. The toolkit delivers the events; everything here is
// plain arithmetic on the viewer state, so it runs without a window.
#include <cmath>
#include <cstdlib>

#include "app/app_state.h"
#include "render/render_state.h"

// Keeps a horizontal field of view of 90 degrees whatever the window's shape;
// the near plane sits at distance 1.
float verticalFieldOfView(int width, int height) {
    if (height == 0)
        height = 1;
    float aspect = static_cast<float>(width) / static_cast<float>(height);
    float halfWidth =
        static_cast<float>(std::tan(horizontalFieldOfView / 2 * degreesToRadians) * nearPlane);
    float halfHeight = halfWidth / aspect;
    return static_cast<float>(std::atan(halfHeight / nearPlane) * radiansToFullAngle);
}

void handleKey(int key) {
    switch (key) {
    case escapeKey:
        std::exit(0);
    case spaceKey:
        shadersEnabled = -shadersEnabled;
        requestRedisplay();
        break;
    case statsKey:
        statsVisible = -statsVisible;
        requestRedisplay();
        break;
    default:
        break;
    }
}

void onKeyboard(unsigned char key, int, int) {
    handleKey(key);
}

void onSpecialKey(int, int, int) {}

void onMouse(int button, int state, int x, int y) {
    if (button != leftButton)
        return;
    if (state == buttonDown) {
        lastPointerX = static_cast<float>(x);
        lastPointerY = static_cast<float>(y);
        requestRedisplay();
    } else if (state == buttonUp) {
        requestRedisplay();
    }
}

// The clamp puts back 89, not 90, and lets exactly +-90 pass: a motion that
// lands on the limit keeps it.
void onMotion(int x, int y) {
    pitch = pitch + (static_cast<float>(y) - lastPointerY) / pixelsPerDegree;
    if (pitch < -90.0f)
        pitch = -89.0f;
    if (pitch > 90.0f)
        pitch = 89.0f;
    heading = heading + (static_cast<float>(x) - lastPointerX) / pixelsPerDegree;
    lastPointerY = static_cast<float>(y);
    lastPointerX = static_cast<float>(x);
    requestRedisplay();
}
