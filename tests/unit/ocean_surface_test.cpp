#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>

#include "ocean/ocean_state.h"

namespace {

Complex heights[gridSize][gridSize];

void setHeights(const std::function<double(int, int)>& height) {
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            heights[i][j] = Complex{height(i, j), 0.0};
}

void setRandomHeights(unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> value(-3.0, 3.0);
    setHeights([&](int, int) { return value(engine); });
}

void expectNormal(const Vector3d& n, double x, double y, double z) {
    EXPECT_NEAR(n.x, x, 1e-6);
    EXPECT_NEAR(n.y, y, 1e-6);
    EXPECT_NEAR(n.z, z, 1e-6);
}

void expectSameVector(const Vector3d& a, const Vector3d& b) {
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

TEST(ComputeNormals, FlatSeaPointsStraightUp) {
    setHeights([](int, int) { return 2.5; });
    computeNormals(heights);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            EXPECT_EQ(surfaceNormals[i][j].x, 0.0);
            EXPECT_EQ(surfaceNormals[i][j].y, 0.0);
            EXPECT_EQ(surfaceNormals[i][j].z, 1.0);
        }
}

// Heights rising by 1 per lattice step: dz = 0.1 after the height scale.
TEST(ComputeNormals, SlopesTiltAgainstTheRise) {
    setHeights([](int i, int) { return static_cast<double>(i); });
    computeNormals(heights);
    expectNormal(surfaceNormals[10][20], -0.0499376, 0.0, 0.9987523);
    setHeights([](int, int j) { return static_cast<double>(j); });
    computeNormals(heights);
    expectNormal(surfaceNormals[10][20], 0.0, -0.0499376, 0.9987523);
    setHeights([](int i, int j) { return static_cast<double>(i + j); });
    computeNormals(heights);
    expectNormal(surfaceNormals[10][20], -0.0498755, -0.0498755, 0.9975093);
    expectNormal(surfaceNormals[62][62], -0.0498755, -0.0498755, 0.9975093);
}

TEST(ComputeNormals, LastRowAndColumnRepeatTheFirst) {
    setRandomHeights(3);
    computeNormals(heights);
    for (int n = 0; n < gridSize; ++n) {
        expectSameVector(surfaceNormals[63][n], surfaceNormals[0][n]);
        expectSameVector(surfaceNormals[n][63], surfaceNormals[n][0]);
    }
    expectSameVector(surfaceNormals[63][63], surfaceNormals[0][0]);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            const Vector3d& v = surfaceNormals[i][j];
            EXPECT_NEAR(v.x * v.x + v.y * v.y + v.z * v.z, 1.0, 1e-12);
            EXPECT_GT(v.z, 0.0);
        }
}

// Row 62 looks ahead to row 63's height (dz = 2: a 45 degree slope), though
// row 63's own normal is copied from row 0.
TEST(ComputeNormals, RowSixtyTwoUsesRowSixtyThree) {
    setHeights([](int i, int) { return i == 63 ? 20.0 : 0.0; });
    computeNormals(heights);
    expectNormal(surfaceNormals[62][5], -1.0 / std::sqrt(2.0), 0.0, 1.0 / std::sqrt(2.0));
    expectNormal(surfaceNormals[63][5], 0.0, 0.0, 1.0);
    expectNormal(surfaceNormals[61][5], 0.0, 0.0, 1.0);
}

class RenderGridFromAStep : public ::testing::Test {
  protected:
    void SetUp() override {
        seedRandom(31u);
        initWaveSpectrum();
        simulationStep(-6.0);
    }
};

TEST_F(RenderGridFromAStep, InteriorCopiesTheSurface) {
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            const Vector3d& p = renderGrid.positions[i][j];
            ASSERT_EQ(p.x, displacedPositions[i][j].x);
            ASSERT_EQ(p.y, displacedPositions[i][j].y);
            ASSERT_EQ(p.z, heightField[i][j].re);
            expectSameVector(renderGrid.normals[i][j], surfaceNormals[i][j]);
        }
}

TEST_F(RenderGridFromAStep, SeamsRepeatTheFirstRowAndColumnOnePatchOn) {
    for (int n = 0; n < gridSize; ++n) {
        const Vector3d& row0 = renderGrid.positions[0][n];
        const Vector3d& col0 = renderGrid.positions[n][0];
        expectSameVector(renderGrid.positions[64][n], Vector3d{row0.x + 128.0, row0.y, row0.z});
        expectSameVector(renderGrid.positions[n][64], Vector3d{col0.x, col0.y + 128.0, col0.z});
        expectSameVector(renderGrid.normals[64][n], renderGrid.normals[0][n]);
        expectSameVector(renderGrid.normals[n][64], renderGrid.normals[n][0]);
    }
    const Vector3d& origin = renderGrid.positions[0][0];
    expectSameVector(renderGrid.positions[64][64],
                     Vector3d{origin.x + 128.0, origin.y + 128.0, origin.z});
    expectSameVector(renderGrid.normals[64][64], renderGrid.normals[0][0]);
}

} // namespace
