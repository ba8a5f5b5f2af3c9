// The renderer's process-wide state.
#include "render/render_state.h"

unsigned int skyTexture = 0;
unsigned int envCubeTexture = 0;
unsigned int bottomCubeTexture = 0;
unsigned int normalMapTexture = 0;
unsigned int normalizeCubeTexture = 0;

// Elements 1 and 2 never change: the eye's height of 10 plus the water's lift
// of 120, and the depth the shaders were tuned with.
float shaderEyePosition[3] = {127.0f, 130.0f, -135.0f};
const float shaderLightPosition[3] = {-600.0f, 600.0f, 194.0f};
float cullApex[2];
float leftEdgeDir[2];
float rightEdgeDir[2];

int tilesDrawn = 0;
int centreTileX = 0;
int centreTileY = 0;
Matrix4 modelToWorldMatrix;

float skyDome[skyDomeRings][skyDomePoints][3];
unsigned char* normalMapPixels = nullptr;
