// One coefficient followed from the wind to the heights, and what the
// viewer's pairing predicts for the whole sea: the calm stripes' profile
// worked out from the initial spectrum alone, beside the measured one.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

// The cell followed: against the wind, three steps along the diagonal. The
// step computes it and mirrors it into (34, 34), the strongest cell along
// the wind.
constexpr int followedStep = -3;

// The heights of the cells holding a value alone, through the viewer's
// transform and checker sign.
FieldSummary loneHeights(Complex (&field)[gridSize][gridSize]) {
    fft2D(field, gridSize, gridSize, -1);
    static double heights[gridSize][gridSize];
    for (int p = 0; p < gridSize; ++p)
        for (int q = 0; q < gridSize; ++q)
            heights[p][q] = checkerSign(p + q) * field[p][q].re;
    return summarise(heights);
}

void quoteCell(FigureOutput& out, const std::string& name, int i, int j) {
    quoteValue(out, name + "_i", i);
    quoteValue(out, name + "_j", j);
    quoteValue(out, name + "_kx", waveVectors[i][j].kx);
    quoteValue(out, name + "_wavelength", 2.0 * pi / waveVectors[i][j].kLength);
    quoteValue(out, name + "_expected_energy", expectedEnergy(i, j));
    quoteValue(out, name + "_h0_re", initialSpectrum[i][j].re);
    quoteValue(out, name + "_h0_im", initialSpectrum[i][j].im);
}

} // namespace

void writeFollowedCellNumbers(FigureOutput& out) {
    const int i = centreIndex + followedStep;
    const int mi = gridSize - 1 - i;
    quoteCell(out, "followed", i, i);
    quoteCell(out, "followed_partner", mi, mi);
    const double omega = angularFrequency(waveVectors[i][i]);
    const Complex h =
        evolvedCoefficient(initialSpectrum[i][i], initialSpectrum[mi][mi], omega, fixedSeaWaveTime);
    quoteValue(out, "followed_omega", omega);
    quoteValue(out, "followed_phase", omega * fixedSeaWaveTime);
    quoteValue(out, "followed_evolved_re", h.re);
    quoteValue(out, "followed_evolved_im", h.im);
    quoteValue(out, "followed_evolved_modulus", std::sqrt(energyOf(h)));

    // The viewer's own step must hold the same value and its exchanged copy.
    evolveSpectrum(fixedSeaWaveTime);
    quoteValue(out, "followed_step_difference",
               std::hypot(heightField[i][i].re - h.re, heightField[i][i].im - h.im) +
                   std::hypot(heightField[mi][mi].re - h.im, heightField[mi][mi].im - h.re));

    static Complex lone[gridSize][gridSize];
    clearField(lone);
    lone[i][i] = h;
    const double rms = std::sqrt(loneHeights(lone).sumSquares / (gridSize * gridSize));
    quoteValue(out, "followed_lone_rms_times_root_two_over_modulus",
               rms * std::sqrt(2.0) / std::sqrt(energyOf(h)));
    clearField(lone);
    lone[i][i] = h;
    lone[mi][mi] = Complex{h.im, h.re};
    const FieldSummary pair = loneHeights(lone);
    quoteValue(out, "followed_pair_height_max",
               std::fmax(std::fabs(pair.lowest), std::fabs(pair.highest)));
}

// The time average of the drawn heights' variance, worked out from the
// drawn initial spectrum: a mirrored pair with initial coefficients A and B
// gives (|A|^2 + |B|^2)(1 + sin b), b the phase of Delta across the tile,
// an unmirrored cell (|A|^2 + |B|^2) / 2 everywhere, a textbook pair
// 2 (|A|^2 + |B|^2).
void writeCalmStripePrediction(FigureOutput& out) {
    double pairs = 0.0;
    double unmirrored = 0.0;
    for (int i = 0; i <= centreIndex; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const double both = energyOf(initialSpectrum[i][j]) +
                                energyOf(initialSpectrum[gridSize - 1 - i][gridSize - 1 - j]);
            if (mirrored(i))
                pairs += both;
            else
                unmirrored += both / 2.0;
        }
    }
    const double all = drawnSpectrumEnergy();

    NumbersFile file = numbersFile("calm-stripes-predicted.dat",
                                   "n = i + j, distance along the wind, predicted variance of the "
                                   "viewer's heights, and of the imaginary part");
    const double delta = 2.0 * pi / patchLength;
    for (int n = 0; n < diagonalCount; ++n) {
        const double beta = delta * n * latticeSpacing;
        addRow(file, {static_cast<double>(n), alongWind(n * latticeSpacing, 0.0),
                      pairs * (1.0 + std::sin(beta)) + unmirrored,
                      pairs * (1.0 - std::sin(beta)) + unmirrored});
    }
    saveNumbers(out, file);
    quoteValue(out, "predicted_drawn_variance", pairs + unmirrored);
    quoteValue(out, "predicted_textbook_variance", 2.0 * all);
    quoteValue(out, "predicted_drawn_over_textbook", (pairs + unmirrored) / (2.0 * all));
    quoteValue(out, "predicted_calm_over_mean", unmirrored / (pairs + unmirrored));
}
