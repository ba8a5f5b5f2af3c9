#include <GL/glut.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/gl/shader_test_support.h"

namespace {

using shader_test::framePixels;
using shader_test::meanDifference;
using shader_test::prepareScene;

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override { startSceneAfresh(); }
};

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
        int width, height, viewportHeight;
        double fovY;
    } windows[] = {{1280, 1024, 1024, 77.3196},
                   {800, 600, 600, 73.7398},
                   {500, 500, 500, 90.0},
                   {640, 0, 1, 2.0 * std::atan(1.0 / 640.0) * 180.0 / M_PI}};
    for (const auto& w : windows) {
        onReshape(w.width, w.height);
        GLint viewport[4];
        glGetIntegerv(GL_VIEWPORT, viewport);
        float projection[16];
        glGetFloatv(GL_PROJECTION_MATRIX, projection);
        EXPECT_EQ(viewport[3], w.viewportHeight) << w.width << " x " << w.height;
        EXPECT_NEAR(projection[0], 1.0f, 1e-5) << w.width << " x " << w.height;
        EXPECT_NEAR(2.0 * std::atan(1.0 / projection[5]) * 180.0 / M_PI, w.fovY, 1e-4)
            << w.width << " x " << w.height;
    }
    onReshape(windowWidth, windowHeight);
}

// The state a drawer may find: 2-D texturing on and cube maps off, as the
// texture loaders leave it, or the other way round.
void setTexturing(bool texture2D, bool cubeMaps) {
    (texture2D ? glEnable : glDisable)(GL_TEXTURE_2D);
    (cubeMaps ? glEnable : glDisable)(GL_TEXTURE_CUBE_MAP);
}

// The renderer draws the view of the record it is handed, whatever the shell's
// viewer holds, and from whatever texturing the last frame or drawer left:
// each drawer enables what it textures with and leaves it off again. A frame
// after one of the other mode, started with 2-D texturing off and cube maps
// on, must come out as one started as the loaders leave the state; a sky that
// left its texturing to others would be drawn flat.
TEST_F(FrameTest, DrawsTheRecordedViewFromAnyTexturingState) {
    prepareScene();
    createShaderPrograms();
    viewer.heading = 180.0f;
    viewer.shadersEnabled = toggleOff;
    const FrameView shaded = {startCameraX, startCameraY, 40.0f, 0.0f, true};
    const FrameView unshaded = {startCameraX, startCameraY, 40.0f, 0.0f, false};
    std::vector<unsigned char> pictures[2];
    for (int mode = 0; mode < 2; ++mode) {
        const FrameView& view = mode == 0 ? shaded : unshaded;
        setTexturing(true, false);
        composeFrame(view);
        pictures[mode] = framePixels(0, windowHeight);
        EXPECT_EQ(tilesDrawn, 16) << "the heading of the record, not the viewer's";
        composeFrame(mode == 0 ? unshaded : shaded);
        setTexturing(false, true);
        composeFrame(view);
        const std::vector<unsigned char> disturbed = framePixels(0, windowHeight);
        EXPECT_TRUE(disturbed == pictures[mode])
            << "mode " << mode << ": mean difference " << meanDifference(disturbed, pictures[mode]);
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    }
    EXPECT_GT(meanDifference(pictures[0], pictures[1]), 5.0) << "the shaded water looks unshaded";
}

// The viewer's frames, shaded and not, with the counters on and off, leave
// no error behind; nor does making the programs.
TEST_F(FrameTest, FramesLeaveNoError) {
    while (glGetError() != GL_NO_ERROR) {
    }
    prepareScene();
    createShaderPrograms();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "making the programs";
    for (int shading : {toggleOn, toggleOff}) {
        for (int counters : {toggleOff, toggleOn}) {
            viewer.shadersEnabled = shading;
            viewer.statsVisible = counters;
            for (int frame = 0; frame < 3; ++frame)
                displayFrame();
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR))
                << "shading " << shading << ", counters " << counters;
        }
    }
}

using Pixel = std::pair<int, int>; // x, y from the lower-left corner

// The white and the black pixels of the width x height block at the
// lower-left corner; any colour but those and the clear colour is stray.
struct TextPixels {
    std::set<Pixel> white, black;
    int stray = 0;
};

// The block of the lower-left corner the overlay's lines lie in.
constexpr int overlayCorner = 260;

TextPixels readTextPixels(int width, int height, GLenum buffer = GL_BACK) {
    std::vector<unsigned char> rgb(width * height * 3);
    glReadBuffer(buffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1); // rows of any width, tightly packed
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    TextPixels found;
    for (int i = 0; i < width * height; ++i) {
        const unsigned char* p = &rgb[i * 3];
        if (p[0] == 255 && p[1] == 255 && p[2] == 255)
            found.white.insert({i % width, i / width});
        else if (p[0] == 0 && p[1] == 0 && p[2] == 0)
            found.black.insert({i % width, i / width});
        else
            found.stray += !(p[0] == 0 && p[1] == 0 && p[2] >= 127 && p[2] <= 128);
    }
    return found;
}

void addMoved(std::set<Pixel>& into, const std::set<Pixel>& pixels, int dx, int dy) {
    for (const Pixel& p : pixels)
        into.insert({p.first + dx, p.second + dy});
}

// White text over a black copy of itself one pixel right and one down; a
// second line 18 pixels lower at the same x; the overlay's lines with their
// baselines 75 and 55 pixels above the bottom, over the state a frame leaves.
// The caller's matrices and depth test come back, and the colour is white.
TEST_F(FrameTest, TextIsWhiteOnItsShadowInLinesEighteenApart) {
    prepareScene();
    composeFrame({startCameraX, startCameraY, 40.0f, 0.0f, false});
    glTranslatef(1.0f, 2.0f, 3.0f);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawText(100, 300, "1");
    TextPixels one = readTextPixels(300, 400);
    EXPECT_EQ(one.stray, 0);
    ASSERT_GT(one.white.size(), 10u);
    EXPECT_EQ(std::min_element(one.white.begin(), one.white.end(),
                               [](Pixel a, Pixel b) { return a.second < b.second; })
                  ->second,
              300)
        << "the baseline";
    std::set<Pixel> inked = one.white;
    inked.insert(one.black.begin(), one.black.end());
    std::set<Pixel> shadowed = one.white;
    addMoved(shadowed, one.white, 1, -1);
    EXPECT_EQ(inked, shadowed) << "the shadow is the text moved one pixel right and one down";

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawText(100, 300, "1\n1\n");
    TextPixels two = readTextPixels(300, 400);
    // The newline itself is handed to the font after the raster position is
    // set, so the next line starts after the newline glyph's advance.
    const int newlineAdvance = glutBitmapWidth(GLUT_BITMAP_HELVETICA_18, '\n');
    std::set<Pixel> twoLines = one.white;
    addMoved(twoLines, one.white, newlineAdvance, -18);
    EXPECT_EQ(two.white, twoLines);
    EXPECT_EQ(two.black.size(), 2 * one.black.size());

    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[12], 1.0f);
    EXPECT_FLOAT_EQ(modelview[14], 3.0f);
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0] + colour[1] + colour[2], 3.0f);

    // The overlay: "1        fps" over "1        tiles", the digits 15 pixels
    // from the left on the baselines 75 and 55.
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    tilesDrawn = 1;
    drawStats();
    std::set<Pixel> digits;
    addMoved(digits, one.white, 15 - 100, 75 - 300);
    addMoved(digits, one.white, 15 - 100, 55 - 300);
    EXPECT_EQ(readTextPixels(30, 100).white, digits);
}

// The lines given, {baseline, text}, drawn white by the font alone from 15
// pixels off the left edge on a cleared picture, as the overlay should show
// them: the white pixels of the lower-left corner.
std::set<Pixel> fontPixels(const std::vector<std::pair<int, std::string>>& lines) {
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_CUBE_MAP);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, windowWidth, 0, windowHeight, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3ub(255, 255, 255);
    for (const auto& [baseline, text] : lines) {
        glRasterPos2i(15, baseline);
        for (char c : text)
            glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, c);
    }
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
    return readTextPixels(overlayCorner, overlayCorner).white;
}

// The overlay comes after the water and shows this frame's figures: on the
// first frame that shows it the frames line publishes 1, and the tiles line
// shows the tiles of the frame it lies on, not of the one before. What is
// drawn is what the font draws for those texts, pixel for pixel; nothing
// drawn, another number or the last frame's count differ.
TEST_F(FrameTest, OverlayShowsTheFiguresOfItsFrame) {
    viewer.shadersEnabled = toggleOff;
    displayFrame();
    const int before = tilesDrawn;
    viewer.heading = 180.0f;
    displayFrame();
    const TextPixels bare = readTextPixels(overlayCorner, overlayCorner);
    ASSERT_TRUE(bare.white.empty()) << "the water alone shows white in the corner";
    frameCounter = FrameCounter{};
    viewer.statsVisible = toggleOn;
    displayFrame();
    ASSERT_NE(tilesDrawn, before);
    const std::set<Pixel> shown = readTextPixels(overlayCorner, overlayCorner).white;
    const std::string blanks(8, ' ');
    EXPECT_EQ(shown, fontPixels({{75, "1" + blanks + "fps"},
                                 {55, std::to_string(tilesDrawn) + blanks + "tiles"}}));
    EXPECT_NE(shown, fontPixels({{75, "1" + blanks + "fps"},
                                 {55, std::to_string(before) + blanks + "tiles"}}))
        << "the two counts should look different";
}

} // namespace
