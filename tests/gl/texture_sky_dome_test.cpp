// The sky dome drawn in a real context with a texture whose texels tell
// their own coordinates: red counts columns, green counts rows.
#include <gtest/gtest.h>
#include <vector>

#include "app/app_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"

namespace {

constexpr int size = 256;

GLuint coordinateTexture() {
    std::vector<unsigned char> texels(size * size * 3);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            unsigned char* p = &texels[(row * size + column) * 3];
            p[0] = static_cast<unsigned char>(column);
            p[1] = static_cast<unsigned char>(row);
            p[2] = 255;
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, size, size, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return name;
}

class SkyDomeDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        startSceneAfresh();
        buildSkyDome(skyDomeRadius, skyDome);
        skyTexture = coordinateTexture();
        // What the dome must set for itself: 2-D texturing off, cube maps on.
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_TEXTURE_CUBE_MAP);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    void TearDown() override {
        glDeleteTextures(1, &skyTexture);
        skyTexture = 0;
    }

    FrameView view = {startCameraX, startCameraY, ViewerState{}.heading, ViewerState{}.pitch, true};

    void drawOnce() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        drawSkyDome(view);
    }

    static void pixelAt(int x, int y, unsigned char (&pixel)[3]) {
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
    }
};

TEST_F(SkyDomeDrawing, LeavesItsStateAndRestoresTheMatrix) {
    drawOnce();
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_DECAL);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), skyTexture);
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0f : 0.0f);
}

// Straight ahead the eye, 100 units above the dome's centre, meets the band
// between the last two rings where the band is 100 units high; the heading of
// 40 degrees looks toward the world azimuth of 50 degrees.
TEST_F(SkyDomeDrawing, StraightAheadShowsTheHeadingNearTheHorizon) {
    drawOnce();
    unsigned char pixel[3];
    pixelAt(windowWidth / 2, windowHeight / 2, pixel);
    const float upper = skyDome[6][0][2];
    const float lower = skyDome[7][0][2];
    const double s = (6.0 + (upper - 100.0) / (upper - lower)) / 8.0;
    const double t = 50.0 / 360.0;
    EXPECT_NEAR(pixel[0], s * size, 3.0);
    EXPECT_NEAR(pixel[1], t * size, 3.0);
    EXPECT_EQ(pixel[2], 255);

    // A quarter turn to the right looks a quarter of the texture's rows back.
    view.heading = 130.0f;
    drawOnce();
    pixelAt(windowWidth / 2, windowHeight / 2, pixel);
    EXPECT_NEAR(pixel[1], (360.0 - 40.0) / 360.0 * size, 3.0);
}

// The dome covers everything above the water: nothing of the clear colour.
TEST_F(SkyDomeDrawing, CoversTheUpperHalf) {
    for (float look : {0.0f, -60.0f}) {
        view.pitch = look;
        drawOnce();
        std::vector<unsigned char> upper(windowWidth * windowHeight / 2 * 3);
        glReadPixels(0, windowHeight / 2, windowWidth, windowHeight / 2, GL_RGB, GL_UNSIGNED_BYTE,
                     upper.data());
        for (std::size_t i = 2; i < upper.size(); i += 3)
            ASSERT_EQ(upper[i], 255) << "pixel " << i / 3 << " at pitch " << look;
    }
}

} // namespace
