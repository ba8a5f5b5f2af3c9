// The textbook companion against theory: real heights, the spectrum's
// variance, a single wave at its phase speed with its displacement and
// normals, no calm stripes, and the Phillips law down to the shortest wave.
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>

#include "tools/textbook/textbook.h"

namespace {

TextbookSpectrum h0;
TextbookSpectrum h;
TextbookSea sea;

void synthesise(double t) {
    textbookEvolve(h0, t, h);
    ASSERT_TRUE(textbookSynthesise(h, sea));
}

TEST(TextbookSea, HeightsAreRealAndLevelToRounding) {
    for (unsigned seed : {1u, 2u, 3u}) {
        textbookDraw(seed, h0);
        for (double t : {0.0, -7.25, 31.4}) {
            synthesise(t);
            double largest = 0.0, imaginary = 0.0, mean = 0.0;
            for (int p = 0; p < gridSize; ++p)
                for (int q = 0; q < gridSize; ++q) {
                    largest = std::fmax(largest, std::fabs(sea.height[p][q]));
                    imaginary = std::fmax(imaginary, std::fabs(sea.imaginary[p][q]));
                    mean += sea.height[p][q] / (gridSize * gridSize);
                }
            EXPECT_LT(imaginary, 1e-12 * largest) << "seed " << seed << ", t " << t;
            EXPECT_LT(std::fabs(mean), 1e-12 * largest) << "seed " << seed << ", t " << t;
        }
    }
}

// E |h(k, t)|^2 = P(k) + P(-k); a pair's energy 2 |h|^2 is exponential, so
// one draw's variance scatters by sqrt(8 sum P^2) about 2 sum P.
TEST(TextbookSea, MeanVarianceIsTheSpectrumsWithinSamplingError) {
    double expected = 0.0, scatter = 0.0;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            const double p = textbookSpectrum(textbookWaveVector(i, j));
            expected += 2.0 * p;
            scatter += 8.0 * p * p;
        }
    const unsigned seeds[] = {11u, 12u, 13u, 14u, 15u, 16u};
    double mean = 0.0;
    for (unsigned seed : seeds) {
        textbookDraw(seed, h0);
        synthesise(2.5);
        for (const auto& row : sea.height)
            for (double v : row)
                mean += v * v / (gridSize * gridSize * std::size(seeds));
    }
    EXPECT_NEAR(mean, expected, 3.0 * std::sqrt(scatter / std::size(seeds)));
}

// h0(k) alone makes cos(k.x + w t): after t = d / c the pattern has moved by
// d along -k, c = sqrt(g / |k|). Each cell's step (di, dj) lies along -k;
// the wave's crests reach 2 |h0| = 2.
TEST(TextbookSea, SingleWaveTravelsAtItsPhaseSpeedAlongMinusK) {
    struct Case {
        int i, j, di, dj;
    };
    for (const Case& c :
         {Case{36, 32, -1, 0}, Case{32, 28, 0, 1}, Case{35, 35, -1, -1}, Case{29, 29, 1, 1}}) {
        for (auto& row : h0)
            for (Cx& v : row)
                v = 0.0;
        h0[c.i][c.j] = Cx(0.6, -0.8);
        synthesise(0.0);
        // With h = 2 Re z, D = 2 Im z along k^ and the slope -|k| D: h^2 + D^2
        // is 4 |h0|^2 everywhere, and the normal leans by |k| D.
        const double k = std::abs(textbookWaveVector(c.i, c.j));
        for (int p = 0; p < gridSize; ++p)
            for (int q = 0; q < gridSize; ++q) {
                const double dx = (sea.position[p][q].x - p * latticeSpacing) / textbookChoppiness;
                const double dy = (sea.position[p][q].y - q * latticeSpacing) / textbookChoppiness;
                const Vector3d& n = sea.normal[p][q];
                ASSERT_NEAR(sea.height[p][q] * sea.height[p][q] + dx * dx + dy * dy, 4.0, 1e-9);
                ASSERT_NEAR(n.x / n.z, k * dx, 1e-9);
                ASSERT_NEAR(n.y / n.z, k * dy, 1e-9);
            }
        static TextbookSea before;
        before = sea;
        const double distance = latticeSpacing * std::hypot(c.di, c.dj);
        synthesise(distance / std::sqrt(gravity / k));
        double largest = 0.0, error = 0.0;
        for (int p = 0; p < gridSize; ++p)
            for (int q = 0; q < gridSize; ++q) {
                const double moved =
                    before
                        .height[(p - c.di + gridSize) % gridSize][(q - c.dj + gridSize) % gridSize];
                error = std::fmax(error, std::fabs(sea.height[p][q] - moved));
                largest = std::fmax(largest, std::fabs(sea.height[p][q]));
            }
        EXPECT_GT(largest, 1.9) << "cell " << c.i << ", " << c.j;
        EXPECT_LT(error, 1e-9) << "cell " << c.i << ", " << c.j;
    }
}

// The viewer's pairing leaves lines across the wind (constant i + j) calm;
// the textbook's gives every line about the tile's variance over time.
TEST(TextbookSea, NoCalmStripesAcrossTheWind) {
    double line[2 * gridSize] = {};
    for (unsigned seed : {21u, 22u, 23u, 24u}) {
        textbookDraw(seed, h0);
        for (int n = 0; n < 40; ++n) {
            synthesise(0.37 * n);
            for (int p = 0; p < gridSize; ++p)
                for (int q = 0; q < gridSize; ++q)
                    line[p + q] +=
                        sea.height[p][q] * sea.height[p][q] / (gridSize - std::abs(p + q - 63));
        }
    }
    double mean = 0.0;
    for (int n = 0; n < 2 * gridSize - 1; ++n)
        mean += line[n] * (gridSize - std::abs(n - 63)) / (gridSize * gridSize);
    // Lines of at least 32 points, so that each averages enough waves.
    for (int n = 31; n <= 95; ++n)
        EXPECT_GT(line[n] / mean, 0.6) << "line i + j = " << n;
}

// Well above the peak P(k) k^4 levels off at A; the Gaussian cut-off, far
// below the lattice spacing, keeps the shortest wave within 5 % of it.
TEST(TextbookSea, ShortWavesFollowThePhillipsLaw) {
    const Cx middle = textbookWaveVector(48, 48);
    const Cx shortest = textbookWaveVector(63, 63);
    const double ratio = textbookSpectrum(shortest) * std::pow(std::abs(shortest), 4) /
                         (textbookSpectrum(middle) * std::pow(std::abs(middle), 4));
    EXPECT_NEAR(ratio, 1.0, 0.05);
}

} // namespace
