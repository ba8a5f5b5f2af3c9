#include "render/render_state.h"

void buildSkyDome(float, float (&)[skyDomeRings][skyDomePoints][3]) {}
