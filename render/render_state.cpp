// The renderer's process-wide state.
#include "render/render_state.h"

#include "image/image.h"

TextureLimits textureLimits = {imageMaxSide, imageMaxSide};

unsigned int skyTexture = 0;
unsigned int envCubeTexture = 0;
unsigned int bottomCubeTexture = 0;
unsigned int normalMapTexture = 0;
unsigned int normalizeCubeTexture = 0;

float shaderEyePosition[3] = {shaderEyeStart[0], shaderEyeStart[1], shaderEyeStart[2]};
float cullApex[2];
float leftEdgeDir[2];
float rightEdgeDir[2];

int tilesDrawn = 0;
Matrix4 modelToWorldMatrix;

float skyDome[skyDomeRings][skyDomePoints][3];
unsigned char* normalMapPixels = nullptr;
