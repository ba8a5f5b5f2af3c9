#include <cmath>
#include <complex>
#include <gtest/gtest.h>
#include <random>
#include <utility>
#include <vector>

#include "ocean/ocean_state.h"

namespace {

using Cx = std::complex<double>;

Complex field[gridSize][gridSize];
Complex saved[gridSize][gridSize];

// The textbook sum: sign -1 with 1/n for the forward direction, +1 unscaled
// for the inverse.
std::vector<Cx> directDft(const std::vector<Cx>& v, bool forward) {
    const size_t n = v.size();
    std::vector<Cx> out(n);
    double sign = forward ? -1.0 : 1.0;
    for (size_t k = 0; k < n; ++k) {
        Cx sum = 0.0;
        for (size_t t = 0; t < n; ++t)
            sum += v[t] * std::polar(1.0, sign * 2.0 * pi * static_cast<double>(k * t % n) / n);
        out[k] = forward ? sum / static_cast<double>(n) : sum;
    }
    return out;
}

void fillRandom(Complex (&data)[gridSize][gridSize], unsigned seed) {
    std::mt19937 engine(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (auto& row : data)
        for (auto& c : row)
            c = Complex{value(engine), value(engine)};
}

void copyField(const Complex (&from)[gridSize][gridSize], Complex (&to)[gridSize][gridSize]) {
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            to[i][j] = from[i][j];
}

// The sum a two-dimensional transform of the nx x ny block of data stands
// for: sign +1 unscaled (inverse) or -1 divided by nx ny (forward).
Cx directSum2D(const Complex (&data)[gridSize][gridSize], int nx, int ny, int p, int q,
               bool forward) {
    const double sign = forward ? -1.0 : 1.0;
    std::vector<Cx> turnX(nx), turnY(ny);
    for (int a = 0; a < nx; ++a)
        turnX[a] = std::polar(1.0, sign * 2.0 * pi * double(a * p % nx) / nx);
    for (int b = 0; b < ny; ++b)
        turnY[b] = std::polar(1.0, sign * 2.0 * pi * double(b * q % ny) / ny);
    Cx sum = 0.0;
    for (int a = 0; a < nx; ++a)
        for (int b = 0; b < ny; ++b)
            sum += Cx(data[a][b].re, data[a][b].im) * turnX[a] * turnY[b];
    return forward ? sum / double(nx * ny) : sum;
}

// Every element of the block against its sum; the rest of the array as it was.
void expectDirectSums(int nx, int ny, bool forward, unsigned seed) {
    fillRandom(field, seed);
    copyField(field, saved);
    ASSERT_TRUE(fft2D(field, nx, ny, forward ? 1 : -1));
    for (int p = 0; p < gridSize; ++p)
        for (int q = 0; q < gridSize; ++q) {
            if (p >= nx || q >= ny) {
                ASSERT_EQ(field[p][q].re, saved[p][q].re);
                ASSERT_EQ(field[p][q].im, saved[p][q].im);
                continue;
            }
            Cx sum = directSum2D(saved, nx, ny, p, q, forward);
            ASSERT_NEAR(field[p][q].re, sum.real(), 1e-9) << p << "," << q;
            ASSERT_NEAR(field[p][q].im, sum.imag(), 1e-9) << p << "," << q;
        }
}

void expectUnchanged(const Complex (&a)[gridSize][gridSize],
                     const Complex (&b)[gridSize][gridSize]) {
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            ASSERT_EQ(a[i][j].re, b[i][j].re) << i << "," << j;
            ASSERT_EQ(a[i][j].im, b[i][j].im) << i << "," << j;
        }
}

TEST(CheckPowerOfTwo, AcceptsPowersOfTwoFromFourUpward) {
    struct Case {
        int n;
        bool accepted;
        int m;
        int twoToM;
    };
    const Case cases[] = {{0, false, 0, 1},  {1, false, 0, 1},  {2, false, 2, 4},
                          {3, false, 2, 4},  {4, true, 2, 4},   {48, false, 5, 32},
                          {64, true, 6, 64}, {65, false, 6, 64}};
    for (const Case& c : cases) {
        int m = -7;
        int twoToM = -7;
        EXPECT_EQ(checkPowerOfTwo(c.n, m, twoToM), c.accepted) << c.n;
        EXPECT_EQ(m, c.m) << c.n;
        EXPECT_EQ(twoToM, c.twoToM) << c.n;
    }
}

TEST(CheckPowerOfTwo, LargestLengthsDoNotOverflow) {
    int m = 0;
    int twoToM = 0;
    EXPECT_TRUE(checkPowerOfTwo(1 << 30, m, twoToM));
    EXPECT_EQ(m, 30);
    EXPECT_FALSE(checkPowerOfTwo(2147483647, m, twoToM));
    EXPECT_EQ(twoToM, 1 << 30);
    EXPECT_FALSE(checkPowerOfTwo(-64, m, twoToM));
    EXPECT_EQ(m, 0);
}

TEST(Fft1D, MatchesDirectDftForEveryLengthUpToSixtyFour) {
    std::mt19937 engine(7);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (int m = 0; m <= 6; ++m) {
        const int n = 1 << m;
        std::vector<Cx> input(n);
        for (Cx& c : input)
            c = Cx(value(engine), value(engine));
        for (int direction : {1, -1}) {
            std::vector<double> re(n), im(n);
            for (int t = 0; t < n; ++t) {
                re[t] = input[t].real();
                im[t] = input[t].imag();
            }
            fft1D(direction, m, re.data(), im.data());
            std::vector<Cx> expected = directDft(input, direction == 1);
            for (int k = 0; k < n; ++k) {
                EXPECT_NEAR(re[k], expected[k].real(), 1e-12) << "m " << m << " k " << k;
                EXPECT_NEAR(im[k], expected[k].imag(), 1e-12) << "m " << m << " k " << k;
            }
        }
    }
}

// The forward direction alone carries the scaling, in both passes.
TEST(Fft2D, MatchesTheDirectSumsInBothDirections) {
    expectDirectSums(gridSize, gridSize, false, 11);
    expectDirectSums(gridSize, gridSize, true, 12);
}

TEST(Fft2D, EveryDirectionButOneIsTheInverse) {
    Complex reference[gridSize][gridSize];
    fillRandom(reference, 14);
    ASSERT_TRUE(fft2D(reference, gridSize, gridSize, -1));
    for (int direction : {0, 2, -5}) {
        fillRandom(field, 14);
        ASSERT_TRUE(fft2D(field, gridSize, gridSize, direction));
        expectUnchanged(field, reference);
    }
}

TEST(Fft2D, SmallerExtentsTouchOnlyTheirBlock) {
    expectDirectSums(8, 16, false, 15);
}

TEST(Fft2D, RefusedFirstExtentLeavesTheDataAlone) {
    fillRandom(field, 16);
    copyField(field, saved);
    EXPECT_FALSE(fft2D(field, 48, gridSize, -1));
    expectUnchanged(field, saved);
}

// A refusal in the second pass comes after the first pass has run.
TEST(Fft2D, RefusedSecondExtentLeavesTheFirstPassApplied) {
    fillRandom(field, 17);
    copyField(field, saved);
    EXPECT_FALSE(fft2D(field, gridSize, 48, -1));
    for (int j = 0; j < 48; ++j) {
        double re[gridSize];
        double im[gridSize];
        for (int i = 0; i < gridSize; ++i) {
            re[i] = saved[i][j].re;
            im[i] = saved[i][j].im;
        }
        fft1D(-1, 6, re, im);
        for (int i = 0; i < gridSize; ++i) {
            ASSERT_EQ(field[i][j].re, re[i]);
            ASSERT_EQ(field[i][j].im, im[i]);
        }
    }
    for (int i = 0; i < gridSize; ++i)
        for (int j = 48; j < gridSize; ++j)
            ASSERT_EQ(field[i][j].re, saved[i][j].re);
}

// Either extent beyond the 64 x 64 operand would read and write past it.
TEST(Fft2D, ExtentsBeyondTheOperandAreRefused) {
    for (auto [nx, ny] : {std::pair{4, 128}, std::pair{128, 4}}) {
        fillRandom(field, 18);
        copyField(field, saved);
        EXPECT_FALSE(fft2D(field, nx, ny, -1)) << nx << " x " << ny;
        expectUnchanged(field, saved);
    }
}

} // namespace
