// The sea in motion and sideways: how the wave time runs, and one line of
// the lattice with and without the choppy displacement.
#include <cmath>

#include "app/app_state.h"
#include "tools/figures/figures.h"

namespace {

// How far each lattice point is carried sideways.
FieldSummary displacementSpread() {
    static double shift[gridSize][gridSize];
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            shift[i][j] = std::hypot(displacedPositions[i][j].x - i * latticeSpacing,
                                     displacedPositions[i][j].y - j * latticeSpacing);
    return summarise(shift);
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
    // The spacing of the points (n, n) along the wind.
    quoteValue(out, "along_wind_spacing", alongWind(latticeSpacing, latticeSpacing));
}

void writeChoppinessNumbers(FigureOutput& out) {
    synthesiseFixedSea();
    NumbersFile file = numbersFile(
        "choppy-profile.dat", "n, distance along the wind undisplaced, displaced, drawn height "
                              "(x 0.1), of lattice points (n, n), n = 64 the next tile's first");
    for (int n = 0; n <= gridSize; ++n) {
        const Vector3d& p = renderGrid.positions[n][n];
        addRow(file, {static_cast<double>(n), alongWind(n * latticeSpacing, n * latticeSpacing),
                      alongWind(p.x, p.y), heightScale * p.z});
    }
    saveNumbers(out, file);

    const FieldSummary spread = displacementSpread();
    quoteValue(out, "choppiness", choppiness);
    quoteValue(out, "displacement_rms", std::sqrt(spread.sumSquares / (gridSize * gridSize)));
    quoteValue(out, "displacement_max", spread.highest);
    quoteValue(out, "jacobian_min", lowestJacobian());
    quoteValue(out, "height_jacobian_correlation", heightJacobianCorrelation());
}
