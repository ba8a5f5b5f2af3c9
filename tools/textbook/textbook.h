// The method as the textbook writes it, small enough to read in one sitting:
// a Phillips spectrum with a Gaussian cut-off of the short waves, one random
// draw, every wave vector evolved with its partner -k, and heights, choppy
// displacement and normals by inverse FFT. The viewer departs from it in a
// few places (docs/how-it-works.md, section 9); this one follows the method,
// so that figures and tests can set the viewer beside it. It shares the
// viewer's lattice, constants, random source and FFT, nothing else.
#pragma once

#include <complex>

#include "ocean/ocean_state.h"

using Cx = std::complex<double>;
// One coefficient per wave vector, in the viewer's centred indexing: cell
// (i, j) holds k = (i - 32, j - 32) 2 pi / 128.
using TextbookSpectrum = Cx[gridSize][gridSize];

// Waves shorter than about this are cut off: far below the wind's length
// L = V^2 / g, 5.1 m for this wind, and below the lattice spacing.
constexpr double textbookCutOffLength = 0.1;
// The textbook moves a point to x + lambda D, where a negative lambda
// sharpens the crests: the viewer's choppiness with the textbook's sign.
constexpr double textbookChoppiness = -choppiness;

// One instant of the sea on the 64 x 64 lattice.
struct TextbookSea {
    double height[gridSize][gridSize];
    double imaginary[gridSize][gridSize]; // of the height sum: rounding only
    Point2d position[gridSize][gridSize]; // lattice point moved by lambda D
    Vector3d normal[gridSize][gridSize];  // of the heights, from exact slopes
};

Cx textbookWaveVector(int i, int j); // k as kx + i ky
int partnerIndex(int i);             // the index of -k's cell
double textbookSpectrum(Cx k);       // P(k) for the viewer's wind
void textbookDraw(unsigned seed, TextbookSpectrum& h0);
Cx textbookCoefficient(const TextbookSpectrum& h0, int i, int j, double t);
void textbookEvolve(const TextbookSpectrum& h0, double t, TextbookSpectrum& h);
// False when the FFT cannot obtain its scratch memory.
bool textbookSynthesise(const TextbookSpectrum& h, TextbookSea& sea);
