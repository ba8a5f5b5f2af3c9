#include <GL/glut.h>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "app/app_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

class FrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        setupSceneState();
        onReshape(windowWidth, windowHeight);
        heading = 40.0f;
        pitch = 0.0f;
        statsVisible = 1;
    }
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

TEST_F(FrameTest, ProjectionKeepsNinetyDegreesAcross) {
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // gluPerspective: element [0][0] = f / aspect with f = cot(fovY / 2); for a
    // 90-degree horizontal view that is 1.
    EXPECT_NEAR(projection[0], 1.0f, 1e-5);
    EXPECT_NEAR(projection[5], 1.25f, 1e-5);
}

TEST_F(FrameTest, FrameLeavesLightingOffAndCountsSixteenTiles) {
    displayFrame();
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(tilesDrawn, 16);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
}

TEST_F(FrameTest, OverlayReadsTheTilesOfTheFrame) {
    statsVisible = -1;
    displayFrame();
    EXPECT_STREQ(statsText, "16        tiles");
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    float colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[2], 1.0f);
}

TEST_F(FrameTest, DrawTextRestoresMatricesAndDepthTest) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, 3.0f);
    glDisable(GL_DEPTH_TEST);
    drawText(15, 75, "");
    drawText(15, 75, "two\nlines\n");
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    EXPECT_FLOAT_EQ(modelview[12], 1.0f);
    EXPECT_FLOAT_EQ(modelview[14], 3.0f);
    GLint depth = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
}

} // namespace

namespace {

// The overlay's glyphs stay white and black whatever texturing the water left
// enabled.
TEST_F(FrameTest, TextIsWhiteOverTexturedState) {
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

    glDisable(GL_LIGHTING); // as in a frame
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawText(15, 75, "IIIIIIII");
    std::vector<unsigned char> pixels(200 * 40 * 3);
    glReadBuffer(GL_BACK);
    glReadPixels(10, 60, 200, 40, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int white = 0;
    int grey_ = 0;
    for (size_t i = 0; i < pixels.size(); i += 3) {
        white += pixels[i] == 255 && pixels[i + 1] == 255 && pixels[i + 2] == 255;
        grey_ += pixels[i] == 90;
    }
    EXPECT_GT(white, 50);
    EXPECT_EQ(grey_, 0);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_CUBE_MAP)); // the caller's state comes back

    glDisable(GL_TEXTURE_CUBE_MAP);
    glDeleteTextures(1, &cube);
}

} // namespace
