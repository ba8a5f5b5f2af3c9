// The sky dome's points: eight rings from the zenith down to the horizon.
#include <cmath>

#include "render/render_state.h"

namespace {

constexpr float quarterTurnDegrees = 90.0f;
constexpr double pointStepDegrees = 12.0;
// The texture's first coordinate runs from the zenith at 0 to the horizon at
// 7/8; the second goes once around.
constexpr float ringTextureStep = 1.0f / 8.0f;
constexpr float aroundTextureSteps = skyDomePoints - 1;

} // namespace

void buildSkyDome(float radius, float (&dome)[skyDomeRings][skyDomePoints][3]) {
    for (int i = 0; i < skyDomeRings; ++i) {
        const float polar = static_cast<float>(i) * quarterTurnDegrees / (skyDomeRings - 1);
        const float height =
            static_cast<float>(radius * std::sin((quarterTurnDegrees - polar) * degreesToRadians));
        const float ringRadius = static_cast<float>(radius * std::sin(polar * degreesToRadians));
        for (int j = 0; j < skyDomePoints; ++j) {
            const double azimuth = j * pointStepDegrees * degreesToRadians;
            dome[i][j][0] = static_cast<float>(ringRadius * std::cos(azimuth));
            dome[i][j][1] = static_cast<float>(ringRadius * std::sin(azimuth));
            dome[i][j][2] = height;
        }
    }
}

float skyDomeTextureS(int ring) {
    return static_cast<float>(ring) * ringTextureStep;
}

float skyDomeTextureT(int point) {
    return static_cast<float>(point) / aroundTextureSteps;
}
