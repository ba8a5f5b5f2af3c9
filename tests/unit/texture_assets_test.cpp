// The images make-assets writes, read back through the viewer's own loaders.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "image/image.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "tests/unit/texture_cube_lookup.h"

namespace {

namespace fs = std::filesystem;

constexpr int faceSize = 256;

struct Colour {
    double r, g, b;
};

double difference(const Colour& a, const Colour& b) {
    return (std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b)) / 3.0;
}

Colour colourAt(const unsigned char* pixels, int width, int column, int row) {
    const unsigned char* p = pixels + (static_cast<std::size_t>(row) * width + column) * 3;
    return {double(p[0]), double(p[1]), double(p[2])};
}

std::vector<char> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int runMakeAssets(const fs::path& directory) {
    const std::string command =
        std::string("'") + OCEAN_MAKE_ASSETS + "' '" + directory.string() + "'";
    return std::system(command.c_str());
}

// One run of the generator for the whole suite, its faces decoded once.
class AssetFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        directory = fs::temp_directory_path() / ("texture-assets-" + std::to_string(getpid()));
        fs::remove_all(directory);
        generated = runMakeAssets(directory) == 0;
        for (int face = 0; face < cubeFaceCount && generated; ++face)
            faces[face] = loadDibImage((directory / environmentFaceFiles[face]).c_str());
    }
    static void TearDownTestSuite() {
        for (RgbImage*& face : faces) {
            if (face != nullptr) {
                std::free(face->pixels);
                std::free(face);
            }
            face = nullptr;
        }
        fs::remove_all(directory);
    }
    void SetUp() override {
        ASSERT_TRUE(generated);
        for (RgbImage* face : faces)
            ASSERT_NE(face, nullptr);
    }

    // What a cube-map lookup in this direction (y-up frame) returns.
    static Colour environment(const double (&direction)[3]) {
        const CubeTexel texel = cubeTexelFor(direction, faceSize);
        return colourAt(faces[texel.face]->pixels, faceSize, texel.column, texel.row);
    }

    static fs::path directory;
    static bool generated;
    static RgbImage* faces[cubeFaceCount];
};

fs::path AssetFiles::directory;
bool AssetFiles::generated = false;
RgbImage* AssetFiles::faces[cubeFaceCount] = {};

TEST_F(AssetFiles, FacesAreSquareAndOfOneSize) {
    for (RgbImage* face : faces) {
        EXPECT_EQ(face->width, faceSize);
        EXPECT_EQ(face->height, faceSize);
    }
}

// Blue overhead, a horizon brighter than the clear sky overhead all around,
// and below it the mirrored sky going on without a step and darkening toward
// straight down: reflections folded at the horizon land on its row, and a
// step there shows as dark dashes in the water.
TEST_F(AssetFiles, SkyAboveMirroredSkyBelow) {
    std::vector<double> overhead;
    double blueness = 0.0;
    const RgbImage* top = faces[2];
    for (int i = 0; i < faceSize * faceSize; ++i) {
        const Colour c = colourAt(top->pixels, faceSize, i % faceSize, i / faceSize);
        overhead.push_back(c.r + c.g + c.b);
        blueness += (c.b - c.r) / (faceSize * faceSize);
    }
    std::sort(overhead.begin(), overhead.end());
    const double clearOverhead = overhead[overhead.size() / 4];
    EXPECT_GT(blueness, 50.0);
    const Colour nadir = environment({0.0, -1.0, 0.0});
    EXPECT_LT(nadir.r + nadir.g + nadir.b, 150);
    for (int k = 0; k < 8; ++k) {
        const double a = k * M_PI / 4;
        const Colour horizon = environment({std::cos(a), 0.02, std::sin(a)});
        const Colour below = environment({std::cos(a), -0.02, std::sin(a)});
        const Colour sea = environment({std::cos(a), -0.6, std::sin(a)});
        EXPECT_GT(horizon.r + horizon.g + horizon.b, clearOverhead + 100);
        EXPECT_LT(difference(horizon, below), 12.0) << "a step at the horizon, azimuth " << k;
        EXPECT_LT(sea.r + sea.g + sea.b, horizon.r + horizon.g + horizon.b - 200);
    }
}

// Across every edge of every face the picture goes on: each edge texel is
// compared with the texel a lookup finds just over the edge.
TEST_F(AssetFiles, FacesJoinWithoutSeams) {
    double total = 0.0;
    int pairs = 0;
    for (int face = 0; face < cubeFaceCount; ++face) {
        for (int k = 0; k < faceSize; ++k) {
            const int edges[4][2] = {{0, k}, {faceSize - 1, k}, {k, 0}, {k, faceSize - 1}};
            for (const auto& edge : edges) {
                float d[3];
                normalizeCubeDirection(face, faceSize, edge[0], edge[1], d);
                // Push the direction outward along the face's plane by a texel.
                const double grow = 1.0 + 2.0 / faceSize;
                double over[3] = {d[0] * grow, d[1] * grow, d[2] * grow};
                for (int c = 0; c < 3; ++c)
                    if (std::fabs(d[c]) == faceSize / 2)
                        over[c] = d[c];
                const CubeTexel neighbour = cubeTexelFor(over, faceSize);
                if (neighbour.face == face)
                    continue;
                const double step =
                    difference(colourAt(faces[face]->pixels, faceSize, edge[0], edge[1]),
                               colourAt(faces[neighbour.face]->pixels, faceSize, neighbour.column,
                                        neighbour.row));
                EXPECT_LT(step, 60.0) << "face " << face << " texel " << edge[0] << "," << edge[1];
                total += step;
                ++pairs;
            }
        }
    }
    EXPECT_GT(pairs, 6 * 4 * (faceSize - 2));
    EXPECT_LT(total / pairs, 4.0);
}

// The sun stands where the water's highlight comes from: toward the shader's
// light as seen from the shader's eye. Its disc is the only pure white.
TEST_F(AssetFiles, SunTowardTheShaderLight) {
    double centre[3] = {0.0, 0.0, 0.0};
    int discTexels = 0;
    for (int face = 0; face < cubeFaceCount; ++face) {
        for (int row = 0; row < faceSize; ++row) {
            for (int column = 0; column < faceSize; ++column) {
                const Colour c = colourAt(faces[face]->pixels, faceSize, column, row);
                if (c.r + c.g + c.b < 3 * 254.0)
                    continue;
                float d[3];
                normalizeCubeDirection(face, faceSize, column, row, d);
                normalizeVector3f(d);
                for (int k = 0; k < 3; ++k)
                    centre[k] += d[k];
                ++discTexels;
            }
        }
    }
    ASSERT_GT(discTexels, 0);
    // The eye of the start view, whatever view another test left behind.
    computeViewValues(127.0, 127.0, 40.0f);
    double light[3];
    for (int k = 0; k < 3; ++k)
        light[k] = shaderLightPosition[k] - shaderEyePosition[k];
    const double cosine =
        (centre[0] * light[0] + centre[1] * light[1] + centre[2] * light[2]) /
        std::sqrt(centre[0] * centre[0] + centre[1] * centre[1] + centre[2] * centre[2]) /
        std::sqrt(light[0] * light[0] + light[1] * light[1] + light[2] * light[2]);
    EXPECT_GT(cosine, std::cos(1.0 * M_PI / 180.0));
    EXPECT_LT(discTexels, 200); // a disc, not a white sky
}

// The dome's picture: columns from the zenith to the horizon at 7/8 of the
// width, rows once around, and the same sky as the environment faces.
TEST_F(AssetFiles, DomePictureJoinsAndMatchesTheEnvironment) {
    unsigned char* sky = loadJpegImage((directory / skyImageFile).c_str());
    ASSERT_NE(sky, nullptr);
    EXPECT_EQ(jpegRowBytes, 512 * 3);
    const int width = jpegRowBytes / 3;
    const int height = jpegImageHeight;
    double seam = 0.0, neighbours = 0.0;
    for (int column = 0; column < width; ++column) {
        seam +=
            difference(colourAt(sky, width, column, 0), colourAt(sky, width, column, height - 1));
        neighbours += difference(colourAt(sky, width, column, 0), colourAt(sky, width, column, 1));
    }
    EXPECT_LT(seam, 2.0 * neighbours + width);
    double mismatch = 0.0;
    int samples = 0;
    for (int row = 8; row < height; row += 16) {
        for (int column = 8; column < width * 7 / 8; column += 16) {
            const double polar = (column + 0.5) / width * 8.0 / 7.0 * M_PI / 2.0;
            const double azimuth = (row + 0.5) / height * 2.0 * M_PI;
            // World (x, y, z), z up, seen in the y-up frame as (x, z, -y).
            const double world[3] = {std::sin(polar) * std::cos(azimuth),
                                     std::sin(polar) * std::sin(azimuth), std::cos(polar)};
            mismatch += difference(colourAt(sky, width, column, row),
                                   environment({world[0], world[2], -world[1]}));
            ++samples;
        }
    }
    EXPECT_LT(mismatch / samples, 12.0);
    std::free(sky);
}

TEST_F(AssetFiles, SandyBottom) {
    unsigned char* bottom = loadJpegImage((directory / bottomImageFile).c_str());
    ASSERT_NE(bottom, nullptr);
    EXPECT_EQ(jpegRowBytes, 256 * 3);
    EXPECT_EQ(jpegImageHeight, 256);
    Colour mean = {0, 0, 0};
    for (int i = 0; i < 256 * 256; ++i) {
        mean.r += bottom[i * 3] / 65536.0;
        mean.g += bottom[i * 3 + 1] / 65536.0;
        mean.b += bottom[i * 3 + 2] / 65536.0;
    }
    EXPECT_GT(mean.r, mean.g);
    EXPECT_GT(mean.g, mean.b + 20);
    std::free(bottom);
}

// The same files every time, so that the run folder and the reference
// pictures drawn from it do not depend on the build.
TEST_F(AssetFiles, Deterministic) {
    const fs::path again = directory / "again";
    ASSERT_EQ(runMakeAssets(again), 0);
    std::vector<std::string> names(std::begin(environmentFaceFiles),
                                   std::end(environmentFaceFiles));
    names.push_back(skyImageFile);
    names.push_back(bottomImageFile);
    for (const std::string& name : names)
        EXPECT_EQ(fileBytes(directory / name), fileBytes(again / name)) << name;
}

} // namespace
