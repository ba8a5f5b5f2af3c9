// Keys and mouse look. The toolkit delivers the events; everything here is
// plain arithmetic on the viewer state, so it runs without a window.
#include <cstdlib>

#include "app/app_state.h"

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

// The toolkit reports motion while any button is held, so any button's press
// records where its drag starts: a drag never jumps by the distance the
// pointer moved since an earlier one.
void onMouse(int, int state, int x, int y) {
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
