#include <cmath>
#include <gtest/gtest.h>

#include "ocean/ocean_state.h"
#include "render/render_state.h"

namespace {

// The wedge seen from outside, against the view direction the heading names
// (0 looks along +y, a growing heading turns toward +x): unit edges 45
// degrees either side of it, the left one counter-clockwise, and the apex
// pulled back along it from the camera.
TEST(ViewValues, WedgeOpensAQuarterTurnAroundTheViewDirection) {
    const double cameraX = 127.0, cameraY = 59.0; // unequal: a swap shows
    for (float h : {0.0f, 40.0f, 90.0f, 135.0f, 217.5f, -60.0f}) {
        computeViewValues(cameraX, cameraY, h);
        const double viewX = std::sin(h * pi / 180.0), viewY = std::cos(h * pi / 180.0);
        for (const float* edge : {leftEdgeDir, rightEdgeDir}) {
            EXPECT_NEAR(std::hypot(edge[0], edge[1]), 1.0, 1e-6) << h;
            EXPECT_NEAR(edge[0] * viewX + edge[1] * viewY, std::sqrt(0.5), 1e-6) << h;
        }
        EXPECT_NEAR(viewX * leftEdgeDir[1] - viewY * leftEdgeDir[0], std::sqrt(0.5), 1e-6) << h;
        EXPECT_NEAR(cullApex[0], cameraX - cullApexPullBack * viewX, 1e-4) << h;
        EXPECT_NEAR(cullApex[1], cameraY - cullApexPullBack * viewY, 1e-4) << h;
    }
}

TEST(Culling, HeadingsBeyondATurnGiveTheSameWedge) {
    for (float h : {0.0f, 40.0f, 90.0f, 180.0f, 275.0f}) {
        computeViewValues(127.0, 127.0, h);
        const float wedge[6] = {cullApex[0],    cullApex[1],     leftEdgeDir[0],
                                leftEdgeDir[1], rightEdgeDir[0], rightEdgeDir[1]};
        for (float turned : {h + 720.0f, h - 360.0f}) {
            computeViewValues(127.0, 127.0, turned);
            const float again[6] = {cullApex[0],    cullApex[1],     leftEdgeDir[0],
                                    leftEdgeDir[1], rightEdgeDir[0], rightEdgeDir[1]};
            for (int i = 0; i < 6; ++i)
                EXPECT_NEAR(again[i], wedge[i], 1e-4) << h << " as " << turned << ", value " << i;
        }
    }
}

TEST(Culling, TileIndexTruncatesTowardZero) {
    EXPECT_EQ(tileIndexOf(127.0), 0);
    EXPECT_EQ(tileIndexOf(-0.5), 0);
    EXPECT_EQ(tileIndexOf(-127.9), 0);
    EXPECT_EQ(tileIndexOf(-128.0), -1);
    EXPECT_EQ(tileIndexOf(256.0), 2);
}

TEST(Culling, TiesAtTheEdgeAndApexAreVisible) {
    // Heading 45: the wedge opens along +x and +y from the apex, so the
    // edges run along the grid lines through the apex.
    cullApex[0] = 64.0f;
    cullApex[1] = 64.0f;
    leftEdgeDir[0] = 0.0f;
    leftEdgeDir[1] = 1.0f;
    rightEdgeDir[0] = 1.0f;
    rightEdgeDir[1] = 0.0f;
    EXPECT_TRUE(tileVisible(0, 0));    // centre at the apex
    EXPECT_TRUE(tileVisible(0, 3));    // centre on the left edge
    EXPECT_TRUE(tileVisible(2, 0));    // centre on the right edge
    EXPECT_TRUE(tileVisible(1, 1));    // inside
    EXPECT_FALSE(tileVisible(-1, 1));  // beside the left edge
    EXPECT_FALSE(tileVisible(-1, -1)); // opposite wedge behind the apex
}

TEST(MatrixHelpers, MultiplyIsRowByColumn) {
    Matrix4 a = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    Matrix4 b;
    matrixSetIdentity(b);
    b.element[3] = 10.0f; // translation x
    matrixMultiply(a, b);
    EXPECT_FLOAT_EQ(a.element[3], 4.0f + 10.0f);
    EXPECT_FLOAT_EQ(a.element[7], 8.0f + 50.0f);
    EXPECT_FLOAT_EQ(a.element[0], 1.0f);
    matrixMultiply(a, a); // aliasing goes through the temporary
    EXPECT_FLOAT_EQ(a.element[0], 1 * 1 + 2 * 5 + 3 * 9 + 14 * 13);
}

TEST(MatrixHelpers, ZeroAnglesAddNothingAndTranslationReplaces) {
    Matrix4 m;
    matrixSetIdentity(m);
    matrixRotate(m, 0.0f, 0.0f);
    matrixSetTranslation(m, 1.0f, 2.0f, 3.0f);
    matrixSetTranslation(m, -0.0f, 120.0f, -0.0f);
    for (int i = 0; i < 16; ++i) {
        float expected = (i % 5 == 0) ? 1.0f : 0.0f;
        if (i == 7)
            expected = 120.0f;
        EXPECT_EQ(m.element[i], expected) << i;
    }
    EXPECT_FALSE(std::signbit(m.element[3]));
    EXPECT_FALSE(std::signbit(m.element[11]));
}

TEST(MatrixHelpers, RotateAboutZ) {
    Matrix4 m;
    matrixSetIdentity(m);
    matrixRotate(m, 0.0f, 90.0f);
    EXPECT_NEAR(m.element[0], 0.0f, 1e-6);
    EXPECT_NEAR(m.element[1], -1.0f, 1e-6);
    EXPECT_NEAR(m.element[4], 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(m.element[10], 1.0f);
}

} // namespace
