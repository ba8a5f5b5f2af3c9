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
// library and, while recording, its arguments are kept as well.
struct Sent {
    float s, t;
    double nx, ny, nz;
    float x, y, z;
    bool operator==(const Sent& o) const {
        return s == o.s && t == o.t && nx == o.nx && ny == o.ny && nz == o.nz && x == o.x &&
               y == o.y && z == o.z;
    }
};
struct Strip {
    GLenum mode;
    std::vector<Sent> vertices;
};
bool recording = false;
std::vector<Strip> strips;
Sent current{};

} // namespace

extern "C" {
void __real_glBegin(GLenum mode);
void __real_glTexCoord2f(GLfloat s, GLfloat t);
void __real_glNormal3d(GLdouble x, GLdouble y, GLdouble z);
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);

void __wrap_glBegin(GLenum mode) {
    if (recording)
        strips.push_back(Strip{mode, {}});
    __real_glBegin(mode);
}
void __wrap_glTexCoord2f(GLfloat s, GLfloat t) {
    current.s = s;
    current.t = t;
    __real_glTexCoord2f(s, t);
}
void __wrap_glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    current.nx = x;
    current.ny = y;
    current.nz = z;
    __real_glNormal3d(x, y, z);
}
void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    if (recording && !strips.empty())
        strips.back().vertices.push_back(
            Sent{current.s, current.t, current.nx, current.ny, current.nz, x, y, z});
    __real_glVertex3f(x, y, z);
}
} // extern "C"

namespace {

// A grid whose every value tells its lattice point: the heights are not
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

// Checks every vertex of every strip against the grid: lattice point (k, l)
// then (k + 1, l) for l = 0..64, texture coordinates 0..4 across the tile,
// the normal as stored, the position offset by the tile with its height
// scaled. Returns the tiles in the order sent, told by each first vertex.
std::vector<Tile> checkedTiles() {
    std::vector<Tile> tiles;
    int wrong = 0;
    for (size_t n = 0; n < strips.size(); ++n) {
        const int k = static_cast<int>(n % gridSize);
        const Vector3d& origin = renderGrid.positions[k][0];
        const std::vector<Sent>& sent = strips[n].vertices;
        EXPECT_EQ(strips[n].mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
        if (sent.size() != 2 * renderGridSize) {
            ADD_FAILURE() << "strip " << n << " has " << sent.size() << " vertices";
            return tiles;
        }
        const Tile tile{static_cast<int>(std::lround((sent[0].x - origin.x) / patchLength)),
                        static_cast<int>(std::lround((sent[0].y - origin.y) / patchLength))};
        if (k == 0)
            tiles.push_back(tile);
        for (int v = 0; v < 2 * renderGridSize; ++v) {
            const int a = k + v % 2;
            const int l = v / 2;
            const Vector3d& p = renderGrid.positions[a][l];
            const Vector3d& normal = renderGrid.normals[a][l];
            Sent expected{
                a / 64.0f * 4.0f, l / 64.0f * 4.0f, normal.x, normal.y, normal.z, 0, 0, 0};
            expected.x = static_cast<float>(tile.first * patchLength + p.x);
            expected.y = static_cast<float>(tile.second * patchLength + p.y);
            expected.z = static_cast<float>(heightScale * p.z);
            if (!(sent[v] == expected) && wrong++ == 0)
                ADD_FAILURE() << "strip " << n << " vertex " << v << " is not lattice point " << a
                              << ", " << l << " of tile " << tile.first << ", " << tile.second;
        }
    }
    EXPECT_EQ(wrong, 0) << "vertices unlike the grid";
    return tiles;
}

bool inStartBlock(Tile t) {
    return t.first >= 0 && t.first < 4 && t.second >= 0 && t.second < 4;
}

// Per visible tile 64 strips of the grid; the tiles once each in tx-outer
// order, as many as the wedge lets through.
TEST_F(WaterTest, SendsEachVisibleTileAsStripsOfTheGrid) {
    fillTellingGrid();
    const std::pair<float, int> views[] = {{40.0f, 16}, {0.0f, 19}, {90.0f, 19}, {180.0f, 35}};
    for (const auto& [viewHeading, count] : views) {
        view.heading = viewHeading;
        strips.clear();
        recording = true;
        waterDepth();
        recording = false;
        EXPECT_EQ(tilesDrawn, count) << "heading " << viewHeading;
        ASSERT_EQ(strips.size(), static_cast<size_t>(count * gridSize))
            << "heading " << viewHeading;
        std::vector<Tile> tiles = checkedTiles();
        EXPECT_TRUE(std::is_sorted(tiles.begin(), tiles.end()) &&
                    std::set<Tile>(tiles.begin(), tiles.end()).size() == tiles.size())
            << "tiles not sent once each with tx outer, heading " << viewHeading;
        EXPECT_TRUE(viewHeading != 40.0f || std::all_of(tiles.begin(), tiles.end(), inStartBlock))
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
