#include <GL/glut.h>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <vector>

#include "tests/gl/gl_test_support.h"

namespace {

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override { startSceneAfresh(); }
};

void expectVector(GLenum light, GLenum name, const float (&expected)[4]) {
    float value[4];
    glGetLightfv(light, name, value);
    for (int i = 0; i < 4; ++i)
        EXPECT_FLOAT_EQ(value[i], expected[i]) << "light " << light - GL_LIGHT0 << " element " << i;
}

TEST_F(FrameTest, SceneStateIsReadable) {
    expectVector(GL_LIGHT0, GL_DIFFUSE, {0.24f, 0.83f, 0.64f, 1.0f});
    expectVector(GL_LIGHT1, GL_DIFFUSE, {0.0f, 0.5f, 1.0f, 1.0f});
    expectVector(GL_LIGHT2, GL_DIFFUSE, {0.0f, 0.0f, 1.0f, 1.0f});
    // Positions were given under the identity modelview: they read back as given.
    expectVector(GL_LIGHT0, GL_POSITION, {300.0f, 50.0f, -300.0f, 1.0f});
    expectVector(GL_LIGHT1, GL_POSITION, {-300.0f, 500.0f, 300.0f, 1.0f});
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
    EXPECT_FALSE(glIsEnabled(GL_LIGHT2));
    float shininess = 0.0f;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_FLOAT_EQ(shininess, 5.0f);
    GLint depthFunction = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunction);
    EXPECT_EQ(depthFunction, GL_LESS);
    EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
}

TEST_F(FrameTest, ClearColourShowsWhereNothingIsDrawn) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    unsigned char pixel[3] = {1, 1, 1};
    glReadBuffer(GL_BACK);
    glReadPixels(640, 512, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 0);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_NEAR(pixel[2], 128, 1);
}

// gluPerspective puts f = cot(fovY / 2) in element [1][1] and f / aspect in
// [0][0]; a 90-degree view across makes the latter 1 for every shape. A
// window 0 pixels high gets a 1-pixel viewport and the aspect of its width.
TEST_F(FrameTest, ProjectionKeepsNinetyDegreesAcross) {
    const struct {
        int width, height;
        double fovY;
        int viewportHeight;
    } windows[] = {{1280, 1024, 77.3196, 1024}, {800, 600, 73.7398, 600}, {500, 500, 90.0, 500}};
    for (const auto& w : windows) {
        onReshape(w.width, w.height);
        float projection[16];
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        EXPECT_NEAR(projection[0], 1.0f, 1e-5) << w.width << " x " << w.height;
        EXPECT_NEAR(2.0 * std::atan(1.0 / projection[5]) * 180.0 / M_PI, w.fovY, 1e-4)
            << w.width << " x " << w.height;
    }
    onReshape(640, 0);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 1);
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    EXPECT_TRUE(std::isfinite(projection[5]) && std::isfinite(projection[0]));
    EXPECT_NEAR(projection[5], 640.0f, 0.01f);
    onReshape(windowWidth, windowHeight);
}

TEST_F(FrameTest, FrameLeavesLightingAndGenerationOff) {
    displayFrame();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
}

// The overlay comes after the water: its tiles line shows this frame's count,
// not the last one's.
TEST_F(FrameTest, OverlayReadsTheTilesOfTheFrame) {
    shadersEnabled = -toggleOn;
    composeFrame();
    const int before = tilesDrawn;
    heading = 180.0f;
    statsVisible = toggleOn;
    composeFrame();
    ASSERT_NE(tilesDrawn, before);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%i        tiles", tilesDrawn);
    EXPECT_STREQ(statsText, expected);
}

using Pixel = std::pair<int, int>;

// White and black pixels of the lower-left 300 x 400 of the back buffer, in
// window coordinates; anything else but the clear colour is counted as stray.
struct TextPixels {
    std::set<Pixel> white;
    std::set<Pixel> black;
    int stray = 0;
};

TextPixels readTextPixels() {
    const int width = 300;
    const int height = 400;
    std::vector<unsigned char> rgb(width * height * 3);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    TextPixels found;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgb[(y * width + x) * 3];
            if (p[0] == 255 && p[1] == 255 && p[2] == 255)
                found.white.insert({x, y});
            else if (p[0] == 0 && p[1] == 0 && p[2] == 0)
                found.black.insert({x, y});
            else if (!(p[0] == 0 && p[1] == 0 && p[2] >= 127 && p[2] <= 128))
                ++found.stray;
        }
    return found;
}

std::set<Pixel> moved(const std::set<Pixel>& pixels, int dx, int dy) {
    std::set<Pixel> result;
    for (const Pixel& p : pixels)
        result.insert({p.first + dx, p.second + dy});
    return result;
}

std::set<Pixel> joined(const std::set<Pixel>& a, const std::set<Pixel>& b) {
    std::set<Pixel> result = a;
    result.insert(b.begin(), b.end());
    return result;
}

int lowestRow(const std::set<Pixel>& pixels, int fromX, int toX) {
    int lowest = 1 << 20;
    for (const Pixel& p : pixels)
        if (p.first >= fromX && p.first < toX)
            lowest = std::min(lowest, p.second);
    return lowest;
}

// A grey cube map in decal mode, as the water leaves texturing: the glyphs
// must still come out white and black.
GLuint enableGreyCubeMap() {
    GLuint cube = 0;
    glGenTextures(1, &cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    const unsigned char grey[3] = {90, 90, 90};
    for (int face = 0; face < 6; ++face)
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGB, 1, 1, 0, GL_RGB,
                     GL_UNSIGNED_BYTE, grey);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    return cube;
}

// White text over a black copy of itself one pixel right and one down; a
// second line 18 pixels lower at the same x; the overlay's lines with their
// baselines 75 and 55 pixels above the bottom. The caller's matrices, colour
// and texturing come back, and the depth test is on.
TEST_F(FrameTest, TextIsWhiteOnItsShadowInLinesEighteenApart) {
    GLuint cube = enableGreyCubeMap();
    glDisable(GL_LIGHTING); // as in a frame
    glTranslatef(1.0f, 2.0f, 3.0f);
    glDisable(GL_DEPTH_TEST);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawText(100, 300, "1");
    TextPixels one = readTextPixels();
    EXPECT_EQ(one.stray, 0);
    EXPECT_GT(one.white.size(), 10u);
    EXPECT_EQ(lowestRow(one.white, 0, 300), 300) << "the baseline";
    EXPECT_EQ(joined(one.white, one.black), joined(one.white, moved(one.white, 1, -1)))
        << "the shadow is the text moved one pixel right and one down";
    EXPECT_FALSE(one.black.empty());

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawText(100, 300, "1\n1\n");
    TextPixels two = readTextPixels();
    // The newline itself is handed to the font after the raster position is
    // set, so the next line starts after the newline glyph's advance.
    const int newlineAdvance = glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, '\n');
    EXPECT_EQ(two.white, joined(one.white, moved(one.white, newlineAdvance, -18)));
    EXPECT_EQ(two.black, joined(one.black, moved(one.black, newlineAdvance, -18)));

    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[12], 1.0f);
    EXPECT_FLOAT_EQ(modelview[14], 3.0f);
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2], 3.0f);

    // The overlay: "1        fps" over "7        tiles", both digits on their
    // baselines 15 pixels from the left.
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    tilesDrawn = 7;
    drawStats();
    TextPixels overlay = readTextPixels();
    EXPECT_EQ(overlay.stray, 0);
    const int digitColumns = 30; // the digit and the blanks, before the words
    std::set<Pixel> digits;
    for (const Pixel& p : overlay.white)
        if (p.first < digitColumns)
            digits.insert(p);
    EXPECT_EQ(lowestRow(digits, 0, digitColumns), 55);
    std::set<Pixel> upper;
    for (const Pixel& p : digits)
        if (p.second >= 70)
            upper.insert(p);
    EXPECT_EQ(lowestRow(upper, 0, digitColumns), 75);
    EXPECT_EQ(upper.begin()->first - 15, one.white.begin()->first - 100) << "x of the fps line";

    glDisable(GL_TEXTURE_CUBE_MAP);
    glDeleteTextures(1, &cube);
}

} // namespace
