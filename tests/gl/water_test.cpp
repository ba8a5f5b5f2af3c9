#include <GL/glut.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

#include "ocean/ocean_state.h"
#include "tests/gl/gl_recorder.h"
#include "tests/gl/gl_test_support.h"

namespace {

class WaterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startSceneAfresh();
        // The fixed-function path: these tests make no shader programs.
        shadersEnabled = -toggleOn;
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

// A grid whose every value tells its lattice point: the z values are not
// multiples of 10, so a heightScale of 0.1 shows in every digit.
void fillTellingGrid() {
    for (int a = 0; a < renderGridSize; ++a)
        for (int l = 0; l < renderGridSize; ++l) {
            renderGrid.positions[a][l] =
                Vector3d{2.0 * a + 0.25, 2.0 * l + 0.5, 3.0 + a + 0.01 * l};
            renderGrid.normals[a][l] = Vector3d{a * 0.125, l * 0.0625, 7.0 + a + l};
        }
}

using Tile = std::pair<int, int>;

// The tiles in the order they were sent, told by their first vertex, after
// checking every vertex of every strip against the grid.
std::vector<Tile> checkedTiles(const std::vector<RecordedStrip>& strips) {
    std::vector<Tile> tiles;
    int wrong = 0;
    for (size_t n = 0; n < strips.size(); ++n) {
        const RecordedStrip& strip = strips[n];
        const int k = static_cast<int>(n % gridSize);
        EXPECT_EQ(strip.mode, static_cast<unsigned>(GL_TRIANGLE_STRIP));
        if (strip.vertices.size() != 2 * renderGridSize) {
            ADD_FAILURE() << "strip " << n << " has " << strip.vertices.size() << " vertices";
            return tiles;
        }
        const Vector3d& origin = renderGrid.positions[k][0];
        const RecordedVertex& first = strip.vertices[0];
        const Tile tile{static_cast<int>((first.x - origin.x) / patchLength + 0.5 + 64) - 64,
                        static_cast<int>((first.y - origin.y) / patchLength + 0.5 + 64) - 64};
        if (k == 0)
            tiles.push_back(tile);
        for (size_t v = 0; v < strip.vertices.size(); ++v) {
            // (k, l) then (k + 1, l) for l = 0..64
            const int a = k + static_cast<int>(v % 2);
            const int l = static_cast<int>(v / 2);
            const Vector3d& p = renderGrid.positions[a][l];
            const Vector3d& normal = renderGrid.normals[a][l];
            const RecordedVertex& r = strip.vertices[v];
            const RecordedVertex expected{a / 64.0f * 4.0f,
                                          l / 64.0f * 4.0f,
                                          normal.x,
                                          normal.y,
                                          normal.z,
                                          static_cast<float>(tile.first * patchLength + p.x),
                                          static_cast<float>(tile.second * patchLength + p.y),
                                          static_cast<float>(heightScale * p.z)};
            bool same = r.s == expected.s && r.t == expected.t && r.nx == expected.nx &&
                        r.ny == expected.ny && r.nz == expected.nz && r.x == expected.x &&
                        r.y == expected.y && r.z == expected.z;
            if (!same && wrong++ == 0)
                ADD_FAILURE() << "strip " << n << " vertex " << v << " (lattice " << a << ", " << l
                              << "): texcoord " << r.s << "," << r.t << " normal " << r.nx << ","
                              << r.ny << "," << r.nz << " position " << r.x << "," << r.y << ","
                              << r.z << "; expected z " << expected.z;
        }
    }
    EXPECT_EQ(wrong, 0) << "vertices unlike the grid";
    return tiles;
}

// What drawWaterTiles sends: per visible tile 64 strips of the lattice
// points (k, l) and (k + 1, l), texture coordinates 0..4 across the tile, the
// normal as stored and the position offset by the tile with its height
// scaled; the tiles in tx-outer order, as many as the wedge lets through.
TEST_F(WaterTest, SendsEachVisibleTileAsStripsOfTheGrid) {
    fillTellingGrid();
    const struct {
        float heading;
        int tiles;
    } views[] = {{40.0f, 16}, {0.0f, 19}, {90.0f, 19}, {180.0f, 35}};
    for (const auto& view : views) {
        heading = view.heading;
        startRecording();
        waterDepth();
        std::vector<RecordedStrip> strips = stopRecording();
        EXPECT_EQ(tilesDrawn, view.tiles) << "heading " << view.heading;
        ASSERT_EQ(strips.size(), static_cast<size_t>(view.tiles * gridSize))
            << "heading " << view.heading;
        std::vector<Tile> tiles = checkedTiles(strips);
        EXPECT_TRUE(std::is_sorted(tiles.begin(), tiles.end()) &&
                    std::set<Tile>(tiles.begin(), tiles.end()).size() == tiles.size())
            << "tiles not sent once each with tx outer, heading " << view.heading;
        if (view.heading == 40.0f) {
            std::set<Tile> block;
            for (int tx = 0; tx < 4; ++tx)
                for (int ty = 0; ty < 4; ++ty)
                    block.insert({tx, ty});
            EXPECT_EQ(std::set<Tile>(tiles.begin(), tiles.end()), block)
                << "the start view shows the tiles 0 to 3 both ways";
        }
    }
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
