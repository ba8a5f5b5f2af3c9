#include "render/render_state.h"

void normalizeVector3f(float (&)[3]) {}
void packVectorToRgb(const float (&)[3], unsigned char*&) {}
