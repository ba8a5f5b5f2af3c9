// Textures made from image files, read back from a real rendering context.
// The test pictures are written with the asset generator's own writers.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/app_state.h"
#include "image/image.h"
#include "render/gl_api.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "tools/assets/asset_pictures.h"

namespace {

namespace fs = std::filesystem;

constexpr int faceSize = 6; // rows of 18 bytes: not a multiple of 4
constexpr unsigned char neutral[3] = {128, 140, 160};

GLint textureParameter(GLenum target, GLenum name) {
    GLint value = -1;
    glGetTexParameteriv(target, name, &value);
    return value;
}

GLint levelParameter(GLenum target, int level, GLenum name) {
    GLint value = -1;
    glGetTexLevelParameteriv(target, level, name, &value);
    return value;
}

// Level 0 of a bound texture (or cube face) as RGB bytes, rows packed.
std::vector<unsigned char> readTexels(GLenum target, int level = 0) {
    const GLint width = levelParameter(target, level, GL_TEXTURE_WIDTH);
    const GLint height = levelParameter(target, level, GL_TEXTURE_HEIGHT);
    std::vector<unsigned char> texels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, level, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return texels;
}

// A test-own colour for every texel of every face: nothing repeats, so a
// wrong face order, row order or row length shows.
Picture facePicture(int face, int size) {
    Picture picture = blankPicture(size, size);
    for (int i = 0; i < size * size; ++i) {
        picture.samples[i * 3 + 0] = static_cast<unsigned char>(40 * face + 3);
        picture.samples[i * 3 + 1] = static_cast<unsigned char>(7 * (i / size) + 10);
        picture.samples[i * 3 + 2] = static_cast<unsigned char>(11 * (i % size) + 20);
    }
    return picture;
}

// Rows of one warm hue at falling brightness, never below a quarter of the
// first row's: red > green > blue in every texel, so a row read one byte off
// would show at once.
Picture warmRows(int width, int height) {
    Picture picture = blankPicture(width, height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const double light = 1.0 - 0.75 * row / height;
            unsigned char* p = &picture.samples[(row * width + column) * 3];
            p[0] = static_cast<unsigned char>(230 * light);
            p[1] = static_cast<unsigned char>(130 * light);
            p[2] = static_cast<unsigned char>(40 * light);
        }
    }
    return picture;
}

Picture greyRamp(int width, int height) {
    Picture picture = blankPicture(width, height, 1);
    for (int i = 0; i < width * height; ++i)
        picture.samples[i] = static_cast<unsigned char>(30 + 8 * i);
    return picture;
}

class TextureFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = fs::current_path();
        directory = fs::temp_directory_path() / ("texture-files-" + std::to_string(getpid()));
        fs::remove_all(directory);
        fs::create_directories(directory);
        fs::current_path(directory);
        for (int face = 0; face < cubeFaceCount; ++face)
            ASSERT_TRUE(writeBmpFile(environmentFaceFiles[face], facePicture(face, faceSize)));
    }
    void TearDown() override {
        textureLimits = previousLimits;
        fs::current_path(previous);
        fs::remove_all(directory);
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    }

    // Loads the environment cube map and returns what the loaders said.
    std::string loadEnvironment() {
        ::testing::internal::CaptureStderr();
        name = loadEnvironmentCubeMap();
        return ::testing::internal::GetCapturedStderr();
    }

    void expectFace(int face, const Picture& expected) {
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        EXPECT_EQ(levelParameter(target, 0, GL_TEXTURE_WIDTH), expected.width) << face;
        EXPECT_EQ(readTexels(target), expected.samples) << "face " << face;
    }

    void expectNeutralFace(int face, int size) {
        Picture picture = blankPicture(size, size);
        for (int i = 0; i < size * size * 3; ++i)
            picture.samples[i] = neutral[i % 3];
        expectFace(face, picture);
    }

    const TextureLimits previousLimits = textureLimits;
    fs::path previous;
    fs::path directory;
    GLuint name = 0;
};

TEST_F(TextureFiles, OddWidthColourJpegUploadsRowByRow) {
    const Picture picture = warmRows(5, 3);
    ASSERT_TRUE(writeJpegFile("odd.jpg", picture, 100));
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    name = loadTexture2D("odd.jpg");
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    EXPECT_EQ(textureParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S), GL_REPEAT);
    EXPECT_EQ(textureParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 5);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 3);
    const std::vector<unsigned char> texels = readTexels(GL_TEXTURE_2D);
    for (std::size_t i = 0; i < texels.size(); ++i)
        EXPECT_NEAR(texels[i], picture.samples[i], 16) << "byte " << i;
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4); // put back for everybody else
}

TEST_F(TextureFiles, GreyJpegShowsItsPictureInGrey) {
    const Picture picture = greyRamp(6, 4);
    ASSERT_TRUE(writeJpegFile("grey.jpg", picture, 100));
    name = loadTexture2D("grey.jpg");
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 6);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 4);
    const std::vector<unsigned char> texels = readTexels(GL_TEXTURE_2D);
    for (int i = 0; i < 6 * 4; ++i) {
        EXPECT_NEAR(texels[i * 3], picture.samples[i], 6) << "texel " << i;
        EXPECT_EQ(texels[i * 3 + 1], texels[i * 3]);
        EXPECT_EQ(texels[i * 3 + 2], texels[i * 3]);
    }
}

// The loader has said so; the texture is still made but nothing goes up, not
// even the last image's shape, and start-up goes on.
TEST_F(TextureFiles, MissingJpegUploadsNothing) {
    ASSERT_TRUE(writeJpegFile("odd.jpg", warmRows(5, 3), 90));
    loadTexture2D("odd.jpg");
    ::testing::internal::CaptureStderr();
    name = loadTexture2D("absent.jpg");
    ::testing::internal::GetCapturedStderr(); // the loader's message, tested with it
    EXPECT_NE(name, 0u);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 0);
    EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 0);
}

TEST_F(TextureFiles, EnvironmentFacesInOrderWithMipmaps) {
    EXPECT_EQ(loadEnvironment(), "");
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_CUBE_MAP, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), name);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_R));
    GLint mode = 0;
    glGetTexGeniv(GL_R, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_REFLECTION_MAP);
    EXPECT_EQ(textureParameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER),
              GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_CUBE_MAP, GL_GENERATE_MIPMAP), GL_TRUE);
    for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R})
        EXPECT_EQ(textureParameter(GL_TEXTURE_CUBE_MAP, wrap), GL_CLAMP_TO_EDGE);
    for (int face = 0; face < cubeFaceCount; ++face) {
        expectFace(face, facePicture(face, faceSize));
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        EXPECT_EQ(levelParameter(target, 1, GL_TEXTURE_WIDTH), faceSize / 2);
        EXPECT_EQ(levelParameter(target, 2, GL_TEXTURE_WIDTH), 1);
    }
}

// A side face takes the opposite one's picture, or another side face's; a
// pole takes the sky or sea half of a side face, stretched over it.
TEST_F(TextureFiles, UnreadableFacesAreStoodInForByOthers) {
    fs::remove("iyneg.bmp");
    fs::remove("izneg.bmp");
    const std::string said = loadEnvironment();
    EXPECT_NE(said.find("Failed to open DIB file iyneg.bmp."), std::string::npos) << said;
    for (int face : {0, 1, 2, 4})
        expectFace(face, facePicture(face, faceSize));
    expectFace(5, facePicture(4, faceSize));
    // The nadir: +X's colour (red 3) from its last three rows only (green 31 to 45).
    const std::vector<unsigned char> nadir = readTexels(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y);
    for (std::size_t i = 0; i < nadir.size(); i += 3) {
        EXPECT_EQ(nadir[i], 3) << i;
        EXPECT_TRUE(nadir[i + 1] >= 31 && nadir[i + 1] <= 45) << int(nadir[i + 1]);
    }
}

// The first face that loads gives the size; the neutral face is left for
// when no side face can be read, and with no face at all it is small.
TEST_F(TextureFiles, NeutralFaceOnlyWithoutAnySideFace) {
    for (int face : {0, 1, 4, 5})
        fs::remove(environmentFaceFiles[face]);
    loadEnvironment();
    for (int face = 0; face < cubeFaceCount; ++face) {
        if (face == 2 || face == 3)
            expectFace(face, facePicture(face, faceSize));
        else
            expectNeutralFace(face, faceSize);
    }
    for (int face = 0; face < cubeFaceCount; ++face)
        fs::remove(environmentFaceFiles[face]);
    const std::string said = loadEnvironment();
    for (int face = 0; face < cubeFaceCount; ++face) {
        EXPECT_NE(said.find(environmentFaceFiles[face]), std::string::npos);
        expectNeutralFace(face, 16);
    }
}

TEST_F(TextureFiles, BottomPictureOnEveryFace) {
    ASSERT_TRUE(writeJpegFile(bottomImageFile, warmRows(8, 8), 95));
    name = loadBottomCubeMap();
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_CUBE_MAP));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_EQ(textureParameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER),
              GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(textureParameter(GL_TEXTURE_CUBE_MAP, GL_GENERATE_MIPMAP), GL_TRUE);
    EXPECT_EQ(textureParameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R), GL_CLAMP_TO_EDGE);
    const std::vector<unsigned char> first = readTexels(GL_TEXTURE_CUBE_MAP_POSITIVE_X);
    EXPECT_EQ(first.size(), 8u * 8u * 3u);
    for (int face = 1; face < cubeFaceCount; ++face)
        EXPECT_EQ(readTexels(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face), first) << face;
}

// A 5K wallpaper, past the side limit, becomes the sky at half its size with
// one line that says so (its pixels are djpeg's: the decode tool's test),
// and the dome shows its warm colours where a sky without a picture would be
// white.
TEST_F(TextureFiles, LargeJpegBecomesTheSkyAtHalfSize) {
    const unsigned char halves[2][3] = {{250, 150, 40}, {150, 90, 20}};
    Picture picture = blankPicture(5640, 3172);
    for (size_t i = 0; i < picture.samples.size(); ++i)
        picture.samples[i] = halves[i >= picture.samples.size() / 2][i % 3];
    ASSERT_TRUE(writeJpegFile(skyImageFile, picture, 90));
    ::testing::internal::CaptureStderr();
    skyTexture = loadTexture2D(skyImageFile);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "cloudy1.jpg: 5640 x 3172 picture scaled to 2820 x 1586 (1/2), at most 4096 pixels "
              "a side\n");
    ASSERT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 2820);
    ASSERT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 1586);
    startSceneAfresh();
    buildSkyDome(skyDomeRadius, skyDome);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSkyDome(frameViewOf(ViewerState{}));
    std::vector<unsigned char> upper(size_t(windowWidth) * windowHeight / 2 * 3);
    glReadBuffer(GL_BACK);
    glReadPixels(0, windowHeight / 2, windowWidth, windowHeight / 2, GL_RGB, GL_UNSIGNED_BYTE,
                 upper.data());
    for (size_t i = 0; i < upper.size(); i += 3)
        ASSERT_TRUE(upper[i] > upper[i + 1] && upper[i + 1] > upper[i + 2]) << "pixel " << i / 3;
    glDeleteTextures(1, &skyTexture);
    skyTexture = 0;
    glDisable(GL_TEXTURE_2D);
}

// A GL whose textures stop at 2048 (or 256): a sky within the limit goes up
// whole, one past it at the JPEG scale that fits, one past every scale is
// scaled further. Each its own file: a file's line is said once in a row.
// An error left by an earlier call is not blamed on the sky.
TEST_F(TextureFiles, SkyWithinTheGlsLimitAtItsEdge) {
    const unsigned char warm[3] = {230, 130, 40};
    const struct {
        int width, height, limit, texelsWide, texelsHigh;
        const char* said;
    } cases[] = {
        {2047, 8, 2048, 2047, 8, ""},
        {8, 2048, 2048, 8, 2048, ""},
        {2049, 8, 2048, 1025, 4,
         "2049x8.jpg: 2049 x 8 picture scaled to 1025 x 4 (1/2), at most 2048 pixels a side\n"},
        {4000, 100, 256, 256, 7,
         "4000x100.jpg: 4000 x 100 picture scaled to 500 x 13 (1/8), at most 4096 pixels a side\n"
         "4000x100.jpg: 500 x 13 picture scaled to 256 x 7, at most 256 pixels a side\n"},
        {8000, 8, 64, 64, 1, // a side that would round to no texel keeps one
         "8000x8.jpg: 8000 x 8 picture scaled to 1000 x 1 (1/8), at most 4096 pixels a side\n"
         "8000x8.jpg: 1000 x 1 picture scaled to 64 x 1, at most 64 pixels a side\n"},
    };
    for (const auto& c : cases) {
        const std::string file = std::to_string(c.width) + "x" + std::to_string(c.height) + ".jpg";
        Picture picture = blankPicture(c.width, c.height);
        for (std::size_t i = 0; i < picture.samples.size(); ++i)
            picture.samples[i] = warm[i % 3];
        ASSERT_TRUE(writeJpegFile(file.c_str(), picture, 90));
        textureLimits.max2DSide = c.limit;
        glEnable(GL_NONE);
        ::testing::internal::CaptureStderr();
        name = loadTexture2D(file.c_str());
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.said);
        EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), c.texelsWide) << file;
        EXPECT_EQ(levelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), c.texelsHigh) << file;
        const std::vector<unsigned char> texels = readTexels(GL_TEXTURE_2D);
        // The picture, not a refused white: a flat colour, off by JPEG's rounding only.
        for (std::size_t i = 0; i < texels.size(); i += 997)
            ASSERT_NEAR(texels[i], warm[i % 3], 2) << file << " byte " << i;
        glDeleteTextures(1, &name);
    }
    // The cube maps' faces within their own limit, one below, at and one
    // past it: whole and silent, or brought within it with their line.
    const struct {
        int limit, side;
        const char* said;
    } faceCases[] = {{faceSize + 1, faceSize, ""},
                     {faceSize, faceSize, ""},
                     {faceSize - 1, faceSize - 1, "ixpos.bmp: 6 x 6 picture scaled to 5 x 5"}};
    for (const auto& c : faceCases) {
        textureLimits.maxCubeFaceSide = c.limit;
        const std::string said = loadEnvironment();
        EXPECT_EQ(said.substr(0, std::string(c.said).size()), c.said) << "limit " << c.limit;
        EXPECT_EQ(said.empty(), *c.said == '\0') << said;
        for (int face = 0; face < cubeFaceCount; ++face)
            EXPECT_EQ(levelParameter(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_TEXTURE_WIDTH),
                      c.side)
                << "limit " << c.limit << " face " << face;
        glDeleteTextures(1, &name);
    }
}

} // namespace
