// The wind's spectrum over the 64 x 64 wave vectors, and what the inverse
// transform makes of it: the checker sign, the heights and the imaginary
// part beside them.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

double wavelength(double waveNumber) {
    return 2.0 * pi / waveNumber;
}

void quoteWave(FigureOutput& out, const char* prefix, const WaveVector& v) {
    const std::string p = prefix;
    const double omega = angularFrequency(v);
    quoteValue(out, p + "_wave_number", v.kLength);
    quoteValue(out, p + "_wavelength", wavelength(v.kLength));
    quoteValue(out, p + "_period", 2.0 * pi / omega);
    quoteValue(out, p + "_phase_speed", omega / v.kLength);
}

// The shortest wave that carries energy, and the sums of the spectrum.
void quoteSpectrumTotals(FigureOutput& out) {
    WaveVector shortest = waveVectors[centreIndex][centreIndex];
    int silent = 0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const double p = expectedEnergy(i, j);
            silent += p == 0.0 ? 1 : 0;
            if (p > 0.0 && waveVectors[i][j].kLength > shortest.kLength)
                shortest = waveVectors[i][j];
        }
    }
    quoteWave(out, "shortest", shortest);
    quoteValue(out, "cells_without_energy", silent);
    quoteValue(out, "spectrum_drawn_energy", drawnSpectrumEnergy());
    quoteValue(out, "expected_height_variance", expectedHeightVariance());
}

// A single unit coefficient, through the viewer's transform both ways.
void quoteTransformScales(FigureOutput& out) {
    static Complex unit[gridSize][gridSize];
    for (auto direction : {-1, 1}) {
        clearField(unit);
        unit[centreIndex + 1][centreIndex] = Complex{1.0, 0.0};
        fft2D(unit, gridSize, gridSize, direction);
        quoteValue(out, direction == 1 ? "forward_transform_scale" : "inverse_transform_scale",
                   std::hypot(unit[0][0].re, unit[0][0].im));
    }
}

} // namespace

void writeSpectrumNumbers(FigureOutput& out) {
    NumbersFile file = numbersFile(
        "spectrum.dat", "kx ky |h0(k)|^2 expected|h0|^2, rad/unit; blocks of constant kx");
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            addRow(file, {waveVectors[i][j].kx, waveVectors[i][j].ky,
                          energyOf(initialSpectrum[i][j]), expectedEnergy(i, j)});
        }
        addBlankLine(file);
    }
    saveNumbers(out, file);

    const double windSpeed = std::hypot(windVelocityX, windVelocityY);
    quoteValue(out, "wind_speed", windSpeed);
    quoteValue(out, "wind_direction_degrees",
               std::atan2(windVelocityY, windVelocityX) * degreesPerRadian);
    quoteValue(out, "wind_unit_x", windVelocityX / windSpeed);
    quoteValue(out, "wind_unit_y", windVelocityY / windSpeed);
    // The wind's length scale: waves much longer than 2 pi L are cut, the
    // undamped spectrum peaks at |k| = 1 / (sqrt 2 L), and the damping
    // exp(-|k| l) is gentler than exp(-|k|^2 l^2) only below 2 pi l.
    const double windLength = windSpeed * windSpeed / gravity;
    quoteValue(out, "gravity", gravity);
    quoteValue(out, "wind_length_scale", windLength);
    quoteValue(out, "wind_cut_wavelength", 2.0 * pi * windLength);
    quoteValue(out, "undamped_peak_wave_number", 1.0 / (std::sqrt(2.0) * windLength));
    quoteValue(out, "damping_length", dampingLength);
    quoteValue(out, "damping_crossover_wavelength", 2.0 * pi * dampingLength);
    const Cell peak = strongestCell();
    const int againstI = (gridSize - peak.i) % gridSize;
    const int againstJ = (gridSize - peak.j) % gridSize;
    quoteValue(out, "peak_cell_i", peak.i);
    quoteValue(out, "peak_cell_j", peak.j);
    quoteWave(out, "peak", waveVectors[peak.i][peak.j]);
    quoteValue(out, "against_wind_energy_ratio",
               expectedEnergy(againstI, againstJ) / expectedEnergy(peak.i, peak.j));
    quoteSpectrumTotals(out);
    quoteValue(out, "lattice_wavelength_along_axis", 2.0 * latticeSpacing);
}

void writeTransformNumbers(FigureOutput& out) {
    quoteTransformScales(out);
    // The raw transform: the evolved spectrum through the viewer's inverse
    // transform, before the checker sign.
    static Complex raw[gridSize][gridSize];
    evolveSpectrum(fixedSeaWaveTime);
    double coefficientEnergy = 0.0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            raw[i][j] = heightField[i][j];
            coefficientEnergy += energyOf(raw[i][j]);
        }
    }
    fft2D(raw, gridSize, gridSize, -1);
    synthesiseFixedSea();

    static double rawReal[gridSize][gridSize];
    static double height[gridSize][gridSize];
    static double imaginary[gridSize][gridSize];
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            rawReal[i][j] = raw[i][j].re;
            height[i][j] = latticeHeight(i, j);
            imaginary[i][j] = latticeImaginary(i, j);
        }
    }
    const std::string layout = "; matrix, line i = lattice row i (x = 2 i), column j (y = 2 j)";
    saveMatrix(out, "raw-transform.dat",
               "Real part of the inverse transform before the checker sign" + layout, rawReal);
    saveMatrix(out, "heights.dat",
               "Heights as the viewer leaves them, world units before x 0.1" + layout, height);
    saveMatrix(out, "imaginary.dat",
               "Imaginary part of the transform with the checker sign applied" + layout, imaginary);

    const FieldSummary re = summarise(height);
    const FieldSummary im = summarise(imaginary);
    const double points = gridSize * gridSize;
    quoteValue(out, "mean_square_over_coefficient_energy",
               (re.sumSquares + im.sumSquares) / points / coefficientEnergy);
    quoteValue(out, "height_rms", std::sqrt(re.sumSquares / points));
    quoteValue(out, "height_min", re.lowest);
    quoteValue(out, "height_max", re.highest);
    quoteValue(out, "drawn_height_rms", heightScale * std::sqrt(re.sumSquares / points));
    quoteValue(out, "imaginary_rms", std::sqrt(im.sumSquares / points));
    quoteValue(out, "imaginary_min", im.lowest);
    quoteValue(out, "imaginary_max", im.highest);
    quoteValue(out, "imaginary_to_real_rms_ratio", std::sqrt(im.sumSquares / re.sumSquares));
    quoteValue(out, "real_part_share", re.sumSquares / (re.sumSquares + im.sumSquares));
}
