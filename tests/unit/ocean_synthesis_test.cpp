#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include "ocean/ocean_state.h"

namespace {

using Cx = std::complex<double>;

constexpr unsigned fixedSeed = 4242u;

Cx asCx(const Complex& c) {
    return Cx(c.re, c.im);
}

void drawFixedSea() {
    seedRandom(fixedSeed);
    initWaveSpectrum();
}

// h(k, t) = A e^(i w t) + conj(B) e^(-i w t), B the cell at 63 - i, 63 - j.
Cx evolvedDirectly(int i, int j, double t) {
    double omega = std::sqrt(gravity * waveVectors[i][j].kLength);
    Cx a = asCx(initialSpectrum[i][j]);
    Cx b = asCx(initialSpectrum[63 - i][63 - j]);
    return a * std::polar(1.0, omega * t) + std::conj(b) * std::polar(1.0, -omega * t);
}

// The patch's wave numbers and lattice, as the textbook has them: index a
// stands for the wave number 2 pi (a - 32) / 128, and lattice point p lies
// at 2 p. The viewer's choppiness, 0.29.
double waveNumber(int a) {
    return 2.0 * pi * (a - 32) / 128.0;
}
constexpr double lambda = 0.29;

// The textbook's sums at every lattice point x, term by term over the wave
// vectors k of the spectrum h: the height Re sum h e^(i k.x) and the
// displacement D = Re sum -i (k / |k|) h e^(i k.x), which moves the point to
// x - lambda D.
struct TextbookSurface {
    std::vector<double> height, dx, dy;
};

TextbookSurface sumTextbook(const std::vector<Cx>& h) {
    std::vector<Cx> phase(gridSize * gridSize); // e^(i k_a x_p), [a][p]
    for (int a = 0; a < gridSize; ++a)
        for (int p = 0; p < gridSize; ++p)
            phase[a * gridSize + p] = std::polar(1.0, waveNumber(a) * 2.0 * p);
    TextbookSurface s{std::vector<double>(gridSize * gridSize),
                      std::vector<double>(gridSize * gridSize),
                      std::vector<double>(gridSize * gridSize)};
    for (int p = 0; p < gridSize; ++p)
        for (int q = 0; q < gridSize; ++q) {
            Cx height, dx, dy;
            for (int a = 0; a < gridSize; ++a)
                for (int b = 0; b < gridSize; ++b) {
                    const double kx = waveNumber(a), ky = waveNumber(b);
                    const double k = std::hypot(kx, ky);
                    const Cx term =
                        h[a * gridSize + b] * phase[a * gridSize + p] * phase[b * gridSize + q];
                    height += term;
                    if (k > 0.0) {
                        dx += Cx(0.0, -kx / k) * term;
                        dy += Cx(0.0, -ky / k) * term;
                    }
                }
            s.height[p * gridSize + q] = height.real();
            s.dx[p * gridSize + q] = dx.real();
            s.dy[p * gridSize + q] = dy.real();
        }
    return s;
}

// The viewer's one departure in the displacement: it keeps, of each wave's
// term, the half even in x (h_i cos k.x, dropping h_r sin k.x), so its D at
// x is the mean of the textbook's D at x and at -x, which on the periodic
// lattice is point (-p mod 64, -q mod 64).
double evenPart(const std::vector<double>& d, int p, int q) {
    const int mirrored = ((gridSize - p) % gridSize) * gridSize + (gridSize - q) % gridSize;
    return 0.5 * (d[p * gridSize + q] + d[mirrored]);
}

void expectStepMatchesTextbookSums(double t) {
    drawFixedSea();
    evolveSpectrum(t);
    std::vector<Cx> h(gridSize * gridSize);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            h[i * gridSize + j] = asCx(heightField[i][j]);
    const TextbookSurface expected = sumTextbook(h);
    simulationStep(t);
    double largestHeight = 0.0, largestShift = 0.0;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            const double shiftX = -lambda * evenPart(expected.dx, i, j);
            const double shiftY = -lambda * evenPart(expected.dy, i, j);
            largestHeight = std::max(largestHeight, std::abs(heightField[i][j].re));
            largestShift = std::max({largestShift, std::abs(shiftX), std::abs(shiftY)});
            ASSERT_NEAR(heightField[i][j].re, expected.height[i * gridSize + j], 1e-10)
                << i << "," << j;
            ASSERT_NEAR(displacedPositions[i][j].x, 2.0 * i + shiftX, 1e-10) << i << "," << j;
            ASSERT_NEAR(displacedPositions[i][j].y, 2.0 * j + shiftY, 1e-10) << i << "," << j;
        }
    EXPECT_GT(largestHeight, 0.1) << "the fixed sea should not be flat";
    EXPECT_GT(largestShift, 0.1) << "the fixed sea should move its points";
}

TEST(EvolveSpectrum, LaterTimeFollowsTheDispersionRelation) {
    drawFixedSea();
    const double t = -7.3;
    evolveSpectrum(t);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            Cx direct = i <= 32 ? evolvedDirectly(i, j, t) : evolvedDirectly(63 - i, 63 - j, t);
            Cx expected = i <= 32 ? direct : Cx(direct.imag(), direct.real());
            ASSERT_NEAR(heightField[i][j].re, expected.real(), 1e-14) << i << "," << j;
            ASSERT_NEAR(heightField[i][j].im, expected.imag(), 1e-14) << i << "," << j;
        }
}

// Row 31 also writes into row 32 (63 - 31 = 32); row 32 is computed after it
// and keeps its own values.
TEST(EvolveSpectrum, RowThirtyTwoHoldsItsOwnValues) {
    drawFixedSea();
    const double t = -3.1;
    evolveSpectrum(t);
    int differing = 0;
    for (int j = 0; j < gridSize; ++j) {
        Cx own = evolvedDirectly(32, j, t);
        Cx fromRow31 = evolvedDirectly(31, 63 - j, t);
        EXPECT_NEAR(heightField[32][j].re, own.real(), 1e-14) << j;
        EXPECT_NEAR(heightField[32][j].im, own.imag(), 1e-14) << j;
        differing += std::abs(own - Cx(fromRow31.imag(), fromRow31.real())) > 1e-9 ? 1 : 0;
    }
    EXPECT_GT(differing, 0) << "the two candidates should differ on this sea";
}

TEST(EvolveSpectrum, CentreCellIsConstant) {
    drawFixedSea();
    for (double t : {0.0, -1.5, -100.25}) {
        evolveSpectrum(t);
        EXPECT_EQ(heightField[32][32].re, initialSpectrum[31][31].re) << t;
        EXPECT_EQ(heightField[32][32].im, -initialSpectrum[31][31].im) << t;
    }
}

TEST(SimulationStep, LaterTimeMatchesTheTextbookSums) {
    expectStepMatchesTextbookSums(-12.7);
}

// Nothing carries over from one step to the next.
TEST(SimulationStep, DependsOnlyOnTheTime) {
    drawFixedSea();
    simulationStep(-9.0);
    RenderGrid first = renderGrid;
    simulationStep(-0.5);
    simulationStep(-9.0);
    for (int i = 0; i < renderGridSize; ++i)
        for (int j = 0; j < renderGridSize; ++j) {
            ASSERT_EQ(renderGrid.positions[i][j].z, first.positions[i][j].z);
            ASSERT_EQ(renderGrid.positions[i][j].x, first.positions[i][j].x);
            ASSERT_EQ(renderGrid.normals[i][j].x, first.normals[i][j].x);
        }
}

// Blocks chained through their first bytes and kept here: blocks that
// nothing held could be optimised away with the requests that made them.
void* volatile heldBlocks = nullptr;

// No new address space, and the heap's free room used up, down to the chunks
// kept for reuse by size: the next request for memory fails, whatever its size.
// Unused where the sanitizer's allocator is in, which the test then skips.
[[maybe_unused]] void exhaustMemory() {
    rlimit cap{};
    getrlimit(RLIMIT_AS, &cap);
    cap.rlim_cur = 0;
    setrlimit(RLIMIT_AS, &cap);
    for (std::size_t bytes = std::size_t{1} << 20; bytes >= 8;
         bytes = bytes > 1024 ? bytes / 2 : bytes - 8)
        while (void* block = std::malloc(bytes)) {
            *static_cast<void**>(block) = heldBlocks;
            heldBlocks = block;
        }
}

// A displacement transform without scratch memory says so and ends with a
// failure status, not as if all had gone well. The allocation must fail
// inside the transform itself, so the check needs a plain build.
TEST(SimulationStepDeathTest, FailedDisplacementTransformEndsWithAFailure) {
#if defined(OCEAN_SANITIZED)
    GTEST_SKIP() << "the sanitizer's allocator reports the failed request itself";
#else
    drawFixedSea();
    auto transformWithoutMemory = [] {
        dup2(STDERR_FILENO, STDOUT_FILENO); // the line is on standard output
        evolveSpectrum(-3.0);
        exhaustMemory();
        computeDisplacement();
    };
    EXPECT_EXIT(transformWithoutMemory(), ::testing::ExitedWithCode(EXIT_FAILURE),
                "^false on DXFFT\n$");
#endif
}

} // namespace
