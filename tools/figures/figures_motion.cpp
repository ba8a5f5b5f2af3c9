// The sea in motion and sideways: the heights along the wind over a few
// hundred steps, and one line of the lattice with and without the choppy
// displacement.
#include <cmath>

#include "app/app_state.h"
#include "tools/figures/figures.h"

namespace {

// 15 seconds of running time: the peak wave crosses the patch's diagonal
// about once in it.
constexpr int spaceTimeSteps = 240;
constexpr double spaceTimeInterval = 0.0625;
// The cells along the wind whose phase speeds are marked: 2, 4 and 8 index
// steps out from the centre, the peak wavelength and two shorter ones.
constexpr int markedSteps[] = {2, 4, 8};

// The lattice points (n, n) lie along the wind, whose direction is (1, 1).
double diagonalSpacing() {
    return latticeSpacing * std::sqrt(2.0);
}

double alongWind(const Vector3d& p) {
    return (p.x + p.y) / std::sqrt(2.0);
}

void writeSpaceTime(FigureOutput& out) {
    FILE* file = openNumbers(out, "space-time.dat",
                             "Heights along the wind, points (n, n); matrix, line m = running "
                             "time m x space_time_interval, column n");
    for (int m = 0; m < spaceTimeSteps; ++m) {
        simulationStep(fixedSeaWaveTimeAfter(m * spaceTimeInterval));
        double row[gridSize];
        for (int n = 0; n < gridSize; ++n)
            row[n] = latticeHeight(n, n);
        writeRow(file, row, gridSize);
    }
    closeNumbers(file, "space-time.dat");
}

// For each marked wave: its wavelength, wave number and phase speed.
void writeMarkedSpeeds(FigureOutput& out) {
    FILE* file = openNumbers(out, "phase-speeds.dat",
                             "wavelength, wave number, phase speed omega/|k| = sqrt(g/|k|) of "
                             "the marked waves along the wind");
    int mark = 1;
    for (int step : markedSteps) {
        const WaveVector& v = waveVectors[centreIndex + step][centreIndex + step];
        const double speed = angularFrequency(v) / v.kLength;
        writeRow(file, {2.0 * pi / v.kLength, v.kLength, speed});
        quoteValue(out, "marked_wavelength_" + std::to_string(mark), 2.0 * pi / v.kLength);
        quoteValue(out, "marked_phase_speed_" + std::to_string(mark), speed);
        ++mark;
    }
    closeNumbers(file, "phase-speeds.dat");
}

struct Spread {
    double rms;
    double largest;
};

Spread displacementSpread() {
    Spread s{0.0, 0.0};
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const double d = std::hypot(displacedPositions[i][j].x - i * latticeSpacing,
                                        displacedPositions[i][j].y - j * latticeSpacing);
            s.rms += d * d;
            s.largest = std::fmax(s.largest, d);
        }
    }
    s.rms = std::sqrt(s.rms / (gridSize * gridSize));
    return s;
}

// Where the surface crowds (Jacobian below 1) against where it is high: a
// negative correlation means the points gather at the crests.
double heightJacobianCorrelation() {
    double sh = 0.0, sj = 0.0, shh = 0.0, sjj = 0.0, shj = 0.0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const double h = latticeHeight(i, j);
            const double jac = latticeJacobian(i, j);
            sh += h;
            sj += jac;
            shh += h * h;
            sjj += jac * jac;
            shj += h * jac;
        }
    }
    const double n = gridSize * gridSize;
    const double covariance = shj / n - sh / n * sj / n;
    return covariance / std::sqrt((shh / n - sh * sh / (n * n)) * (sjj / n - sj * sj / (n * n)));
}

} // namespace

void writeMotionNumbers(FigureOutput& out) {
    quoteValue(out, "wave_time_change_per_second",
               fixedSeaWaveTimeAfter(1.0) - fixedSeaWaveTimeAfter(0.0));
    quoteValue(out, "space_time_steps", spaceTimeSteps);
    quoteValue(out, "space_time_interval", spaceTimeInterval);
    quoteValue(out, "space_time_spacing", diagonalSpacing());
    writeSpaceTime(out);
    writeMarkedSpeeds(out);
}

void writeChoppinessNumbers(FigureOutput& out) {
    synthesiseFixedSea();
    FILE* file = openNumbers(out, "choppy-profile.dat",
                             "n, distance along the wind undisplaced, displaced, drawn height "
                             "(x 0.1), of lattice points (n, n), n = 64 the next tile's first");
    for (int n = 0; n <= gridSize; ++n) {
        const Vector3d& p = renderGrid.positions[n][n];
        writeRow(file,
                 {static_cast<double>(n), n * diagonalSpacing(), alongWind(p), heightScale * p.z});
    }
    closeNumbers(file, "choppy-profile.dat");

    const Spread spread = displacementSpread();
    quoteValue(out, "choppiness", choppiness);
    quoteValue(out, "displacement_rms", spread.rms);
    quoteValue(out, "displacement_max", spread.largest);
    quoteValue(out, "jacobian_min", lowestJacobian());
    quoteValue(out, "height_jacobian_correlation", heightJacobianCorrelation());
}
