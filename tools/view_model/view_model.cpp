// The eye's view from its geometry, and the real culling beside it.
#include "tools/view_model/view_model.h"

#include <algorithm>
#include <cmath>

#include "app/app_state.h"
#include "render/render_state.h"

namespace {

// The seeds tried beside the fixed sea's lie a day of the viewer's clock apart.
constexpr unsigned secondsPerDay = 86400;
constexpr int pitchStep = 5;
constexpr double pitchClamp = 89.0; // where the input puts a pitch past 90

Vector3d operator-(Vector3d a, Vector3d b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector3d operator+(Vector3d a, Vector3d b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vector3d operator*(double s, Vector3d a) {
    return {s * a.x, s * a.y, s * a.z};
}
double dot(Vector3d a, Vector3d b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The largest height any wave time can bring, from the sea's own spectrum:
// each coefficient of the evolved spectrum is at most its cell's and its
// partner cell's initial magnitudes together, and an inverse transform is at
// most the sum of its coefficients' magnitudes. The displacement spectra
// take a share (kx / |k| or ky / |k|) of the same coefficients, then
// choppiness.
double largestHeightOfSea(unsigned seed) {
    seedRandom(seed);
    initWaveSpectrum();
    double sum = 0.0;
    for (const auto& row : initialSpectrum)
        for (const Complex& c : row)
            sum += std::hypot(c.re, c.im);
    return 2.0 * sum;
}

bool reachesView(const ViewPolygon& polygon, const EyeView& view) {
    return clipToView(polygon, view).count > 0;
}

} // namespace

// The view turns the world by the heading about +z (heading 0 looks along
// +y, 90 along +x), then tips it by the pitch (positive looks down); the
// projection spans 90 degrees across and the window's aspect sets its height.
EyeView eyeViewAt(float heading, double pitch) {
    const double h = heading / degreesPerRadian;
    const double p = pitch / degreesPerRadian;
    EyeView v;
    v.eye = {viewer.cameraX, viewer.cameraY + eyeBehindCentre - waterLift, eyeHeight};
    v.forward = {std::sin(h) * std::cos(p), std::cos(h) * std::cos(p), -std::sin(p)};
    v.right = {std::cos(h), -std::sin(h), 0.0};
    v.up = {std::sin(h) * std::sin(p), std::cos(h) * std::sin(p), std::cos(p)};
    v.tanHalfWidth = std::tan(horizontalFieldOfView / 2.0 / degreesPerRadian);
    v.tanHalfHeight = v.tanHalfWidth * windowHeight / windowWidth;
    const Vector3d f = v.forward;
    v.planes[0] = {f, nearPlane};
    v.planes[1] = {-1.0 * f, -farPlane};
    v.planes[2] = {v.tanHalfWidth * f + v.right, 0.0};
    v.planes[3] = {v.tanHalfWidth * f - v.right, 0.0};
    v.planes[4] = {v.tanHalfHeight * f + v.up, 0.0};
    v.planes[5] = {v.tanHalfHeight * f - v.up, 0.0};
    return v;
}

ViewPolygon tileSquare(int tx, int ty, double inset, double z) {
    const double x0 = tx * patchLength + inset, x1 = (tx + 1) * patchLength - inset;
    const double y0 = ty * patchLength + inset, y1 = (ty + 1) * patchLength - inset;
    ViewPolygon square;
    square.count = 4;
    square.corner[0] = {x0, y0, z};
    square.corner[1] = {x1, y0, z};
    square.corner[2] = {x1, y1, z};
    square.corner[3] = {x0, y1, z};
    return square;
}

ViewPolygon clipToView(const ViewPolygon& polygon, const EyeView& view) {
    ViewPolygon in = polygon;
    for (const ViewPlane& plane : view.planes) {
        ViewPolygon out;
        for (int i = 0; i < in.count; ++i) {
            const Vector3d a = in.corner[i];
            const Vector3d b = in.corner[(i + 1) % in.count];
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

double screenPixels(const ViewPolygon& polygon, const EyeView& view) {
    double px[10], py[10];
    for (int i = 0; i < polygon.count; ++i) {
        const Vector3d d = polygon.corner[i] - view.eye;
        const double depth = dot(d, view.forward);
        px[i] = (dot(d, view.right) / depth / view.tanHalfWidth + 1.0) / 2.0 * windowWidth;
        py[i] = (dot(d, view.up) / depth / view.tanHalfHeight + 1.0) / 2.0 * windowHeight;
    }
    double twiceArea = 0.0;
    for (int i = 0; i < polygon.count; ++i) {
        const int j = (i + 1) % polygon.count;
        twiceArea += px[i] * py[j] - px[j] * py[i];
    }
    return std::fabs(twiceArea) / 2.0;
}

WaveBounds waveBounds() {
    double largest = largestHeightOfSea(fixedSeaSeed);
    for (unsigned day = 1; day <= waveBoundSeeds; ++day)
        largest = std::max(largest, largestHeightOfSea(day * secondsPerDay));
    return {heightScale * largest, choppiness * largest};
}

// A tile is certainly in view when its square, shrunk by the shift bound,
// reaches into the view at both extreme heights: the heights at which it
// does form an interval (the view and the column over the square are
// convex), so it then does at every height between.
ViewCulling cullingInView(float heading, double pitch, const WaveBounds& bounds) {
    computeViewValues(viewer.cameraX, viewer.cameraY, heading);
    const CandidateTiles tiles =
        cullCandidateTiles(tileIndexOf(viewer.cameraX), tileIndexOf(viewer.cameraY));
    const EyeView view = eyeViewAt(heading, pitch);
    ViewCulling culling;
    culling.drawn = tiles.visibleCount;
    for (int a = 0; a < tilesPerSide; ++a) {
        for (int b = 0; b < tilesPerSide; ++b) {
            const int tx = tiles.firstTileX + a, ty = tiles.firstTileY + b;
            const bool drawn = tiles.visible[a][b];
            const bool certain =
                reachesView(tileSquare(tx, ty, bounds.shift, -bounds.height), view) &&
                reachesView(tileSquare(tx, ty, bounds.shift, bounds.height), view);
            const ViewPolygon flat = clipToView(tileSquare(tx, ty, 0.0, 0.0), view);
            const bool inView = flat.count > 0;
            culling.inView += inView ? 1 : 0;
            culling.drawnOutOfView += (drawn && !inView) ? 1 : 0;
            culling.certainlyInView += certain ? 1 : 0;
            culling.certainlyInViewCulled += (certain && !drawn) ? 1 : 0;
            if (drawn || !inView)
                continue;
            const double pixels = screenPixels(flat, view);
            culling.missing += pixels >= touchingPixels ? 1 : 0;
            culling.largestMissingPixels = std::max(culling.largestMissingPixels, pixels);
        }
    }
    return culling;
}

std::vector<double> sweptPitches() {
    std::vector<double> pitches = {-pitchClamp, pitchClamp};
    for (int p = -90; p <= 90; p += pitchStep)
        pitches.push_back(p);
    return pitches;
}
