// A model of what the eye sees, made from the view's geometry alone: the eye
// where the view's translations put it, its frame turned by the heading and
// the pitch, the projection's six planes at the window's aspect. It never
// asks the culling code anything, so the culling can be checked against it
// (tests/unit/culling_view_model_test.cpp) and its wasted work counted (the
// figures).
#pragma once

#include <vector>

#include "ocean/ocean_state.h"

struct ViewPlane {
    Vector3d normal; // inside where normal . (p - eye) >= offset
    double offset;
};

struct EyeView {
    Vector3d eye, forward, right, up;
    double tanHalfWidth, tanHalfHeight;
    ViewPlane planes[6]; // near, far, the two sides, bottom, top
};

// From the viewer's camera position, as its frame at this heading and pitch.
EyeView eyeViewAt(float heading, double pitch);

// A convex polygon: a square has 4 corners, each of the six planes can add
// one.
struct ViewPolygon {
    Vector3d corner[10];
    int count = 0;
};

// The square of tile (tx, ty) shrunk by inset on each side, at height z.
ViewPolygon tileSquare(int tx, int ty, double inset, double z);
ViewPolygon clipToView(const ViewPolygon& polygon, const EyeView& view);
// Window pixels covered by a polygon that lies inside the view.
double screenPixels(const ViewPolygon& polygon, const EyeView& view);
// Less than this a tile only touches the view along an edge or at a corner,
// within rounding.
constexpr double touchingPixels = 1e-3;

// How far the simulation can lift a point of the drawn surface or lower it
// (after heightScale), and shift it sideways along either axis.
struct WaveBounds {
    double height;
    double shift;
};
// Over the fixed sea and this many seeds beside it; leaves the last seed's
// spectrum.
constexpr unsigned waveBoundSeeds = 16;
WaveBounds waveBounds();

// The real culling of one view beside the model's verdict on each candidate.
struct ViewCulling {
    int drawn = 0;
    int inView = 0;         // some part in view over a flat sea
    int drawnOutOfView = 0; // drawn, but wholly outside the view
    int certainlyInView = 0;
    int certainlyInViewCulled = 0;
    int missing = 0; // culled, but covering screen over a flat sea
    double largestMissingPixels = 0.0;
};
ViewCulling cullingInView(float heading, double pitch, const WaveBounds& bounds);

// The views swept: every half degree of heading, and every 5 degrees of
// pitch with the input's clamps.
constexpr int sweptHeadingSteps = 720;
constexpr float sweptHeadingStep = 0.5f;
std::vector<double> sweptPitches();
