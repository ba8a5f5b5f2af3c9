// The textures computed in code, read back from a real rendering context.
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "ocean/ocean_state.h"
#include "render/gl_api.h"
#include "render/render_state.h"
#include "render/texture_support.h"

namespace {

GLint parameterOf(GLenum target, GLenum name) {
    GLint value = -1;
    glGetTexParameteriv(target, name, &value);
    return value;
}

GLint widthOf(GLenum target) {
    GLint value = -1;
    glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &value);
    return value;
}

std::vector<unsigned char> readTexels(GLenum target, int width, int height) {
    std::vector<unsigned char> texels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

void expectTexel(const std::vector<unsigned char>& texels, int width, int row, int column, int r,
                 int g, int b) {
    const unsigned char* p = &texels[(static_cast<std::size_t>(row) * width + column) * 3];
    EXPECT_EQ(p[0], r) << "row " << row << " column " << column;
    EXPECT_EQ(p[1], g) << "row " << row << " column " << column;
    EXPECT_EQ(p[2], b) << "row " << row << " column " << column;
}

TEST(GeneratedTextures, NormalizeCubeMapReadsBack) {
    const GLuint name = createNormalizeCubeMap();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    EXPECT_EQ(parameterOf(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameterOf(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R})
        EXPECT_EQ(parameterOf(GL_TEXTURE_CUBE_MAP, wrap), GL_CLAMP_TO_EDGE);
    // Each face as the encoding makes it (its texels are checked there):
    // uploaded whole, in the order of the library's face targets.
    for (int face = 0; face < cubeFaceCount; ++face) {
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        ASSERT_EQ(widthOf(target), normalizeCubeSize);
        std::vector<unsigned char> made(normalizeCubeSize * normalizeCubeSize * 3);
        fillNormalizeCubeFace(face, normalizeCubeSize, made.data());
        EXPECT_TRUE(readTexels(target, normalizeCubeSize, normalizeCubeSize) == made) << face;
    }
}

// A lookup through the fixed-function pipeline returns the direction itself:
// the faces are oriented as the library samples them.
TEST(GeneratedTextures, NormalizeCubeMapLookupGivesTheDirection) {
    const GLuint name = createNormalizeCubeMap();
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    const float directions[][3] = {{0.3f, 0.9f, -0.2f}, {-0.7f, -0.1f, 0.5f}, {0.1f, -0.6f, -0.8f}};
    for (const auto& d : directions) {
        glClear(GL_COLOR_BUFFER_BIT);
        glBegin(GL_QUADS);
        glTexCoord3fv(d);
        glVertex2f(-1.0f, -1.0f);
        glVertex2f(1.0f, -1.0f);
        glVertex2f(1.0f, 1.0f);
        glVertex2f(-1.0f, 1.0f);
        glEnd();
        unsigned char pixel[3] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(640, 512, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
        const float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c], d[c] / length * 127.0f + 127.0f, 4.0f);
    }
    glDisable(GL_TEXTURE_CUBE_MAP);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

TEST(GeneratedTextures, NormalMapFollowsTheSurface) {
    normalMapTexture = createNormalMapTexture();
    ASSERT_NE(normalMapPixels, nullptr);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(widthOf(GL_TEXTURE_2D), gridSize);
    EXPECT_EQ(parameterOf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameterOf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    // Until the first tick the sea is flat.
    expectTexel(readTexels(GL_TEXTURE_2D, gridSize, gridSize), gridSize, 10, 20, 127, 127, 177);

    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            surfaceNormals[i][j] = {0.0, 0.0, 1.0};
    surfaceNormals[2][9] = {1.0, 0.0, 0.0};
    surfaceNormals[63][0] = {0.0, -1.0, 0.0};
    // Someone else's binding and wrap mode in between do not matter.
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindTexture(GL_TEXTURE_2D, normalMapTexture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, 0);
    updateNormalMapTexture();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), normalMapTexture);
    EXPECT_EQ(parameterOf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(parameterOf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_REPEAT);
    const std::vector<unsigned char> texels = readTexels(GL_TEXTURE_2D, gridSize, gridSize);
    expectTexel(texels, gridSize, 0, 0, 127, 127, 177);
    expectTexel(texels, gridSize, 2, 9, 177, 127, 127);
    expectTexel(texels, gridSize, 63, 0, 127, 76, 127);
    expectTexel(texels, gridSize, 9, 2, 127, 127, 177);
}

} // namespace
