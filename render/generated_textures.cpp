#include "render/render_state.h"

unsigned int createNormalMapTexture() { return 0; }
void updateNormalMapTexture() {}
unsigned int createNormalizeCubeMap() { return 0; }
void fillNormalizeCubeFaces(int, int) {}
