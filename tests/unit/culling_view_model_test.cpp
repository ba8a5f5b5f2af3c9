// The tile culling against a model of what the eye sees, made from the
// view's geometry alone: the eye where the view's translations put it, its
// frame turned by the heading and the pitch, the projection's six planes at
// the window's aspect. The model never asks the culling code anything; the
// real wedge, from the real per-frame values, is checked against it over
// every half degree of heading and every 5 degrees of pitch with the clamps.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/render_state.h"

namespace {

struct Vec3 {
    double x, y, z;
};

Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator*(double s, Vec3 a) {
    return {s * a.x, s * a.y, s * a.z};
}
double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

constexpr double radiansPerDegree = pi / 180.0;
// A sliver of a culled tile this large may show at the screen's side edge
// just below the horizon (see ASliverOfCulledSeaIsAtMostAFewPixels).
constexpr double missingPixelsBound = 12.0;

// Inside where dot(normal, p - eye) >= offset.
struct Plane {
    Vec3 normal;
    double offset;
};

struct EyeView {
    Vec3 eye, forward, right, up;
    double tanHalfWidth, tanHalfHeight;
    Plane planes[6];
};

// The view turns the world by the heading about +z (so heading 0 looks along
// +y and 90 along +x), then tips it by the pitch (positive looks down); the
// projection spans 90 degrees across and the window's aspect sets the height.
EyeView eyeView(double headingDegrees, double pitchDegrees) {
    const double h = headingDegrees * radiansPerDegree;
    const double p = pitchDegrees * radiansPerDegree;
    EyeView v;
    v.eye = {cameraX, cameraY + eyeBehindCentre - waterLift, eyeHeight};
    v.forward = {std::sin(h) * std::cos(p), std::cos(h) * std::cos(p), -std::sin(p)};
    v.right = {std::cos(h), -std::sin(h), 0.0};
    v.up = {std::sin(h) * std::sin(p), std::cos(h) * std::sin(p), std::cos(p)};
    v.tanHalfWidth = std::tan(horizontalFieldOfView / 2.0 * radiansPerDegree);
    v.tanHalfHeight = v.tanHalfWidth * windowHeight / windowWidth;
    const Vec3 f = v.forward;
    v.planes[0] = {f, nearPlane};
    v.planes[1] = {-1.0 * f, -farPlane};
    v.planes[2] = {v.tanHalfWidth * f + v.right, 0.0};
    v.planes[3] = {v.tanHalfWidth * f - v.right, 0.0};
    v.planes[4] = {v.tanHalfHeight * f + v.up, 0.0};
    v.planes[5] = {v.tanHalfHeight * f - v.up, 0.0};
    return v;
}

// A convex polygon of at most 4 + 6 corners, clipped plane by plane.
struct Polygon {
    Vec3 corner[10];
    int count = 0;
};

Polygon clipToView(const Polygon& polygon, const EyeView& view) {
    Polygon in = polygon;
    for (const Plane& plane : view.planes) {
        Polygon out;
        for (int i = 0; i < in.count; ++i) {
            const Vec3 a = in.corner[i];
            const Vec3 b = in.corner[(i + 1) % in.count];
            const double da = dot(plane.normal, a - view.eye) - plane.offset;
            const double db = dot(plane.normal, b - view.eye) - plane.offset;
            if (da >= 0.0)
                out.corner[out.count++] = a;
            if ((da >= 0.0) != (db >= 0.0))
                out.corner[out.count++] = a + (da / (da - db)) * (b - a);
        }
        in = out;
    }
    return in;
}

// The square of tile (tx, ty) shrunk by inset on each side, at height z.
Polygon tileSquare(int tx, int ty, double inset, double z) {
    const double x0 = tx * patchLength + inset, x1 = (tx + 1) * patchLength - inset;
    const double y0 = ty * patchLength + inset, y1 = (ty + 1) * patchLength - inset;
    Polygon square;
    square.count = 4;
    square.corner[0] = {x0, y0, z};
    square.corner[1] = {x1, y0, z};
    square.corner[2] = {x1, y1, z};
    square.corner[3] = {x0, y1, z};
    return square;
}

// Window pixels covered by a polygon inside the view.
double screenPixels(const Polygon& polygon, const EyeView& view) {
    double twiceArea = 0.0;
    double px[10], py[10];
    for (int i = 0; i < polygon.count; ++i) {
        const Vec3 d = polygon.corner[i] - view.eye;
        const double depth = dot(d, view.forward);
        px[i] = (dot(d, view.right) / depth / view.tanHalfWidth + 1.0) / 2.0 * windowWidth;
        py[i] = (dot(d, view.up) / depth / view.tanHalfHeight + 1.0) / 2.0 * windowHeight;
    }
    for (int i = 0; i < polygon.count; ++i) {
        const int j = (i + 1) % polygon.count;
        twiceArea += px[i] * py[j] - px[j] * py[i];
    }
    return std::fabs(twiceArea) / 2.0;
}

// The largest height any wave time can bring, from the sea's own spectrum:
// each coefficient of the evolved spectrum is at most its cell's and its
// partner cell's initial magnitudes together, and an inverse transform is a
// sum of its coefficients' magnitudes at most. The displacement spectra take
// a share (kx / |k| or ky / |k|) of the same coefficients, times choppiness.
double largestHeightOfSea(unsigned seed) {
    seedRandom(seed);
    initWaveSpectrum();
    double sum = 0.0;
    for (const auto& row : initialSpectrum)
        for (const Complex& c : row)
            sum += std::hypot(c.re, c.im);
    return 2.0 * sum;
}

struct Bounds {
    double height; // drawn, after heightScale
    double shift;  // sideways, along either axis
};

// Over the fixed sea and a run of seeds as the viewer's clock gives them.
Bounds waveBounds() {
    double largest = largestHeightOfSea(fixedSeaSeed);
    for (unsigned seed = 1; seed <= 16; ++seed)
        largest = std::max(largest, largestHeightOfSea(seed * 86400u));
    return {heightScale * largest, choppiness * largest};
}

// The pitches the viewer can take: every 5 degrees and the input's clamps.
std::vector<double> sweptPitches() {
    std::vector<double> pitches = {-89.0, 89.0};
    for (int p = -90; p <= 90; p += 5)
        pitches.push_back(p);
    return pitches;
}

struct SweepCounts {
    int views = 0;
    int certainlyInView = 0;
    int certainlyInViewCulled = 0;
    int missing = 0; // culled and in view over a flat sea
    double largestMissingPixels = 0.0;
    double worstHeading = 0.0, worstPitch = 0.0;
};

// A tile is certainly in view when its square, shrunk by the shift bound,
// reaches into the view at both extreme heights: the heights at which it
// does form an interval (the view and the column over the square are
// convex), so it then does at every height between.
void sweepView(float viewHeading, double viewPitch, const Bounds& bounds, SweepCounts& counts) {
    computeViewValues(cameraX, cameraY, viewHeading);
    const CandidateTiles tiles = cullCandidateTiles(tileIndexOf(cameraX), tileIndexOf(cameraY));
    const EyeView view = eyeView(viewHeading, viewPitch);
    ++counts.views;
    for (int a = 0; a < tilesPerSide; ++a) {
        for (int b = 0; b < tilesPerSide; ++b) {
            const int tx = tiles.firstTileX + a, ty = tiles.firstTileY + b;
            const bool certain =
                clipToView(tileSquare(tx, ty, bounds.shift, -bounds.height), view).count > 0 &&
                clipToView(tileSquare(tx, ty, bounds.shift, bounds.height), view).count > 0;
            counts.certainlyInView += certain ? 1 : 0;
            if (tiles.visible[a][b])
                continue;
            counts.certainlyInViewCulled += certain ? 1 : 0;
            const Polygon flat = clipToView(tileSquare(tx, ty, 0.0, 0.0), view);
            if (flat.count == 0)
                continue;
            ++counts.missing;
            const double pixels = screenPixels(flat, view);
            if (pixels > counts.largestMissingPixels) {
                counts.largestMissingPixels = pixels;
                counts.worstHeading = viewHeading;
                counts.worstPitch = viewPitch;
            }
        }
    }
}

TEST(CullingAgainstTheView, NoTileInViewIsCulledBeyondASliver) {
    resetViewerState();
    const Bounds bounds = waveBounds();
    SweepCounts counts;
    for (int halfDegrees = 0; halfDegrees < 720; ++halfDegrees)
        for (double viewPitch : sweptPitches())
            sweepView(halfDegrees / 2.0f, viewPitch, bounds, counts);
    std::printf("%d views; heights within %.2f, shifts within %.2f; %d tiles certainly in view, "
                "%d of them culled; %d culled tiles in view over a flat sea, the largest %.2f "
                "pixels at heading %.1f, pitch %.0f\n",
                counts.views, bounds.height, bounds.shift, counts.certainlyInView,
                counts.certainlyInViewCulled, counts.missing, counts.largestMissingPixels,
                counts.worstHeading, counts.worstPitch);
    EXPECT_EQ(counts.certainlyInViewCulled, 0);
    EXPECT_LE(counts.largestMissingPixels, missingPixelsBound);
    resetViewerState();
}

} // namespace
