// The figures of how the sea is made: the numbers each one is drawn from,
// computed by the viewer's own functions from the fixed sea, written as
// plain text for gnuplot, and the values the guide quotes.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "ocean/ocean_state.h"

// ---- Output (numbers_files.cpp) --------------------------------------------
struct QuotedValue {
    std::string key; // lower_snake_case, a valid gnuplot variable name
    double value;
};

// The numbers folder and the values quoted so far, written last as
// values.txt.
struct FigureOutput {
    std::string numbersDir;
    std::vector<QuotedValue> values;
};

// A file in the numbers folder, begun with a comment line that says what it
// holds. A file that cannot be written ends the tool with status 1.
FILE* openNumbers(const FigureOutput& out, const char* fileName, const char* description);
void writeRow(FILE* file, const double* columns, int count);
void writeRow(FILE* file, std::initializer_list<double> columns);
// A 64 x 64 field as a gnuplot matrix: line i holds element [i][0..63].
void writeMatrix(FILE* file, const double (&field)[gridSize][gridSize]);
void writeBlankLine(FILE* file);
void closeNumbers(FILE* file, const char* fileName);
// Kept for values.txt and printed on standard output at once.
void quoteValue(FigureOutput& out, const std::string& key, double value);
void writeValues(const FigureOutput& out);

// ---- The sea (figures_sea.cpp) ---------------------------------------------
// The viewer's own step at the fixed sea's wave time, the initial spectrum
// already drawn from its seed.
void synthesiseFixedSea();
// The textbook variant, for comparison only, never used by the viewer: each
// cell paired with the cell of the negated wave vector, (64 - i) mod 64, its
// conjugate taken, every cell computed; the rest of the step is the
// viewer's own.
void synthesiseTextbookSea(double t);
// The expected energy of a cell's initial coefficient, from the viewer's
// spectrum and wind.
double expectedEnergy(int i, int j);
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

// ---- The drawn sea beside the real sea of a wind (figures_realism.cpp) -----
// Last: it reads values quoted before it. The wind, in m/s, is the viewer's
// unless figure-numbers is asked for another.
void writeRealismNumbers(FigureOutput& out, double wind);
