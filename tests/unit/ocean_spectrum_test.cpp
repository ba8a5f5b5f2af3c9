#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

#include "ocean/ocean_state.h"

namespace {

const double wind[2] = {windVelocityX, windVelocityY};

double cellEnergy(int i, int j) {
    const double k[2] = {waveVectors[i][j].kx, waveVectors[i][j].ky};
    return waveSpectrum(waveAmplitude, k, wind);
}

// A value as the tables print it: seven significant digits.
std::string printed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6e", value);
    return text;
}

// The first seed at or after `from` whose first draw is `wanted`.
unsigned seedDrawingFirst(int wanted, unsigned from) {
    for (unsigned seed = from;; ++seed) {
        seedRandom(seed);
        if (nextRandom() == wanted)
            return seed;
    }
}

class SpectrumTable : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        seedRandom(1234u);
        initWaveSpectrum();
    }
};

TEST_F(SpectrumTable, WaveVectorsSpanTheCentredGrid) {
    EXPECT_NEAR(waveVectors[0][0].kx, -pi / 2.0, 1e-15);
    EXPECT_NEAR(waveVectors[63][63].ky, 31.0 * 2.0 * pi / 128.0, 1e-15);
    EXPECT_NEAR(waveVectors[33][32].kx - waveVectors[32][32].kx, 0.0490873852, 1e-10);
    EXPECT_EQ(waveVectors[32][32].kLength, 0.0);
    EXPECT_NEAR(waveVectors[34][34].kLength, 0.1388401, 1e-7);
    EXPECT_NEAR(waveVectors[0][0].kLength, 2.2214415, 1e-7);
}

TEST_F(SpectrumTable, TelltaleCellsToPrintedPrecision) {
    struct Row {
        int i;
        int j;
        const char* energy;
        const char* amplitude;
    };
    const Row rows[] = {
        {33, 32, "7.563626e-06", "1.944688e-03"}, {34, 34, "2.543703e-01", "3.566303e-01"},
        {36, 36, "6.187267e-02", "1.758873e-01"}, {40, 40, "4.259870e-03", "4.615122e-02"},
        {48, 48, "1.677797e-04", "9.159142e-03"}, {32, 40, "8.848407e-03", "6.651469e-02"},
        {40, 24, "0.000000e+00", "0.000000e+00"}};
    for (const Row& r : rows) {
        double p = cellEnergy(r.i, r.j);
        EXPECT_EQ(printed(p), r.energy) << r.i << "," << r.j;
        EXPECT_EQ(printed(std::sqrt(p) / std::sqrt(2.0)), r.amplitude) << r.i << "," << r.j;
    }
    EXPECT_EQ(printed(cellEnergy(0, 0)), "3.535110e-06");
}

TEST_F(SpectrumTable, NoEnergyAcrossTheWindNorAtTheCentre) {
    EXPECT_EQ(cellEnergy(32, 32), 0.0);
    EXPECT_EQ(initialSpectrum[32][32].re, 0.0);
    EXPECT_EQ(initialSpectrum[32][32].im, 0.0);
    for (int i = 1; i < gridSize; ++i) {
        int j = 64 - i;
        EXPECT_NEAR(cellEnergy(i, j), 0.0, 1e-30) << i;
        EXPECT_NEAR(initialSpectrum[i][j].re, 0.0, 1e-15) << i;
        EXPECT_NEAR(initialSpectrum[i][j].im, 0.0, 1e-15) << i;
    }
}

TEST_F(SpectrumTable, OppositeWaveVectorsCarryTheSameEnergy) {
    for (int i = 1; i < gridSize; ++i)
        for (int j = 1; j < gridSize; ++j)
            EXPECT_DOUBLE_EQ(cellEnergy(i, j), cellEnergy(64 - i, 64 - j)) << i << "," << j;
}

TEST_F(SpectrumTable, StrongestAlongAndAgainstTheWindTwoCellsOut) {
    double strongest = 0.0;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            strongest = std::max(strongest, cellEnergy(i, j));
    EXPECT_EQ(cellEnergy(34, 34), strongest);
    EXPECT_EQ(cellEnergy(30, 30), strongest);
}

// One pair per cell, row-major, including the zero-energy cells.
TEST(InitWaveSpectrum, DrawsOnePairPerCellInRowMajorOrder) {
    seedRandom(99u);
    initWaveSpectrum();
    seedRandom(99u);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            double g[2];
            gaussianPair(g);
            double scale = std::sqrt(cellEnergy(i, j)) / std::sqrt(2.0);
            ASSERT_NEAR(initialSpectrum[i][j].re, g[0] * scale, 1e-15) << i << "," << j;
            ASSERT_NEAR(initialSpectrum[i][j].im, g[1] * scale, 1e-15) << i << "," << j;
        }
}

// The published sequence of the C standard's sample generator for seed 1.
TEST(RandomSource, FixedSeedGivesTheKnownSequence) {
    const int expected[] = {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086};
    seedRandom(1u);
    for (int value : expected)
        EXPECT_EQ(nextRandom(), value);
    seedRandom(1u);
    EXPECT_EQ(nextRandom(), expected[0]);
}

TEST(RandomSource, UniformRandomReachesBothEnds) {
    seedRandom(seedDrawingFirst(0, 0u));
    EXPECT_EQ(uniformRandom(), 0.0);
    seedRandom(seedDrawingFirst(randomMaximum, 0u));
    EXPECT_EQ(uniformRandom(), 1.0);
}

// A first draw of 0 puts x1 at -1, so w >= 1 and the candidate is rejected:
// the pair comes from the next two draws.
TEST(GaussianPair, RejectsCandidatesOutsideTheUnitCircle) {
    unsigned seed = seedDrawingFirst(0, 0u);
    seedRandom(seed);
    nextRandom();
    nextRandom();
    double x1 = 2.0 * uniformRandom() - 1.0;
    double x2 = 2.0 * uniformRandom() - 1.0;
    double w = x1 * x1 + x2 * x2;
    ASSERT_LT(w, 1.0) << "pick another seed: the second candidate is rejected too";
    double f = std::sqrt(-2.0 * std::log(w) / w);
    seedRandom(seed);
    double g[2];
    gaussianPair(g);
    EXPECT_DOUBLE_EQ(g[0], x1 * f);
    EXPECT_DOUBLE_EQ(g[1], x2 * f);
}

} // namespace
