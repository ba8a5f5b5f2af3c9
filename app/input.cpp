// Keys and mouse look. The toolkit delivers the events; everything here is
// plain arithmetic on the viewer state, so it runs without a window.
#include <cstdlib>

#include "app/app_state.h"

void handleKey(int key) {
    switch (key) {
    case escapeKey:
        std::exit(0);
    case spaceKey:
        viewer.shadersEnabled = -viewer.shadersEnabled;
        requestRedisplay();
        break;
    case statsKey:
        viewer.statsVisible = -viewer.statsVisible;
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

// The toolkit reports motion while any button is held, so any button's press
// records where its drag starts: a drag never jumps by the distance the
// pointer moved since an earlier one.
void onMouse(int, int state, int x, int y) {
    if (state == buttonDown) {
        viewer.lastPointerX = static_cast<float>(x);
        viewer.lastPointerY = static_cast<float>(y);
        requestRedisplay();
    } else if (state == buttonUp) {
        requestRedisplay();
    }
}

// The clamp puts back 89, not 90, and lets exactly +-90 pass: a motion that
// lands on the limit keeps it.
void onMotion(int x, int y) {
    viewer.pitch = viewer.pitch + (static_cast<float>(y) - viewer.lastPointerY) / pixelsPerDegree;
    if (viewer.pitch < -90.0f)
        viewer.pitch = -89.0f;
    if (viewer.pitch > 90.0f)
        viewer.pitch = 89.0f;
    viewer.heading =
        viewer.heading + (static_cast<float>(x) - viewer.lastPointerX) / pixelsPerDegree;
    viewer.lastPointerY = static_cast<float>(y);
    viewer.lastPointerX = static_cast<float>(x);
    requestRedisplay();
}
