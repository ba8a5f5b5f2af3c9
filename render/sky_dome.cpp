#include "render/render_state.h"

void drawSkyDome() {}
