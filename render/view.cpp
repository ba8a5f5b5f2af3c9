// The per-frame view values and the wedge test that culls the water tiles.
#include <cmath>

#include "ocean/ocean_state.h"
#include "render/render_state.h"

namespace {

// The two edges lie 45 degrees either side of the viewing direction.
constexpr double leftEdgeAngle = 135.0;
constexpr double rightEdgeAngle = 45.0;
constexpr double viewAngleOffset = 90.0;

void unitDirection(double degrees, float (&direction)[2]) {
    direction[0] = static_cast<float>(std::cos(degrees * degreesToRadians));
    direction[1] = static_cast<float>(std::sin(degrees * degreesToRadians));
}

} // namespace

Vector3d eyePosition(double x, double y) {
    return Vector3d{x, y + eyeBehindCentre - waterLift, eyeHeight};
}

void computeViewValues(double eyeX, double eyeY, float viewHeading) {
    shaderEyePosition[0] = static_cast<float>(eyeX);
    float viewAngle = static_cast<float>(viewAngleOffset - viewHeading);
    float viewDir[2];
    unitDirection(viewAngle, viewDir);
    cullApex[0] = static_cast<float>(eyeX - cullApexPullBack * viewDir[0]);
    cullApex[1] = static_cast<float>(eyeY - cullApexPullBack * viewDir[1]);
    unitDirection(leftEdgeAngle - viewHeading, leftEdgeDir);
    unitDirection(rightEdgeAngle - viewHeading, rightEdgeDir);
}

int tileIndexOf(double coordinate) {
    return static_cast<int>(coordinate / patchLength);
}

// The centre must lie between the two edges (on opposite sides of them, or on
// one) and in front of both; ties count as visible.
bool tileVisible(int tx, int ty) {
    float dx = static_cast<float>(tx * patchLength + patchLength / 2) - cullApex[0];
    float dy = static_cast<float>(ty * patchLength + patchLength / 2) - cullApex[1];
    float crossL = leftEdgeDir[0] * dy - dx * leftEdgeDir[1];
    float crossR = rightEdgeDir[0] * dy - dx * rightEdgeDir[1];
    float dotL = leftEdgeDir[0] * dx + dy * leftEdgeDir[1];
    float dotR = rightEdgeDir[0] * dx + dy * rightEdgeDir[1];
    return !(crossL * crossR > 0.0f || dotL < 0.0f || dotR < 0.0f);
}

CandidateTiles cullCandidateTiles(int centreX, int centreY) {
    CandidateTiles candidates{};
    candidates.firstTileX = centreX - tilesPerSide / 2;
    candidates.firstTileY = centreY - tilesPerSide / 2;
    for (int a = 0; a < tilesPerSide; ++a) {
        for (int b = 0; b < tilesPerSide; ++b) {
            bool visible = tileVisible(candidates.firstTileX + a, candidates.firstTileY + b);
            candidates.visible[a][b] = visible;
            candidates.visibleCount += visible ? 1 : 0;
        }
    }
    return candidates;
}
