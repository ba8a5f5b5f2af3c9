// The wind's spectrum over the 64 x 64 wave vectors, and what the inverse
// transform makes of it: the checker sign, the heights and the imaginary
// part beside them.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

struct Cell {
    int i;
    int j;
};

// The spectrum gives a wave vector and its negation the same energy: of the
// two strongest cells, the last is the one along the wind.
Cell strongestCell() {
    Cell best{0, 0};
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            if (expectedEnergy(i, j) >= expectedEnergy(best.i, best.j))
                best = Cell{i, j};
    return best;
}

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
    double drawn = 0.0;
    int silent = 0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const double p = expectedEnergy(i, j);
            drawn += initialSpectrum[i][j].re * initialSpectrum[i][j].re +
                     initialSpectrum[i][j].im * initialSpectrum[i][j].im;
            silent += p == 0.0 ? 1 : 0;
            if (p > 0.0 && waveVectors[i][j].kLength > shortest.kLength)
                shortest = waveVectors[i][j];
        }
    }
    quoteWave(out, "shortest", shortest);
    quoteValue(out, "cells_without_energy", silent);
    quoteValue(out, "spectrum_drawn_energy", drawn);
    quoteValue(out, "expected_height_variance", expectedHeightVariance());
}

// A single unit coefficient, through the viewer's transform both ways.
void quoteTransformScales(FigureOutput& out) {
    static Complex unit[gridSize][gridSize];
    for (auto direction : {-1, 1}) {
        for (auto& row : unit)
            for (Complex& c : row)
                c = Complex{0.0, 0.0};
        unit[centreIndex + 1][centreIndex] = Complex{1.0, 0.0};
        fft2D(unit, gridSize, gridSize, direction);
        quoteValue(out, direction == 1 ? "forward_transform_scale" : "inverse_transform_scale",
                   std::hypot(unit[0][0].re, unit[0][0].im));
    }
}

} // namespace

void writeSpectrumNumbers(FigureOutput& out) {
    FILE* file = openNumbers(out, "spectrum.dat",
                             "kx ky |h0(k)|^2 expected|h0|^2, rad/unit; blocks of constant kx");
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const Complex& h0 = initialSpectrum[i][j];
            writeRow(file, {waveVectors[i][j].kx, waveVectors[i][j].ky,
                            h0.re * h0.re + h0.im * h0.im, expectedEnergy(i, j)});
        }
        writeBlankLine(file);
    }
    closeNumbers(file, "spectrum.dat");

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
            coefficientEnergy += raw[i][j].re * raw[i][j].re + raw[i][j].im * raw[i][j].im;
        }
    }
    fft2D(raw, gridSize, gridSize, -1);
    synthesiseFixedSea();

    static double rawReal[gridSize][gridSize];
    static double height[gridSize][gridSize];
    static double imaginary[gridSize][gridSize];
    double sumRe2 = 0.0;
    double sumIm2 = 0.0;
    double lowest[2] = {latticeHeight(0, 0), latticeImaginary(0, 0)};
    double highest[2] = {lowest[0], lowest[1]};
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            rawReal[i][j] = raw[i][j].re;
            height[i][j] = latticeHeight(i, j);
            imaginary[i][j] = latticeImaginary(i, j);
            sumRe2 += height[i][j] * height[i][j];
            sumIm2 += imaginary[i][j] * imaginary[i][j];
            lowest[0] = std::fmin(lowest[0], height[i][j]);
            highest[0] = std::fmax(highest[0], height[i][j]);
            lowest[1] = std::fmin(lowest[1], imaginary[i][j]);
            highest[1] = std::fmax(highest[1], imaginary[i][j]);
        }
    }
    const char* layout = "; matrix, line i = lattice row i (x = 2 i), column j (y = 2 j)";
    const struct {
        const char* name;
        const char* description;
        const double (&field)[gridSize][gridSize];
    } fields[] = {
        {"raw-transform.dat", "Real part of the inverse transform before the checker sign",
         rawReal},
        {"heights.dat", "Heights as the viewer leaves them, world units before x 0.1", height},
        {"imaginary.dat", "Imaginary part of the transform with the checker sign applied",
         imaginary},
    };
    for (const auto& f : fields) {
        FILE* file = openNumbers(out, f.name, (std::string(f.description) + layout).c_str());
        writeMatrix(file, f.field);
        closeNumbers(file, f.name);
    }

    const double points = gridSize * gridSize;
    quoteValue(out, "mean_square_over_coefficient_energy",
               (sumRe2 + sumIm2) / points / coefficientEnergy);
    quoteValue(out, "height_rms", std::sqrt(sumRe2 / points));
    quoteValue(out, "height_min", lowest[0]);
    quoteValue(out, "height_max", highest[0]);
    quoteValue(out, "drawn_height_rms", heightScale * std::sqrt(sumRe2 / points));
    quoteValue(out, "imaginary_rms", std::sqrt(sumIm2 / points));
    quoteValue(out, "imaginary_min", lowest[1]);
    quoteValue(out, "imaginary_max", highest[1]);
    quoteValue(out, "imaginary_to_real_rms_ratio", std::sqrt(sumIm2 / sumRe2));
    quoteValue(out, "real_part_share", sumRe2 / (sumRe2 + sumIm2));
}
