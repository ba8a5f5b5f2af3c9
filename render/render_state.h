// Shared state of the renderer: texture names, the per-frame view values, the
// model-to-world matrix for the vertex program and the sky dome's points. The
// variables are defined in render_state.cpp; each section names the file of
// its functions.
#pragma once

#include "ocean/ocean_state.h"

// The program's degrees-to-radians factor, slightly more than the exact one;
// applied in double precision before sin, cos or tan.
constexpr double degreesToRadians = 0.017453293;

// 16 floats, row-major: element row x 4 + column, translation in 3, 7, 11.
struct Matrix4 {
    float element[16];
};

// ---- Texture names ---------------------------------------------------------
extern unsigned int skyTexture;
extern unsigned int envCubeTexture;
extern unsigned int bottomCubeTexture;
extern unsigned int normalMapTexture;
extern unsigned int normalizeCubeTexture;

// ---- The view a frame is drawn from ---------------------------------------
// Everything the renderer reads of the viewer, handed to it for each frame.
struct FrameView {
    double cameraX;
    double cameraY;
    float heading;        // degrees, 0 looks along +y, growing turns toward +x
    float pitch;          // degrees, positive looks down
    bool perPixelShading; // the water's shader programs, else reflection mapping
};

// ---- Where the eye stands (view.cpp) --------------------------------------
// The viewer's camera point, which no input moves.
constexpr double startCameraX = 127.0;
constexpr double startCameraY = 127.0;
constexpr double eyeHeight = 10.0;
constexpr float waterLift = 120.0f;
// The view pulls the water 127 units toward the eye, the lift adds 120 back.
constexpr double eyeBehindCentre = 127.0;
// The eye over the sea, in the tiles' z-up frame, for a camera at (x, y):
// eyeBehindCentre - waterLift further along y than the camera, whatever
// the heading, and eyeHeight above the still water (view.cpp).
Vector3d eyePosition(double x, double y);

// ---- Per-frame view values (view.cpp) -------------------------------------
// Eye position for the shader, in the y-up world frame of modelToWorldMatrix:
// the camera's x, the eye's height plus the water's lift, and a fixed depth.
// Only the first element changes, with the camera. The depth is not derived
// from the drawn eye, which stands at -(startCameraY + eyeBehindCentre -
// waterLift) = -134: the shaders have always been handed an eye one unit
// further back, and the look the reference pictures pin is the look with it.
constexpr float shaderEyeDepth = -135.0f;
constexpr float shaderEyeStart[3] = {static_cast<float>(startCameraX),
                                     static_cast<float>(eyeHeight) + waterLift, shaderEyeDepth};
extern float shaderEyePosition[3];
// The light the water's programs shade by, in the same frame.
constexpr float shaderLightPosition[3] = {-600.0f, 600.0f, 194.0f};
// Wedge of visible tiles: apex 132 units behind the camera, edges 45 degrees
// either side of the viewing direction.
constexpr double cullApexPullBack = 132.0;
extern float cullApex[2];
extern float leftEdgeDir[2];
extern float rightEdgeDir[2];
void computeViewValues(double eyeX, double eyeY, float viewHeading);

// ---- Water tiles: culled in view.cpp, drawn in water_tiles.cpp -----------
constexpr int tilesPerSide = 8;          // candidates around the viewer
constexpr float normalMapRepeats = 4.0f; // texture coordinates 0..4 across a tile
// A software renderer bins what it is sent and rasterises only at a flush: a
// flush after every few tiles lets its rasteriser threads draw those while
// the main thread still sends the next ones, instead of waiting idle for the
// swap. Fewer tiles a flush keep them busier but cost a new scene each.
constexpr int tilesPerFlush = 4;
extern int tilesDrawn;
extern Matrix4 modelToWorldMatrix;
// The culling (view.cpp).
int tileIndexOf(double coordinate); // truncation toward zero
bool tileVisible(int tx, int ty);   // wedge test on the tile's centre
// The 8 x 8 candidates around a centre tile and the wedge's verdict on each:
// candidate (a, b) is tile (firstTileX + a, firstTileY + b).
struct CandidateTiles {
    int firstTileX;
    int firstTileY;
    bool visible[tilesPerSide][tilesPerSide];
    int visibleCount;
};
CandidateTiles cullCandidateTiles(int centreX, int centreY);
// The drawing (water_tiles.cpp): culls, binds the water's programs when the
// view shades per pixel, and sends the visible tiles.
void drawWaterTiles(const FrameView& view);

// ---- Matrix helpers (matrix.cpp) ------------------------------------------
void matrixSetIdentity(Matrix4& m);
void matrixMultiply(Matrix4& a, const Matrix4& b);
void matrixRotate(Matrix4& m, float ax, float az);
void matrixSetTranslation(Matrix4& m, float tx, float ty, float tz);

// ---- Scene state and frame (scene_state.cpp, frame.cpp) -------------------
void setupSceneState();
// The sea and the sky of a frame, into the back buffer; the caller draws
// what lies on top and swaps.
void composeFrame(const FrameView& view);

// ---- Sky dome (points: sky_geometry.cpp; drawing: sky_dome.cpp) ----------
constexpr int skyDomeRings = 8;
constexpr int skyDomePoints = 31;
constexpr float skyDomeRadius = 1000.0f;
extern float skyDome[skyDomeRings][skyDomePoints][3];
void buildSkyDome(float radius, float (&dome)[skyDomeRings][skyDomePoints][3]);
// The sky texture's coordinates at the dome's ring and point: the first runs
// from the zenith at 0 to the horizon at 7/8, the second once around.
float skyDomeTextureS(int ring);
float skyDomeTextureT(int point);
void drawSkyDome(const FrameView& view);

// ---- What the rendering library takes (texture_upload.cpp) ---------------
// The largest 2-D texture and cube-map face, a side. A texture past either is
// refused, and a sky refused shows white, so every texture is brought within
// them. Read once at start-up, before the first texture; until then they
// hold what every GL of the last twenty years takes (render_state.cpp).
struct TextureLimits {
    int max2DSide;
    int maxCubeFaceSide;
};
extern TextureLimits textureLimits;
void readTextureLimits();

// ---- Textures from files (textures.cpp) ------------------------------------
unsigned int loadTexture2D(const char* fileName);
unsigned int loadEnvironmentCubeMap();
unsigned int loadBottomCubeMap();

// ---- Generated textures (generated_textures.cpp) --------------------------
// Their byte encodings: render/texture_support.h.
constexpr int normalizeCubeSize = 32;
extern unsigned char* normalMapPixels;
unsigned int createNormalMapTexture();
void updateNormalMapTexture();
unsigned int createNormalizeCubeMap();
void fillNormalizeCubeFaces(int size, int level);

// ---- Shader programs (shader_programs.cpp) --------------------------------
// The constants of the vertex program's reflection weight (shaders/v.cg
// says how it combines them) and its ratio of refractive indices, handed
// over in every frame. The figure of the reflection weight runs the program
// with these same values.
constexpr float fresnelBias = 0.6f;
constexpr float fresnelScale = 0.5f;
constexpr float fresnelPower = 0.7f;
constexpr float etaRatio = 0.750243783f; // air into sea water
void createShaderPrograms();
// False when either program is missing, broken or does not link with the
// other: the water is then drawn by the fixed-function reflection path.
bool shaderProgramsUsable();
void bindShaderPrograms();
void unbindShaderPrograms();
