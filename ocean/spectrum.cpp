// The random initial sea: a Phillips spectrum with short-wave damping,
// scaled by one Gaussian pair per cell of the frequency grid.
#include <cmath>

#include "ocean/ocean_state.h"

namespace {

// Wave number per index step: 2 pi over the patch length.
void storeWaveVector(int i, int j) {
    WaveVector& v = waveVectors[i][j];
    v.kx = (static_cast<double>(i) - static_cast<double>(centreIndex)) * 2.0 * pi / patchLength;
    v.ky = (static_cast<double>(j) - static_cast<double>(centreIndex)) * 2.0 * pi / patchLength;
    v.kSquared = v.kx * v.kx + v.ky * v.ky;
    v.kLength = std::sqrt(v.kSquared);
}

} // namespace

// The squared cosine to the wind gives waves running against the wind the same
// energy as those running with it, and none to waves across it.
double waveSpectrum(double amplitude, const double (&k)[2], const double (&wind)[2]) {
    double k2 = k[0] * k[0] + k[1] * k[1];
    if (k2 == 0.0)
        return 0.0;
    double w2 = wind[0] * wind[0] + wind[1] * wind[1];
    double largestWave = w2 / gravity;
    double kDotWind = k[0] * wind[0] + k[1] * wind[1];
    return amplitude * std::exp(-1.0 / (k2 * largestWave * largestWave)) / (k2 * k2) * kDotWind *
           kDotWind / (k2 * w2) * std::exp(-std::sqrt(k2) * dampingLength);
}

// Both ends are reachable: 0 gives 0.0 and randomMaximum gives 1.0.
double uniformRandom() {
    return nextRandom() / static_cast<double>(randomMaximum);
}

// Polar rejection. w is never 0: 2 r / 32767 - 1 is never 0 for an integer r.
void gaussianPair(double (&out)[2]) {
    double x1 = 0.0;
    double x2 = 0.0;
    double w = 0.0;
    do {
        x1 = 2.0 * uniformRandom() - 1.0;
        x2 = 2.0 * uniformRandom() - 1.0;
        w = x1 * x1 + x2 * x2;
    } while (w >= 1.0);
    double f = std::sqrt((-2.0 * std::log(w)) / w);
    out[0] = x1 * f;
    out[1] = x2 * f;
}

// One pair is drawn for every cell, in row-major order, including the cells
// whose energy is zero, so a seed fixes the whole sea.
void initWaveSpectrum() {
    const double wind[2] = {windVelocityX, windVelocityY};
    initWaveSpectrum(wind);
}

void initWaveSpectrum(const double (&wind)[2]) {
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            storeWaveVector(i, j);
            double g[2];
            gaussianPair(g);
            const double k[2] = {waveVectors[i][j].kx, waveVectors[i][j].ky};
            double s = std::sqrt(waveSpectrum(waveAmplitude, k, wind));
            initialSpectrum[i][j].re = (1.0 / std::sqrt(2.0)) * g[0] * s;
            initialSpectrum[i][j].im = (1.0 / std::sqrt(2.0)) * g[1] * s;
        }
    }
}
