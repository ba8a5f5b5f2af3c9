// The viewer's orientation, position and toggles, with their start values.
#include "app/app_state.h"

namespace {

constexpr float startHeading = 40.0f;
constexpr int toggleOff = -toggleOn;

} // namespace

float heading = startHeading;
float pitch = 0.0f;
float lastPointerX = 0.0f;
float lastPointerY = 0.0f;
int shadersEnabled = toggleOn;
int statsVisible = toggleOff;
double cameraX = startCameraX;
double cameraY = startCameraY;

void resetViewerState() {
    heading = startHeading;
    pitch = 0.0f;
    lastPointerX = 0.0f;
    lastPointerY = 0.0f;
    shadersEnabled = toggleOn;
    statsVisible = toggleOff;
    cameraX = startCameraX;
    cameraY = startCameraY;
}
