#include "render/render_state.h"

unsigned int loadTexture2D(const char*) { return 0; }
unsigned int loadEnvironmentCubeMap() { return 0; }
unsigned int loadBottomCubeMap() { return 0; }
