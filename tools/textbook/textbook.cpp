// The textbook method, formula by formula, in the order the data flows.
#include "tools/textbook/textbook.h"

#include <cmath>

namespace {

const Cx i1(0.0, 1.0);

// The inverse transform of a centred spectrum: f(x) = sum over k of
// F(k) e^(i k.x) at every lattice point x = (2 p, 2 q). The index a stands
// for a - 32, which puts (-1)^(p + q) on every result.
bool inverseTransform(const TextbookSpectrum& spectrum, TextbookSpectrum& field) {
    static Complex work[gridSize][gridSize];
    for (int a = 0; a < gridSize; ++a)
        for (int b = 0; b < gridSize; ++b)
            work[a][b] = Complex{spectrum[a][b].real(), spectrum[a][b].imag()};
    if (!fft2D(work, gridSize, gridSize, -1))
        return false;
    for (int p = 0; p < gridSize; ++p)
        for (int q = 0; q < gridSize; ++q)
            field[p][q] = ((p + q) % 2 == 0 ? 1.0 : -1.0) * Cx(work[p][q].re, work[p][q].im);
    return true;
}

} // namespace

Cx textbookWaveVector(int i, int j) {
    const double step = 2.0 * pi / patchLength;
    return Cx((i - centreIndex) * step, (j - centreIndex) * step);
}

// -k of cell a - 32 is cell 32 - (a - 32) = 64 - a; the shortest wave,
// index 0, is its own partner.
int partnerIndex(int i) {
    return (gridSize - i) % gridSize;
}

// Phillips: A e^(-1/(kL)^2) / k^4 (k^ . w^)^2 e^(-k^2 l^2), L = V^2 / g.
double textbookSpectrum(Cx k) {
    const Cx wind(windVelocityX, windVelocityY);
    const double k2 = std::norm(k);
    if (k2 == 0.0)
        return 0.0;
    const double windLength = std::norm(wind) / gravity;
    const double cosine =
        (k.real() * wind.real() + k.imag() * wind.imag()) / (std::abs(k) * std::abs(wind));
    return waveAmplitude * std::exp(-1.0 / (k2 * windLength * windLength)) / (k2 * k2) * cosine *
           cosine * std::exp(-k2 * textbookCutOffLength * textbookCutOffLength);
}

// h0(k) = (xi1 + i xi2) / sqrt 2 sqrt P(k), xi1 and xi2 standard normal.
void textbookDraw(unsigned seed, TextbookSpectrum& h0) {
    seedRandom(seed);
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            double xi[2];
            gaussianPair(xi);
            h0[i][j] = Cx(xi[0], xi[1]) / std::sqrt(2.0) *
                       std::sqrt(textbookSpectrum(textbookWaveVector(i, j)));
        }
    }
}

// h(k, t) = h0(k) e^(i w t) + conj(h0(-k)) e^(-i w t), w = sqrt(g |k|):
// h(-k, t) is the conjugate of h(k, t), so the heights are real.
Cx textbookCoefficient(const TextbookSpectrum& h0, int i, int j, double t) {
    const double omega = std::sqrt(gravity * std::abs(textbookWaveVector(i, j)));
    const Cx partner = h0[partnerIndex(i)][partnerIndex(j)];
    return h0[i][j] * std::exp(i1 * omega * t) + std::conj(partner) * std::exp(-i1 * omega * t);
}

void textbookEvolve(const TextbookSpectrum& h0, double t, TextbookSpectrum& h) {
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            h[i][j] = textbookCoefficient(h0, i, j, t);
}

// Five sums over the wave vectors, each by one inverse transform: the
// heights h e^(i k.x), the displacement D = -i k^ h e^(i k.x) along x and y,
// and the slopes i k h e^(i k.x) along x and y. D and the slopes are the
// real parts of theirs: the shortest wave, index 0, has no sine.
struct TextbookSums {
    TextbookSpectrum height, dx, dy, slopeX, slopeY;
};

bool textbookSynthesise(const TextbookSpectrum& h, TextbookSea& sea) {
    static TextbookSums sums;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const Cx k = textbookWaveVector(i, j);
            const Cx unit = std::abs(k) == 0.0 ? Cx(0.0) : k / std::abs(k);
            sums.height[i][j] = h[i][j];
            sums.dx[i][j] = -i1 * unit.real() * h[i][j];
            sums.dy[i][j] = -i1 * unit.imag() * h[i][j];
            sums.slopeX[i][j] = i1 * k.real() * h[i][j];
            sums.slopeY[i][j] = i1 * k.imag() * h[i][j];
        }
    }
    for (TextbookSpectrum* s : {&sums.height, &sums.dx, &sums.dy, &sums.slopeX, &sums.slopeY})
        if (!inverseTransform(*s, *s))
            return false;
    for (int p = 0; p < gridSize; ++p) {
        for (int q = 0; q < gridSize; ++q) {
            sea.height[p][q] = sums.height[p][q].real();
            sea.imaginary[p][q] = sums.height[p][q].imag();
            // x + lambda D
            sea.position[p][q].x = p * latticeSpacing + textbookChoppiness * sums.dx[p][q].real();
            sea.position[p][q].y = q * latticeSpacing + textbookChoppiness * sums.dy[p][q].real();
            // (-dh/dx, -dh/dy, 1), made unit length
            const Vector3d n = {-sums.slopeX[p][q].real(), -sums.slopeY[p][q].real(), 1.0};
            const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
            sea.normal[p][q] = Vector3d{n.x / length, n.y / length, n.z / length};
        }
    }
    return true;
}
