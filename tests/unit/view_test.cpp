#include <cmath>
#include <gtest/gtest.h>

#include "render/render_state.h"

namespace {

TEST(ViewValues, StartHeading) {
    computeViewValues(127.0, 127.0, 40.0f);
    EXPECT_NEAR(cullApex[0], 42.152, 1e-3);
    EXPECT_NEAR(cullApex[1], 25.882, 1e-3);
    EXPECT_NEAR(leftEdgeDir[0], -0.0872, 1e-4);
    EXPECT_NEAR(leftEdgeDir[1], 0.9962, 1e-4);
    EXPECT_NEAR(rightEdgeDir[0], 0.9962, 1e-4);
    EXPECT_NEAR(rightEdgeDir[1], 0.0872, 1e-4);
}

TEST(ViewValues, HeadingZeroLooksAlongY) {
    computeViewValues(127.0, 127.0, 0.0f);
    EXPECT_NEAR(leftEdgeDir[0], -0.7071, 1e-4);
    EXPECT_NEAR(leftEdgeDir[1], 0.7071, 1e-4);
    EXPECT_NEAR(rightEdgeDir[0], 0.7071, 1e-4);
    EXPECT_NEAR(rightEdgeDir[1], 0.7071, 1e-4);
    EXPECT_NEAR(cullApex[0], 127.0, 1e-4);
    EXPECT_NEAR(cullApex[1], 127.0 - 132.0, 1e-4);
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
