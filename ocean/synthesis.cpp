// One step of the sea: the initial spectrum evolved to wave time t, the
// displacement spectra taken from it, three inverse transforms, and the
// heights and displaced lattice positions they yield.
#include <cmath>
#include <cstdlib>
#include <iostream>

#include "ocean/ocean_state.h"

namespace {

Complex evolvedCell(int i, int j, double t) {
    return evolvedCoefficient(initialSpectrum[i][j],
                              initialSpectrum[gridSize - 1 - i][gridSize - 1 - j],
                              angularFrequency(waveVectors[i][j]), t);
}

void transformDisplacementOrExit(Complex (&displacement)[gridSize][gridSize],
                                 const char* failureText) {
    if (fft2D(displacement, gridSize, gridSize, -1))
        return;
    std::cout << failureText << std::endl;
    std::exit(EXIT_FAILURE);
}

} // namespace

// Deep-water dispersion: omega = sqrt(g |k|).
double angularFrequency(const WaveVector& v) {
    return std::sqrt(v.kLength * gravity);
}

// A e^(i omega t) + conj(B) e^(-i omega t)
Complex evolvedCoefficient(const Complex& a, const Complex& b, double omega, double t) {
    double phase = omega * t;
    double cosP = std::cos(phase);
    double sinP = std::sin(phase);
    Complex h;
    h.re = cosP * a.re - sinP * a.im + cosP * b.re - sinP * b.im;
    h.im = sinP * a.re + cosP * a.im - cosP * b.im - sinP * b.re;
    return h;
}

double checkerSign(int n) {
    return std::pow(-1.0, static_cast<double>(n));
}

// The partner cell is taken at 63 - i, 63 - j, and the mirrored cell receives
// the two parts exchanged rather than the conjugate: this is the sea the
// viewer has always drawn. Row 32 comes last, so it keeps its own values over
// the copy written into it from row 31.
void evolveSpectrum(double t) {
    for (int i = 0; i <= centreIndex; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            Complex h = evolvedCell(i, j, t);
            heightField[i][j] = h;
            if (i != centreIndex)
                heightField[gridSize - 1 - i][gridSize - 1 - j] = Complex{h.im, h.re};
        }
    }
}

namespace {

// Built from the imaginary part of h(k, t) while heightField still holds the
// spectrum; the zero wave number has no direction and gets no displacement.
void buildDisplacementSpectra() {
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const WaveVector& v = waveVectors[i][j];
            double len = v.kLength; // sqrt(kx^2 + ky^2), stored once at start-up
            if (len == 0.0) {
                displacementX[i][j] = Complex{0.0, 0.0};
                displacementY[i][j] = Complex{0.0, 0.0};
                continue;
            }
            displacementX[i][j] = Complex{0.0, (-v.kx / len) * heightField[i][j].im};
            displacementY[i][j] = Complex{0.0, (-v.ky / len) * heightField[i][j].im};
        }
    }
}

// The checker sign undoes the offset of the centred indexing; the real parts
// are scaled along with the imaginary ones although nothing reads them.
void scaleDisplacements() {
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            double factor = checkerSign(i + j) * choppiness;
            displacementX[i][j].re *= factor;
            displacementX[i][j].im *= factor;
            displacementY[i][j].re *= factor;
            displacementY[i][j].im *= factor;
        }
    }
}

} // namespace

// A displacement transform can fail only when its scratch memory cannot be
// obtained; the viewer then says so and ends with a failure status, so that
// whatever started it learns that it did not end well.
void computeDisplacement() {
    buildDisplacementSpectra();
    transformDisplacementOrExit(displacementX, "false on DXFFT");
    transformDisplacementOrExit(displacementY, "false on DYFFT");
    scaleDisplacements();
}

namespace {

// Only the real part is sign-corrected: the imaginary part is never read.
void correctHeightsAndPlacePoints() {
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            heightField[i][j].re = checkerSign(i + j) * heightField[i][j].re;
            displacedPositions[i][j].x =
                (i / static_cast<double>(gridSize)) * patchLength + displacementX[i][j].im;
            displacedPositions[i][j].y =
                (j / static_cast<double>(gridSize)) * patchLength + displacementY[i][j].im;
        }
    }
}

} // namespace

// The displacement spectra must be taken before the height transform
// overwrites the spectrum. A failed height transform goes unreported: the
// step carries on with whatever it left.
void synthesiseSurface() {
    computeDisplacement();
    fft2D(heightField, gridSize, gridSize, -1);
    correctHeightsAndPlacePoints();
    computeNormals(heightField);
    buildRenderGrid();
}

void simulationStep(double t) {
    evolveSpectrum(t);
    synthesiseSurface();
}
