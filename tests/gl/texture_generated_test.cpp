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

struct Direction {
    double v[3];
};

// The unit direction the GL's cube-map lookup sends to face (+X, -X, +Y,
// -Y, +Z, -Z) at the face coordinates s and t, each -1..1: the lookup
// divides the other two components by the largest, the major axis, as
// s = sc / |ma| and t = tc / |ma| with these sc, tc per face.
Direction texelDirection(int face, double s, double t) {
    const double directions[6][3] = {{1, -t, -s}, {-1, -t, s}, {s, 1, t},
                                     {s, -1, -t}, {s, -t, 1},  {-s, -t, -1}};
    const double* d = directions[face];
    const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    return {{d[0] / length, d[1] / length, d[2] / length}};
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
    // Every texel of the six 32 x 32 faces holds the unit direction through
    // its centre, as the GL's cube-map lookup picks the face and the texel:
    // each component v as the byte v x 127 + 127 cut to a whole number. The
    // code works in single precision, so at a cut within 1e-4 of a whole
    // number either neighbour may come out.
    for (int face = 0; face < 6; ++face) {
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        ASSERT_EQ(widthOf(target), 32);
        GLint height = 0, format = 0;
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        EXPECT_EQ(height, 32);
        EXPECT_EQ(format, GL_RGB8);
        const std::vector<unsigned char> texels = readTexels(target, 32, 32);
        int wrong = 0;
        for (int row = 0; row < 32; ++row)
            for (int column = 0; column < 32; ++column) {
                const Direction d =
                    texelDirection(face, (column + 0.5) / 16.0 - 1.0, (row + 0.5) / 16.0 - 1.0);
                for (int c = 0; c < 3; ++c) {
                    const double byte = d.v[c] * 127.0 + 127.0;
                    const int got = texels[(row * 32 + column) * 3 + c];
                    wrong += got != static_cast<int>(byte - 1e-4) &&
                             got != static_cast<int>(byte + 1e-4);
                }
            }
        EXPECT_EQ(wrong, 0) << "face " << face;
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
        // The texels are cut to whole bytes, up to one low, and the blend of
        // four of them is rounded, half a byte either way.
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(pixel[c] + 0.5f, d[c] / length * 127.0f + 127.0f, 1.0f);
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
    EXPECT_EQ(widthOf(GL_TEXTURE_2D), 64);
    EXPECT_EQ(parameterOf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(parameterOf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    // Until the first tick the sea is flat.
    expectTexel(readTexels(GL_TEXTURE_2D, 64, 64), 64, 10, 20, 127, 127, 177);

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
    const std::vector<unsigned char> texels = readTexels(GL_TEXTURE_2D, 64, 64);
    expectTexel(texels, 64, 0, 0, 127, 127, 177);
    expectTexel(texels, 64, 2, 9, 177, 127, 127);
    expectTexel(texels, 64, 63, 0, 127, 76, 127);
    expectTexel(texels, 64, 9, 2, 127, 127, 177);
}

} // namespace
