// The application shell's state, one record or block a concern: the window,
// the viewer and its toggles, input, the clock, the frame counter and its
// overlay, the main loop's callbacks and start-up, and the fixed sea. Each
// record's members carry their start values, and a reset is an assignment
// of a fresh record. The tools and tests that use two of these concerns
// include one header.
#pragma once

#include <vector>

#include "render/render_state.h"

// ---- Window and projection (window.cpp) ------------------------------------
constexpr int windowWidth = 1280;
constexpr int windowHeight = 1024;
constexpr float horizontalFieldOfView = 90.0f;
constexpr double nearPlane = 1.0;
constexpr double farPlane = 2500.0;
// Radians of atan become the full angle in degrees through this factor.
constexpr double radiansToFullAngle = 2.0 / degreesToRadians;
// A double-buffered RGB window with a depth buffer at the top-left of the
// screen, width x height, named title; the toolkit must be initialised.
void openWindow(const char* title, int width, int height);
void onReshape(int width, int height);

// ---- Viewer and toggles ------------------------------------------------------
// The toggles hold -1 for on and 1 for off, are flipped by negation and are
// tested for equality with -1.
constexpr int toggleOn = -1;
constexpr int toggleOff = -toggleOn;
// The viewer as it opens. Only the input (input.cpp) changes it, and only its
// angles, the pointer and the toggles: the camera stands still. The one
// instance is defined here, so that what only reads it (the figure tools)
// links none of the input's code.
struct ViewerState {
    float heading = 40.0f; // degrees, 0 looks along +y, growing turns toward +x
    float pitch = 0.0f;    // degrees, positive looks down
    float lastPointerX = 0.0f;
    float lastPointerY = 0.0f;
    int shadersEnabled = toggleOn;
    int statsVisible = toggleOff;
    double cameraX = startCameraX;
    double cameraY = startCameraY;
};
inline ViewerState viewer;

// ---- Input (input.cpp) -----------------------------------------------------
// Button and state codes as the toolkit reports them to onMouse, which does
// not look at the button: a drag with any button turns the view (onMotion).
constexpr int leftButton = 0;
constexpr int buttonDown = 0;
constexpr int buttonUp = 1;
constexpr int escapeKey = 27;
constexpr int spaceKey = 32;
constexpr int statsKey = 'c';
// Dragging turns the view by 1/8 degree per pixel on both axes.
constexpr float pixelsPerDegree = 8.0f;
void handleKey(int key);
void onKeyboard(unsigned char key, int x, int y);
void onSpecialKey(int key, int x, int y);
void onMouse(int button, int state, int x, int y);
void onMotion(int x, int y);
// Asks the toolkit to draw the window again (main.cpp in the viewer; the
// unit tests count the asks instead).
void requestRedisplay();

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
// The counter as before the first frame: nothing counted, nothing published.
struct FrameCounter {
    int framesCounted = 0;
    int framesPerSecond = 0;
    double lastPublishTime = 0.0;
};
extern FrameCounter frameCounter;
// Counts one frame shown at clock reading now and publishes the count once a
// second has passed since the last publication.
void countFrame(double now);
constexpr int statsTextSize = 32;
extern char statsText[statsTextSize];
void drawText(int x, int y, const char* text);
void drawStats();

// ---- Main loop (frame_loop.cpp) and start-up (startup.cpp) -----------------
void onIdle();
// The idle tick's step without the clock and the redraw: the sea at wave
// time t, then the normal map that follows it.
void advanceSea(double t);
// What the renderer reads of the viewer.
FrameView frameViewOf(const ViewerState& state);
void displayFrame();
// Start-up's textures: the generated ones, the sky dome and its picture;
// then the two cube maps read from files.
void makeSkyAndGeneratedTextures();
void loadCubeMaps();
void initialise();

// ---- Frames of a fixed sea (fixed_sea.cpp) ---------------------------------
// The two functions are in the fixed-sea library, which the GL tests and the
// figure tools link and the viewer leaves out.
// The viewer and its counter at their start values, the window's projection,
// an identity modelview, and the scene state given under that identity as
// start-up gives it (the light positions are taken through the modelview):
// what every GL test and every frame of a fixed sea start from.
void startSceneAfresh();
// The views of the one random sea that is the same on every run (its seed
// and wave time: ocean/ocean_state.h). The reference pictures and the
// figures draw it.
struct SeaView {
    const char* name;
    float heading;
    float pitch;
    int shading; // shadersEnabled
};
// The start view; the same unshaded, the reflection-mapped water of the
// space key; and a view turned toward the light and looking down, where the
// sun's glint and the bottom through the water fill the picture.
constexpr int seaViewCount = 3;
constexpr int glintView = 2;
inline constexpr SeaView seaViews[seaViewCount] = {
    {"start", ViewerState{}.heading, ViewerState{}.pitch, toggleOn},
    {"start-unshaded", ViewerState{}.heading, ViewerState{}.pitch, toggleOff},
    {"glint", 250.0f, 30.0f, toggleOn},
};
// The frame of the view over the fixed sea at wave time t, composed as the
// viewer composes it in its window and read back before the swap: RGB, rows
// from the bottom up, windowWidth x windowHeight.
std::vector<unsigned char> drawFixedSeaFrame(const SeaView& view, double t);
