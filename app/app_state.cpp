// The viewer's orientation, position and toggles, with their start values.
#include "app/app_state.h"

float heading = 40.0f;
float pitch = 0.0f;
float lastPointerX = 0.0f;
float lastPointerY = 0.0f;
int shadersEnabled = toggleOn;
int statsVisible = 1;
double cameraX = 127.0;
double cameraY = 127.0;
