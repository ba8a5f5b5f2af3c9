// Radix-2 complex FFT over split real/imaginary arrays, and the 2-D transform
// of the simulation's 64-element rows built from it.
#include <cmath>
#include <cstddef>
#include <cstdlib>

#include "ocean/ocean_state.h"

namespace {

// 1 << 30 is the largest power of two an int holds; beyond it the length
// itself is not representable.
constexpr int largestStageCount = 30;

void bitReverse(int n, double* re, double* im) {
    int j = 0;
    for (int i = 0; i < n - 1; ++i) {
        if (i < j) {
            double tr = re[i];
            double ti = im[i];
            re[i] = re[j];
            im[i] = im[j];
            re[j] = tr;
            im[j] = ti;
        }
        int k = n / 2;
        while (k <= j) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
}

// Decimation in time. The twiddles come from the half-angle recurrence alone,
// starting at the angle pi (cos -1, sin 0), so no sine or cosine is evaluated.
void butterflies(int direction, int m, int n, double* re, double* im) {
    double cosA = -1.0;
    double sinA = 0.0;
    int l2 = 1;
    for (int stage = 0; stage < m; ++stage) {
        int l1 = l2;
        l2 *= 2;
        double u1 = 1.0;
        double u2 = 0.0;
        for (int j = 0; j < l1; ++j) {
            for (int i = j; i < n; i += l2) {
                int i1 = i + l1;
                double t1 = u1 * re[i1] - u2 * im[i1];
                double t2 = u1 * im[i1] + u2 * re[i1];
                re[i1] = re[i] - t1;
                im[i1] = im[i] - t2;
                re[i] = t1 + re[i];
                im[i] = t2 + im[i];
            }
            double z = u1 * cosA - u2 * sinA;
            u2 = u1 * sinA + u2 * cosA;
            u1 = z;
        }
        sinA = std::sqrt((1.0 - cosA) / 2.0);
        if (direction == 1)
            sinA = -sinA;
        cosA = std::sqrt((1.0 + cosA) / 2.0);
    }
}

bool obtainScratch(int n, double*& re, double*& im) {
    re = static_cast<double*>(std::malloc(static_cast<size_t>(n) * sizeof(double)));
    im = static_cast<double*>(std::malloc(static_cast<size_t>(n) * sizeof(double)));
    if (re != nullptr && im != nullptr)
        return true;
    std::free(re);
    std::free(im);
    return false;
}

// One pass: `lines` one-dimensional transforms of 2^m elements each, the
// elements of a line lying `elementStride` apart and the lines starting
// `lineStride` apart, through scratch taken for this pass only.
bool transformPass(Complex* first, int lines, int lineStride, int elementStride, int direction,
                   int m) {
    int n = 1 << m;
    double* re = nullptr;
    double* im = nullptr;
    if (!obtainScratch(n, re, im))
        return false;
    for (int line = 0; line < lines; ++line) {
        Complex* element = first + static_cast<ptrdiff_t>(line) * lineStride;
        for (int t = 0; t < n; ++t) {
            re[t] = element[t * elementStride].re;
            im[t] = element[t * elementStride].im;
        }
        fft1D(direction, m, re, im);
        for (int t = 0; t < n; ++t) {
            element[t * elementStride].re = re[t];
            element[t * elementStride].im = im[t];
        }
    }
    std::free(re);
    std::free(im);
    return true;
}

} // namespace

int fft1D(int direction, int m, double* re, double* im) {
    if (m <= 0 || m > largestStageCount)
        return 1;
    int n = 1 << m;
    bitReverse(n, re, im);
    butterflies(direction, m, n, re, im);
    if (direction == 1) {
        for (int i = 0; i < n; ++i) {
            re[i] /= static_cast<double>(n);
            im[i] /= static_cast<double>(n);
        }
    }
    return 1;
}

// Lengths 2 and 3 are refused as well as 0 and 1: the doubling always runs
// once, so the smallest accepted length is 4.
bool checkPowerOfTwo(int n, int& m, int& twoToM) {
    if (n <= 1) {
        m = 0;
        twoToM = 1;
        return false;
    }
    m = 1;
    twoToM = 2;
    do {
        ++m;
        twoToM *= 2;
    } while (twoToM <= n / 2); // 2 x twoToM <= n without overflowing int
    return twoToM == n;
}

// A refused length fails before its pass takes scratch. An extent beyond the
// operand's 64 rows or 64-element rows is refused before anything is touched:
// a pass would otherwise read and write past the end of the array.
bool fft2D(Complex (&data)[gridSize][gridSize], int nx, int ny, int direction) {
    if (nx > gridSize || ny > gridSize)
        return false;
    // First pass along the first index: one column per second index j.
    int mx = 0;
    int twoToM = 0;
    if (!checkPowerOfTwo(nx, mx, twoToM) ||
        !transformPass(&data[0][0], ny, 1, gridSize, direction, mx))
        return false;
    // Second pass along the second index: one row per first index i.
    int my = 0;
    if (!checkPowerOfTwo(ny, my, twoToM))
        return false;
    return transformPass(&data[0][0], nx, gridSize, 1, direction, my);
}
