#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "render/render_state.h"
#include "render/texture_support.h"

namespace {

struct Rgb {
    int r, g, b;
};

std::vector<unsigned char> normalizeFace(int face, int size = normalizeCubeSize) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(size) * size * 3);
    fillNormalizeCubeFace(face, size, pixels.data());
    return pixels;
}

Rgb texelAt(const std::vector<unsigned char>& pixels, int row, int column,
            int size = normalizeCubeSize) {
    const unsigned char* p = &pixels[(static_cast<std::size_t>(row) * size + column) * 3];
    return {p[0], p[1], p[2]};
}

void expectTexel(const Rgb& texel, int r, int g, int b) {
    EXPECT_EQ(texel.r, r);
    EXPECT_EQ(texel.g, g);
    EXPECT_EQ(texel.b, b);
}

TEST(NormalizeCube, KnownTexels) {
    const std::vector<unsigned char> positiveX = normalizeFace(0);
    expectTexel(texelAt(positiveX, 0, 0), 201, 199, 199);
    expectTexel(texelAt(positiveX, 31, 31), 201, 54, 54);
    expectTexel(texelAt(normalizeFace(4), 15, 15), 123, 130, 253);
    expectTexel(texelAt(normalizeFace(3), 31, 0), 54, 52, 54);
}

TEST(NormalizeVector, UnitLengthAndZeroLeftAlone) {
    float v[3] = {3.0f, 0.0f, 4.0f};
    normalizeVector3f(v);
    EXPECT_FLOAT_EQ(v[0], 0.6f);
    EXPECT_FLOAT_EQ(v[1], 0.0f);
    EXPECT_FLOAT_EQ(v[2], 0.8f);
    float zero[3] = {0.0f, 0.0f, 0.0f};
    normalizeVector3f(zero);
    EXPECT_EQ(zero[0], 0.0f);
    EXPECT_EQ(zero[2], 0.0f);
}

TEST(PackVector, BytesAndAdvance) {
    unsigned char out[6] = {};
    unsigned char* cursor = out;
    packVectorToRgb({-1.0f, 0.0f, 1.0f}, cursor);
    packVectorToRgb({0.5f, -0.5f, 0.999f}, cursor);
    EXPECT_EQ(cursor, out + 6);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 127);
    EXPECT_EQ(out[2], 254);
    EXPECT_EQ(out[3], 190); // 63.5 + 127, truncated
    EXPECT_EQ(out[4], 63);
    EXPECT_EQ(out[5], 253);
}

TEST(NormalMap, EncodingOfComponents) {
    EXPECT_EQ(encodeNormalComponent(0.0), 127);
    EXPECT_EQ(encodeNormalComponent(1.0), 177);
    EXPECT_EQ(encodeNormalComponent(-1.0), 76);
    EXPECT_EQ(encodeNormalComponent(0.5), 152);
}

TEST(NormalMap, TexelsFollowTheGridIndexing) {
    static Vector3d normals[gridSize][gridSize];
    for (auto& row : normals)
        for (Vector3d& n : row)
            n = {0.0, 0.0, 1.0};
    normals[3][5] = {1.0, 0.0, 0.0};
    std::vector<unsigned char> pixels(gridSize * gridSize * 3);
    encodeNormalMap(normals, pixels.data());
    const std::size_t upright = 0;
    EXPECT_EQ(pixels[upright + 0], 127);
    EXPECT_EQ(pixels[upright + 1], 127);
    EXPECT_EQ(pixels[upright + 2], 177);
    const std::size_t tilted = (3 * gridSize + 5) * 3;
    EXPECT_EQ(pixels[tilted + 0], 177);
    EXPECT_EQ(pixels[tilted + 1], 127);
    EXPECT_EQ(pixels[tilted + 2], 127);
    EXPECT_EQ(pixels[(5 * gridSize + 3) * 3], 127); // not transposed
}

// A failed allocation must not leave a texture without its buffer: the
// message goes to standard output and the process ends with a failure.
// AddressSanitizer refuses such a request itself, so the check needs a plain build.
TEST(TextureBufferDeathTest, FailedAllocationEndsTheProgram) {
#if defined(OCEAN_SANITIZED)
    GTEST_SKIP() << "the sanitizer's allocator reports the request itself";
#else
    auto allocateTheImpossible = [] {
        dup2(STDERR_FILENO, STDOUT_FILENO); // the message is on standard output
        allocateTextureBuffer(SIZE_MAX / 2, "failure to malloc");
    };
    EXPECT_EXIT(allocateTheImpossible(), ::testing::ExitedWithCode(EXIT_FAILURE),
                "^failure to malloc$");
    unsigned char* buffer = allocateTextureBuffer(16, "failure to malloc");
    ASSERT_NE(buffer, nullptr);
    std::free(buffer);
#endif
}

} // namespace
