// The sea the figures show: the viewer's step at the fixed wave time, its
// clock, and the textbook pairing of its draws that the calm stripes are compared with.
#include <cmath>
#include <cstdlib>

#include "app/app_state.h"
#include "tools/figures/figures.h"

void synthesiseFixedSea() {
    simulationStep(fixedSeaWaveTime);
}

// The companion's own step on the viewer's draws: only the pairing and
// what follows from it differ from the viewer's sea.
const TextbookSea& textbookSeaOfViewerDraws(double t) {
    static TextbookSpectrum h0;
    static TextbookSpectrum h;
    static TextbookSea sea;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            h0[i][j] = Cx(initialSpectrum[i][j].re, initialSpectrum[i][j].im);
    textbookEvolve(h0, t, h);
    if (!textbookSynthesise(h, sea))
        std::abort();
    return sea;
}

double energyOf(const Complex& c) {
    return c.re * c.re + c.im * c.im;
}

// The initial coefficient is a complex Gaussian of this mean square.
double expectedEnergy(int i, int j) {
    const double wind[2] = {windVelocityX, windVelocityY};
    const double k[2] = {waveVectors[i][j].kx, waveVectors[i][j].ky};
    return waveSpectrum(waveAmplitude, k, wind);
}

// Of two cells of equal energy the last, which is the one along the wind.
Cell strongestCell() {
    Cell best{0, 0};
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            if (expectedEnergy(i, j) >= expectedEnergy(best.i, best.j))
                best = Cell{i, j};
    return best;
}

double drawnSpectrumEnergy() {
    double sum = 0.0;
    for (const auto& row : initialSpectrum)
        for (const Complex& c : row)
            sum += energyOf(c);
    return sum;
}

bool mirrored(int i) {
    return i < centreIndex - 1;
}

double expectedHeightVariance() {
    double sum = 0.0;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            sum += expectedEnergy(i, j);
    return 2.0 * sum;
}

double latticeHeight(int i, int j) {
    return heightField[i][j].re;
}

// The viewer corrects only the real part; the imaginary part needs the same
// sign to be the imaginary part of the sum over wave vectors.
double latticeImaginary(int i, int j) {
    return checkerSign(i + j) * heightField[i][j].im;
}

// The cell spanned by the drawn points (i, j), (i + 1, j) and (i, j + 1),
// the seam row and column standing in for the next tile's first.
double latticeJacobian(int i, int j) {
    const Vector3d& p = renderGrid.positions[i][j];
    const Vector3d& alongX = renderGrid.positions[i + 1][j];
    const Vector3d& alongY = renderGrid.positions[i][j + 1];
    const double area = (alongX.x - p.x) * (alongY.y - p.y) - (alongX.y - p.y) * (alongY.x - p.x);
    return area / (latticeSpacing * latticeSpacing);
}

double lowestJacobian() {
    double lowest = latticeJacobian(0, 0);
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            lowest = std::fmin(lowest, latticeJacobian(i, j));
    return lowest;
}

void clearField(Complex (&field)[gridSize][gridSize]) {
    for (auto& row : field)
        for (Complex& c : row)
            c = Complex{0.0, 0.0};
}

double alongWind(double x, double y) {
    return (x + y) / std::sqrt(2.0);
}

void saveMatrix(FigureOutput& out, const std::string& name, const std::string& description,
                const double (&field)[gridSize][gridSize]) {
    NumbersFile file = numbersFile(name, description);
    for (const auto& row : field)
        addRow(file, row, gridSize);
    saveNumbers(out, file);
}

void saveLogEnergy(FigureOutput& out, const std::string& name, const std::string& description,
                   const Complex (&field)[gridSize][gridSize]) {
    static double level[gridSize][gridSize];
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            level[i][j] = std::log10(std::fmax(energyOf(field[i][j]), 1e-12));
    saveMatrix(out, name, description, level);
}

FieldSummary summarise(const double (&field)[gridSize][gridSize]) {
    FieldSummary s{0.0, 0.0, field[0][0], field[0][0]};
    for (const auto& row : field) {
        for (double v : row) {
            s.sum += v;
            s.sumSquares += v * v;
            s.lowest = std::fmin(s.lowest, v);
            s.highest = std::fmax(s.highest, v);
        }
    }
    return s;
}
