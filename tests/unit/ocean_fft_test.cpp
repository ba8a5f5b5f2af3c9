#include <cmath>
#include <complex>
#include <fftw3.h>
#include <gtest/gtest.h>
#include <random>
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

// FFTW's unscaled transform of the whole 64 x 64 array in the given sign.
std::vector<Cx> fftwReference(const Complex (&data)[gridSize][gridSize], int sign) {
    const int n = gridSize * gridSize;
    fftw_complex* in = fftw_alloc_complex(n);
    fftw_complex* out = fftw_alloc_complex(n);
    fftw_plan plan = fftw_plan_dft_2d(gridSize, gridSize, in, out, sign, FFTW_ESTIMATE);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            in[i * gridSize + j][0] = data[i][j].re;
            in[i * gridSize + j][1] = data[i][j].im;
        }
    fftw_execute(plan);
    std::vector<Cx> result(n);
    for (int e = 0; e < n; ++e)
        result[e] = Cx(out[e][0], out[e][1]);
    fftw_destroy_plan(plan);
    fftw_free(in);
    fftw_free(out);
    return result;
}

// Largest element error relative to the largest reference magnitude.
double relativeError(const Complex (&data)[gridSize][gridSize], const std::vector<Cx>& reference,
                     double scale) {
    double worst = 0.0;
    double largest = 0.0;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            Cx expected = reference[i * gridSize + j] * scale;
            worst = std::max(worst, std::abs(Cx(data[i][j].re, data[i][j].im) - expected));
            largest = std::max(largest, std::abs(expected));
        }
    return worst / largest;
}

void expectUnchanged(const Complex (&a)[gridSize][gridSize],
                     const Complex (&b)[gridSize][gridSize]) {
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            ASSERT_EQ(a[i][j].re, b[i][j].re) << i << "," << j;
            ASSERT_EQ(a[i][j].im, b[i][j].im) << i << "," << j;
        }
}

void copyField(const Complex (&from)[gridSize][gridSize], Complex (&to)[gridSize][gridSize]) {
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            to[i][j] = from[i][j];
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
            EXPECT_EQ(fft1D(direction, m, re.data(), im.data()), 1);
            std::vector<Cx> expected = directDft(input, direction == 1);
            for (int k = 0; k < n; ++k) {
                EXPECT_NEAR(re[k], expected[k].real(), 1e-12) << "m " << m << " k " << k;
                EXPECT_NEAR(im[k], expected[k].imag(), 1e-12) << "m " << m << " k " << k;
            }
        }
    }
}

TEST(Fft2D, InverseMatchesFftw) {
    fillRandom(field, 11);
    std::vector<Cx> reference = fftwReference(field, FFTW_BACKWARD);
    ASSERT_TRUE(fft2D(field, gridSize, gridSize, -1));
    EXPECT_LT(relativeError(field, reference, 1.0), 1e-9);
}

// Our forward transform divides by the length in each pass; FFTW's does not.
TEST(Fft2D, ForwardMatchesScaledFftw) {
    fillRandom(field, 12);
    std::vector<Cx> reference = fftwReference(field, FFTW_FORWARD);
    ASSERT_TRUE(fft2D(field, gridSize, gridSize, 1));
    EXPECT_LT(relativeError(field, reference, 1.0 / (gridSize * gridSize)), 1e-9);
}

TEST(Fft2D, ForwardThenInverseRestoresTheData) {
    fillRandom(field, 13);
    copyField(field, saved);
    ASSERT_TRUE(fft2D(field, gridSize, gridSize, 1));
    ASSERT_TRUE(fft2D(field, gridSize, gridSize, -1));
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            EXPECT_NEAR(field[i][j].re, saved[i][j].re, 1e-13);
            EXPECT_NEAR(field[i][j].im, saved[i][j].im, 1e-13);
        }
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
    const int nx = 8;
    const int ny = 16;
    fillRandom(field, 15);
    copyField(field, saved);
    ASSERT_TRUE(fft2D(field, nx, ny, -1));
    for (int p = 0; p < gridSize; ++p)
        for (int q = 0; q < gridSize; ++q) {
            if (p >= nx || q >= ny) {
                ASSERT_EQ(field[p][q].re, saved[p][q].re);
                ASSERT_EQ(field[p][q].im, saved[p][q].im);
                continue;
            }
            Cx sum = 0.0;
            for (int a = 0; a < nx; ++a)
                for (int b = 0; b < ny; ++b)
                    sum += Cx(saved[a][b].re, saved[a][b].im) *
                           std::polar(1.0, 2.0 * pi * (double(a * p) / nx + double(b * q) / ny));
            EXPECT_NEAR(field[p][q].re, sum.real(), 1e-12);
            EXPECT_NEAR(field[p][q].im, sum.imag(), 1e-12);
        }
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

TEST(Fft2D, RowsLongerThanTheOperandAreRefused) {
    fillRandom(field, 18);
    copyField(field, saved);
    EXPECT_FALSE(fft2D(field, 4, 128, -1));
    expectUnchanged(field, saved);
}

} // namespace
