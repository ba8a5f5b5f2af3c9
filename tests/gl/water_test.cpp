#include <GL/glut.h>
#include <gtest/gtest.h>
#include <vector>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

class WaterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setupSceneState();
        onReshape(windowWidth, windowHeight);
        heading = 40.0f;
        pitch = 0.0f;
        statsVisible = 1;
        shadersEnabled = 1;
        seedRandom(7);
        initWaveSpectrum();
    }

    // Depth of the lower 40 % of the picture, well below the horizon, after
    // drawing only the water.
    std::vector<float> waterDepth() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        computeViewValues(cameraX, cameraY, heading);
        drawWaterTiles();
        const int rows = windowHeight * 2 / 5;
        std::vector<float> depth(windowWidth * rows);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, windowWidth, rows, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        return depth;
    }
};

TEST_F(WaterTest, StartViewDrawsSixteenTilesCoveringTheLowerPart) {
    simulationStep(0.0);
    std::vector<float> depth = waterDepth();
    EXPECT_EQ(tilesDrawn, 16);
    int uncovered = 0;
    for (float d : depth)
        uncovered += d == 1.0f;
    EXPECT_EQ(uncovered, 0) << "pixels below the horizon with no water";
}

TEST_F(WaterTest, SurfaceChangesFromOneTickToTheNext) {
    simulationStep(-1.0);
    std::vector<float> first = waterDepth();
    simulationStep(-1.5);
    std::vector<float> second = waterDepth();
    int changed = 0;
    for (size_t i = 0; i < first.size(); ++i)
        changed += first[i] != second[i];
    EXPECT_GT(changed, static_cast<int>(first.size() / 4));
    EXPECT_EQ(tilesDrawn, 16);
}

TEST_F(WaterTest, ShadingToggleKeepsTheGeometry) {
    simulationStep(-2.0);
    shadersEnabled = 1;
    std::vector<float> off = waterDepth();
    int tilesOff = tilesDrawn;
    shadersEnabled = -1;
    std::vector<float> on = waterDepth();
    EXPECT_EQ(tilesDrawn, tilesOff);
    EXPECT_EQ(on, off);
}

TEST_F(WaterTest, ModelToWorldIsTheSameWhateverTheView) {
    simulationStep(0.0);
    waterDepth();
    Matrix4 atStart = modelToWorldMatrix;
    heading = 217.0f;
    pitch = -33.0f;
    waterDepth();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(modelToWorldMatrix.element[i], atStart.element[i]) << i;
    EXPECT_FLOAT_EQ(modelToWorldMatrix.element[7], 120.0f);
    EXPECT_FLOAT_EQ(modelToWorldMatrix.element[6], 1.0f);  // z goes to y
    EXPECT_FLOAT_EQ(modelToWorldMatrix.element[9], -1.0f); // y goes to -z
}

TEST_F(WaterTest, DrawingLeavesTheMatricesAndGenerationAsFound) {
    simulationStep(0.0);
    waterDepth();
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    glGetIntegerv(GL_TEXTURE_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(modelview[i], (i % 5 == 0) ? 1.0f : 0.0f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_R));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
}

} // namespace
