// The calm stripes with the wind turned: the same speed of wind blowing
// along +x instead of the diagonal, the initial spectrum drawn from the
// fixed seed through the viewer's own spectrum and random source, and the
// height variance measured over many wave times through the viewer's own
// step. The stripes keep their direction: the pairing's indexing, not the
// wind, sets it.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

constexpr int sampleCount = 300;
constexpr double sampleInterval = 0.37;
// The calm lines x + y = 96 and 224 of a tile are the lattice's i + j = 48
// and 112.
constexpr int calmDiagonals[] = {48, 112};

// The heights' variance at every lattice point over the samples, divided by
// its mean over the tile.
void measureVariance(double (&variance)[gridSize][gridSize]) {
    static double sum[gridSize][gridSize];
    static double sumSquares[gridSize][gridSize];
    for (int n = 0; n < sampleCount; ++n) {
        simulationStep(fixedSeaWaveTime - n * sampleInterval);
        for (int i = 0; i < gridSize; ++i)
            for (int j = 0; j < gridSize; ++j) {
                const double h = latticeHeight(i, j);
                sum[i][j] += h;
                sumSquares[i][j] += h * h;
            }
    }
    double total = 0.0;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j) {
            const double mean = sum[i][j] / sampleCount;
            variance[i][j] = sumSquares[i][j] / sampleCount - mean * mean;
            total += variance[i][j];
        }
    for (auto& row : variance)
        for (double& v : row)
            v /= total / (gridSize * gridSize);
}

double meanOnCalmLines(const double (&variance)[gridSize][gridSize]) {
    double sum = 0.0;
    int count = 0;
    for (int i = 0; i < gridSize; ++i)
        for (int diagonal : calmDiagonals) {
            const int j = diagonal - i;
            if (j >= 0 && j < gridSize) {
                sum += variance[i][j];
                ++count;
            }
        }
    return sum / count;
}

} // namespace

void writeTurnedWindNumbers(FigureOutput& out) {
    const double speed = std::hypot(windVelocityX, windVelocityY);
    const double wind[2] = {speed, 0.0};
    seedRandom(fixedSeaSeed);
    initWaveSpectrum(wind);
    saveLogEnergy(out, "turned-spectrum.dat",
                  "log10 |h0(k)|^2 with the wind along +x; matrix, line i", initialSpectrum);
    static double variance[gridSize][gridSize];
    measureVariance(variance);
    saveMatrix(out, "turned-variance.dat",
               "height variance over its mean, wind along +x; matrix, line i", variance);
    quoteValue(out, "turned_wind_speed", speed);
    quoteValue(out, "turned_samples", sampleCount);
    quoteValue(out, "turned_calm_variance", meanOnCalmLines(variance));
    // The fixed sea's own spectrum again, for whatever is drawn next.
    seedRandom(fixedSeaSeed);
    initWaveSpectrum();
}
