// Shared state of the application shell: the viewer, the toggles, the clock
// and the frame counter, with the callbacks the toolkit calls.
#pragma once

#include <vector>

// ---- Window ---------------------------------------------------------------
constexpr int windowWidth = 1280;
constexpr int windowHeight = 1024;
constexpr float horizontalFieldOfView = 90.0f;
constexpr double nearPlane = 1.0;
constexpr double farPlane = 2500.0;
// Radians of atan become the full angle in degrees through this factor
// (2 / the degrees-to-radians factor).
constexpr double radiansToFullAngle = 114.59155587429832;
// Dragging turns the view by 1/8 degree per pixel on both axes.
constexpr float pixelsPerDegree = 8.0f;

// ---- Viewer state and toggles ---------------------------------------------
// The toggles hold -1 for on and 1 for off, are flipped by negation and are
// tested for equality with -1.
constexpr int toggleOn = -1;
extern float heading; // degrees, 0 looks along +y, growing turns toward +x
extern float pitch;   // degrees, positive looks down
extern float lastPointerX;
extern float lastPointerY;
extern int shadersEnabled;
extern int statsVisible;
// The viewer stands still: nothing writes these during a run.
constexpr double startCameraX = 127.0;
constexpr double startCameraY = 127.0;
extern double cameraX;
extern double cameraY;
// Puts every value above back to its start value, so that each test starts
// from the viewer as it opens whatever ran before it.
void resetViewerState();

// Button and state codes as the toolkit reports them to onMouse.
constexpr int leftButton = 0;
constexpr int buttonDown = 0;
constexpr int buttonUp = 1;
constexpr int escapeKey = 27;
constexpr int spaceKey = 32;
constexpr int statsKey = 'c';

// ---- Input (input.cpp) -----------------------------------------------------
void handleKey(int key);
void onKeyboard(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);
// Asks the toolkit to draw the window again (redisplay.cpp in the viewer).
void requestRedisplay();

// ---- Window and projection (window.cpp, reshape.cpp) ----------------------
// A double-buffered RGB window with a depth buffer at the top-left of the
// screen, width x height, named title; the toolkit must be initialised.
void openWindow(const char* title, int width, int height);
void onReshape(int width, int height);

// ---- Clock (clock.cpp) -----------------------------------------------------
extern double startTime;
double clockSeconds();
// The phase time of the waves at clock reading now: start minus now, so it is
// 0 when the wave clock started and falls by one per second of running time.
double waveTime(double now);
double waveTimeBetween(double start, double now);
// The wave time runningSeconds of the viewer's clock after the fixed sea's:
// the figures' clip and time series step through it as the viewer would.
double fixedSeaWaveTimeAfter(double runningSeconds);

// ---- Frame counter (frame_counter.cpp) and overlay (overlay.cpp) -----------
extern int framesCounted;
extern int framesPerSecond;
extern double lastPublishTime;
constexpr int statsTextSize = 32;
extern char statsText[statsTextSize];
// Counts one frame shown at clock reading now and publishes the count once a
// second has passed since the last publication.
void countFrame(double now);
// The counter as before the first frame: nothing counted, nothing published.
void resetFrameCounter();
void drawText(int x, int y, const char* text);
void drawStats();

// ---- Idle tick and start-up (idle.cpp, startup.cpp) -----------------------
void onIdle();
// The idle tick's step without the clock and the redraw: the sea at wave
// time t, then the normal map that follows it.
void advanceSea(double t);
// Start-up's textures: the generated ones, the sky dome and its picture;
// then the two cube maps read from files.
void makeSkyAndGeneratedTextures();
void loadCubeMaps();
void initialise();
// The viewer and its counters at their start values, the window's
// projection, an identity modelview, and the scene state given under that
// identity as start-up gives it (the light positions are taken through the
// modelview): what every GL test and every frame of a fixed sea start from.
// In the fixed-sea library (scene_afresh.cpp), which the viewer leaves out.
void startSceneAfresh();

// ---- Frames of a fixed sea (sea_views.cpp, fixed_sea.cpp) ------------------
// The views of the one random sea that is the same on every run (its seed
// and wave time: ocean/ocean_state.h). The reference pictures and the
// figures draw it; the frames come from the fixed-sea library.
struct SeaView {
    const char* name;
    float heading;
    float pitch;
    int shading; // shadersEnabled
};
constexpr int seaViewCount = 3;
constexpr int glintView = 2; // turned toward the light
extern const SeaView seaViews[seaViewCount];
// The frame of the view over the fixed sea at wave time t, composed as the
// viewer composes it in its window and read back before the swap: RGB, rows
// from the bottom up, windowWidth x windowHeight.
std::vector<unsigned char> drawFixedSeaFrame(const SeaView& view, double t);

// ---- Process (main.cpp) ----------------------------------------------------
// The software renderer obtains and frees about a megabyte for every batch of
// vertices. Without room kept at the top of the heap the allocator hands it
// back to the kernel each time and the next batch faults it in again: a fifth
// of the frame went to that.
constexpr int heapTopPadding = 16 * 1024 * 1024;
