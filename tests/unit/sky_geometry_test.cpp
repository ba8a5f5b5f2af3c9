#include <cmath>
#include <gtest/gtest.h>

#include "render/render_state.h"

namespace {

float ringRadiusOf(const float (&point)[3]) {
    return std::hypot(point[0], point[1]);
}

class SkyGeometry : public ::testing::Test {
  protected:
    void SetUp() override { buildSkyDome(1000.0f, dome); }
    float dome[skyDomeRings][skyDomePoints][3];
};

TEST_F(SkyGeometry, ZenithRingIsOnePoint) {
    for (int j = 0; j < skyDomePoints; ++j) {
        EXPECT_EQ(dome[0][j][0], 0.0f);
        EXPECT_EQ(dome[0][j][1], 0.0f);
        EXPECT_EQ(dome[0][j][2], 1000.0f);
    }
    float small[skyDomeRings][skyDomePoints][3];
    buildSkyDome(10.0f, small);
    EXPECT_EQ(small[0][0][2], 10.0f);
}

TEST_F(SkyGeometry, RingsStepDownToTheHorizon) {
    EXPECT_NEAR(dome[1][0][2], 974.93f, 0.01f);
    EXPECT_NEAR(ringRadiusOf(dome[1][7]), 222.52f, 0.01f);
    EXPECT_EQ(dome[7][4][2], 0.0f);
    EXPECT_NEAR(ringRadiusOf(dome[7][11]), 1000.0f, 0.01f);
    for (int i = 0; i < skyDomeRings; ++i) {
        for (int j = 0; j < skyDomePoints; ++j) {
            const float* p = dome[i][j];
            EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 1000.0f, 0.01f);
            EXPECT_EQ(p[2], dome[i][0][2]) << "ring " << i << " is level";
        }
        if (i > 0) {
            EXPECT_LT(dome[i][0][2], dome[i - 1][0][2]);
        }
    }
}

TEST_F(SkyGeometry, PointsRunOnceAroundAndCloseTheRing) {
    for (int i = 1; i < skyDomeRings; ++i) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(dome[i][30][c], dome[i][0][c], 1e-3f) << "ring " << i;
        // Counter-clockwise seen from above, 12 degrees a step, starting on +x.
        const float r = ringRadiusOf(dome[i][0]);
        EXPECT_NEAR(dome[i][0][1], 0.0f, 1e-3f);
        EXPECT_NEAR(dome[i][15][0], -r, 1e-2f);
        EXPECT_NEAR(dome[i][5][0] / r, std::cos(60.0 * M_PI / 180.0), 1e-5);
        EXPECT_GT(dome[i][5][1], 0.0f);
    }
}

} // namespace
