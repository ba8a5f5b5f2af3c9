// The figures of how the sea is made: the numbers each one is drawn from,
// computed by the viewer's own functions from the fixed sea, written as
// plain text for gnuplot, and the values the guide quotes. Files are written
// and values gathered through figure_output.h (saveNumbers, quoteValue); the
// values file is saved last, by figure_numbers.cpp's main.
#pragma once

#include "ocean/ocean_state.h"
#include "tools/figures/figure_output.h"
#include "tools/textbook/textbook.h"

// A 64 x 64 field as a file of gnuplot's matrix form (figures_sea.cpp): line i holds element
// [i][0..63].
void saveMatrix(FigureOutput& out, const std::string& name, const std::string& description,
                const double (&field)[gridSize][gridSize]);
// A field of coefficients the same way, as log10 of each squared modulus;
// an empty cell at 1e-12, the figures' floor.
void saveLogEnergy(FigureOutput& out, const std::string& name, const std::string& description,
                   const Complex (&field)[gridSize][gridSize]);

// ---- The sea (figures_sea.cpp) ---------------------------------------------
// The viewer's own step at the fixed sea's wave time, the initial spectrum
// already drawn from its seed.
void synthesiseFixedSea();
// The textbook pairing of the viewer's own draws, for comparison only, never
// used by the viewer: the textbook companion's step (tools/textbook) on
// initialSpectrum, each cell paired with the negated wave vector's cell.
const TextbookSea& textbookSeaOfViewerDraws(double t);
// A coefficient's squared modulus.
double energyOf(const Complex& c);
// The expected energy of a cell's initial coefficient, from the viewer's
// spectrum and wind.
double expectedEnergy(int i, int j);
// The cell of the most expected energy. The spectrum gives a wave vector and
// its negation the same energy: of the two, the one along the wind.
struct Cell {
    int i;
    int j;
};
Cell strongestCell();
// The squared moduli of the drawn initial spectrum, summed.
double drawnSpectrumEnergy();
// Rows 0 .. 31 are mirrored (row 31 into row 32, which the step then
// computes itself); rows 31 and 32 are the ones whose own waves reach the
// heights unmirrored.
bool mirrored(int i);
// Lines of constant i + j lie across the wind: 0 .. 126 over a tile.
constexpr int diagonalCount = 2 * gridSize - 1;
// The heights' variance the spectrum predicts for a sea whose heights are
// real: each cell's expected energy and its negated partner's.
double expectedHeightVariance();
// The height of lattice point (i, j) as the viewer leaves it, and the
// imaginary part beside it with the same checker sign applied.
double latticeHeight(int i, int j);
double latticeImaginary(int i, int j);
// The area of the drawn cell at lattice point (i, j) over its undisplaced
// area: below 0 the surface would fold over itself there.
double latticeJacobian(int i, int j);
double lowestJacobian(); // over the whole patch
// A field's sum, sum of squares and extremes.
struct FieldSummary {
    double sum;
    double sumSquares;
    double lowest;
    double highest;
};
FieldSummary summarise(const double (&field)[gridSize][gridSize]);
// Every coefficient zero, for a field of chosen cells.
void clearField(Complex (&field)[gridSize][gridSize]);
// The fixed sea's wind blows along (1, 1): a point's distance along it from
// the origin.
double alongWind(double x, double y);

// ---- Figures, in the order of the data's path -----------------------------
void writeSpectrumNumbers(FigureOutput& out);   // figures_spectrum.cpp
void writeTransformNumbers(FigureOutput& out);  // figures_spectrum.cpp
void writeCalmStripeNumbers(FigureOutput& out); // figures_stripes.cpp
void writeMotionNumbers(FigureOutput& out);     // figures_motion.cpp
void writeChoppinessNumbers(FigureOutput& out); // figures_motion.cpp
void writeNormalNumbers(FigureOutput& out);     // figures_view.cpp
void writeWedgeNumbers(FigureOutput& out);      // figures_view.cpp

// ---- Figures that teach from one wave and one cell -------------------------
void writeFollowedCellNumbers(FigureOutput& out);  // figures_path.cpp
void writeCalmStripePrediction(FigureOutput& out); // figures_path.cpp
void writeCrestNumbers(FigureOutput& out);         // figures_crests.cpp
void writeSingleWaveNumbers(FigureOutput& out);    // figures_wave.cpp
void writeJacobianNumbers(FigureOutput& out);      // figures_wave.cpp

// ---- The guide's overview and its departures ------------------------------
void writeTickNumbers(FigureOutput& out);       // figures_tick.cpp
void writeTurnedWindNumbers(FigureOutput& out); // figures_turned.cpp
void writeDepartureNumbers(FigureOutput& out);  // figures_departures.cpp

// ---- The drawn sea beside the real sea of a wind (figures_realism.cpp) -----
// Last: it reads values quoted before it. The wind, in m/s, is the viewer's
// unless figure-numbers is asked for another.
void writeRealismNumbers(FigureOutput& out, double wind);
