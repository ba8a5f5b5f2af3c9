#include <GL/glut.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

class WaterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startSceneAfresh();
        seedRandom(7);
        initWaveSpectrum();
    }

    // The start view, drawn by the fixed-function path: these tests make no
    // shader programs.
    FrameView view = {startCameraX, startCameraY, ViewerState{}.heading, ViewerState{}.pitch,
                      false};

    // Depth of the lower 40 % of the picture, well below the horizon, after
    // drawing only the water.
    std::vector<float> waterDepth() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        computeViewValues(view.cameraX, view.cameraY, view.heading);
        drawWaterTiles(view);
        const int rows = windowHeight * 2 / 5;
        std::vector<float> depth(windowWidth * rows);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, windowWidth, rows, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
        return depth;
    }
};

TEST_F(WaterTest, StartViewCoversTheLowerPart) {
    simulationStep(0.0);
    std::vector<float> depth = waterDepth();
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
}

// A recording layer under the water's immediate-mode calls: the binary is
// linked with them wrapped (-Wl,--wrap), so every call still reaches the
// library and, while recording, the strips and their vertices are kept too.
struct Strip {
    GLenum mode;
    std::vector<std::pair<float, float>> vertices; // x, y
};
bool recording = false;
std::vector<Strip> strips;

} // namespace

extern "C" {
void __real_glBegin(GLenum mode);
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);

void __wrap_glBegin(GLenum mode) {
    if (recording)
        strips.push_back(Strip{mode, {}});
    __real_glBegin(mode);
}
void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (recording && !strips.empty())
        strips.back().vertices.emplace_back(x, y);
    __real_glVertex3f(x, y, z);
}
} // extern "C"

namespace {

using Tile = std::pair<int, int>;

// Every strip a triangle strip along one row pair of the grid; the tiles in
// the order sent, told by where each tile's first strip begins. What each
// vertex carries shows in the reference pictures.
std::vector<Tile> sentTiles() {
    std::vector<Tile> tiles;
    for (size_t n = 0; n < strips.size(); ++n) {
        const std::vector<std::pair<float, float>>& sent = strips[n].vertices;
        EXPECT_EQ(strips[n].mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
        if (sent.size() != 2 * renderGridSize) {
            ADD_FAILURE() << "strip " << n << " has " << sent.size() << " vertices";
            return tiles;
        }
        const Vector3d& origin = renderGrid.positions[0][0];
        if (n % gridSize == 0)
            tiles.emplace_back(std::lround((sent[0].first - origin.x) / patchLength),
                               std::lround((sent[0].second - origin.y) / patchLength));
    }
    return tiles;
}

bool inStartBlock(Tile t) {
    return t.first >= 0 && t.first < 4 && t.second >= 0 && t.second < 4;
}

// Per visible tile 64 strips of the grid; the tiles once each in tx-outer
// order, as many as the wedge lets through.
TEST_F(WaterTest, SendsEachVisibleTileAsStripsOfTheGrid) {
    simulationStep(0.0);
    const std::pair<float, int> views[] = {{40.0f, 16}, {0.0f, 19}, {90.0f, 19}, {180.0f, 35}};
    for (const auto& [viewHeading, count] : views) {
        view.heading = viewHeading;
        strips.clear();
        recording = true;
        waterDepth();
        recording = false;
        EXPECT_EQ(tilesDrawn, count) << "heading " << view.heading;
        ASSERT_EQ(strips.size(), static_cast<size_t>(count * gridSize))
            << "heading " << view.heading;
        std::vector<Tile> tiles = sentTiles();
        EXPECT_TRUE(std::is_sorted(tiles.begin(), tiles.end()) &&
                    std::set<Tile>(tiles.begin(), tiles.end()).size() == tiles.size())
            << "tiles not sent once each with tx outer, heading " << view.heading;
        EXPECT_TRUE(view.heading != 40.0f || std::all_of(tiles.begin(), tiles.end(), inStartBlock))
            << "the start view shows the 16 tiles 0 to 3 both ways";
    }
}

TEST_F(WaterTest, ModelToWorldIsTheSameWhateverTheView) {
    simulationStep(0.0);
    waterDepth();
    Matrix4 atStart = modelToWorldMatrix;
    view.heading = 217.0f;
    view.pitch = -33.0f;
    waterDepth();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(modelToWorldMatrix.element[i], atStart.element[i]) << i;
    EXPECT_FLOAT_EQ(modelToWorldMatrix.element[7], 120.0f);
    EXPECT_FLOAT_EQ(modelToWorldMatrix.element[6], 1.0f);  // z goes to y
    EXPECT_FLOAT_EQ(modelToWorldMatrix.element[9], -1.0f); // y goes to -z
}

TEST_F(WaterTest, DrawingLeavesTheMatricesGenerationAndCubeMapsAsFound) {
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
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
}

} // namespace
