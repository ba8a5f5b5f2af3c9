// Choppiness learnt from one wave, then seen over the whole sea: a single
// cell's wave displaced by the viewer's own step at growing steepness, and
// the Jacobian of the displacement over the fixed sea.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

// The lone wave runs along x, two index steps out: 64 units long, two
// whole waves across the patch and 32 lattice points on each.
constexpr int singleWaveStep = 2;
// The products lambda a k drawn: sharpened, cusped, looped. The plain
// cosine, lambda a k = 0, is the last one's lattice before it moves.
constexpr double steepnesses[] = {0.5, 1.0, 1.3};
// A point whose Jacobian is below this is squeezed to less than half its
// area: where the crests crowd.
constexpr double crowdedJacobian = 0.5;

// A spectrum of one cell holding i a: the heights are -a sin(k x), and the
// viewer's displacement, which reads the imaginary part, sees all of it.
void synthesiseSingleWave(double amplitude) {
    clearField(heightField);
    heightField[centreIndex + singleWaveStep][centreIndex] = Complex{0.0, amplitude};
    synthesiseSurface();
}

double lowestJacobianAlongX() {
    double lowest = latticeJacobian(0, 0);
    for (int i = 0; i < gridSize; ++i)
        lowest = std::fmin(lowest, latticeJacobian(i, 0));
    return lowest;
}

} // namespace

void writeSingleWaveNumbers(FigureOutput& out) {
    const WaveVector& v = waveVectors[centreIndex + singleWaveStep][centreIndex];
    NumbersFile file = numbersFile(
        "single-wave.dat", "One wave through the viewer's displacement: n, x undisplaced, x "
                           "displaced, height before x 0.1; index per lambda a k");
    quoteValue(out, "single_wave_wavelength", 2.0 * pi / v.kLength);
    // The displacement is taken from the heights before they are scaled
    // down: against the drawn surface it is this much stronger.
    quoteValue(out, "choppiness_against_drawn_heights", choppiness / heightScale);
    int index = 0;
    for (double steepness : steepnesses) {
        const double amplitude = steepness / (choppiness * v.kLength);
        synthesiseSingleWave(amplitude);
        for (int n = 0; n <= gridSize; ++n) {
            const Vector3d& p = renderGrid.positions[n][0];
            addRow(file, {static_cast<double>(n), n * latticeSpacing, p.x, p.z});
        }
        endIndex(file);
        const std::string suffix = "_" + std::to_string(index++);
        quoteValue(out, "single_wave_steepness" + suffix, steepness);
        quoteValue(out, "single_wave_amplitude" + suffix, amplitude);
        quoteValue(out, "single_wave_jacobian_min" + suffix, lowestJacobianAlongX());
    }
    saveNumbers(out, file);
}

void writeJacobianNumbers(FigureOutput& out) {
    synthesiseFixedSea();
    static double jacobian[gridSize][gridSize];
    int crowded = 0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            jacobian[i][j] = latticeJacobian(i, j);
            crowded += jacobian[i][j] < crowdedJacobian ? 1 : 0;
        }
    }
    saveMatrix(out, "jacobian.dat",
               "Jacobian of the displacement over the fixed sea; matrix, line i = lattice row i "
               "(x = 2 i), column j (y = 2 j)",
               jacobian);
    quoteValue(out, "jacobian_mean", summarise(jacobian).sum / (gridSize * gridSize));
    quoteValue(out, "crowded_jacobian", crowdedJacobian);
    quoteValue(out, "jacobian_crowded_points", crowded);
}
