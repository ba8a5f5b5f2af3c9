// Shared state and constants of the ocean simulation: one 64 x 64 patch of
// deep-water waves, synthesised every idle tick. Everything here is plain C++
// with no rendering dependency, so tests can drive it without a window.
#pragma once

// ---- Grid and patch -------------------------------------------------------
// Grid indexing of every simulation array: first index i along world x,
// second index j along world y, row-major with i selecting the row.
constexpr int gridSize = 64;
constexpr int centreIndex = gridSize / 2; // index of the zero wave number
constexpr double patchLength = 128.0;     // world units per patch side
constexpr double latticeSpacing = patchLength / gridSize;
constexpr int renderGridSize = gridSize + 1; // plus the seam row and column
// Multiplies heights when normals are taken and when vertices are drawn; it
// is never stored into the arrays.
constexpr double heightScale = 0.1;

// ---- Spectrum and synthesis constants ------------------------------------
// 9.81 and 0.0008 are the single-precision roundings of those decimals: the
// sea's energy and phases depend on these exact values.
constexpr double gravity = static_cast<double>(9.81f);
constexpr double waveAmplitude = static_cast<double>(0.0008f);
constexpr double windVelocityX = 5.0;
constexpr double windVelocityY = 5.0;
constexpr double dampingLength = 1.0;
constexpr double timeScale = 1.0;
constexpr double choppiness = 0.29;
constexpr double pi = 3.14159265358979323846;
// The exact factor, for angles reported in degrees; the viewer itself turns
// degrees into radians by its own rounded factor (degreesToRadians).
constexpr double degreesPerRadian = 180.0 / pi;

// One fixed sea, drawn the same on every machine: the reference pictures and
// the figures show the step at this seed of the random source and this wave
// time.
constexpr unsigned int fixedSeaSeed = 20261207u;
constexpr double fixedSeaWaveTime = -7.25;

// ---- Records --------------------------------------------------------------
struct Complex {
    double re;
    double im;
};

struct WaveVector {
    double kx;
    double ky;
    double kLength;
    double kSquared;
};

struct Point2d {
    double x;
    double y;
};

struct Vector3d {
    double x;
    double y;
    double z;
};

// One water tile: the 64 x 64 simulated points plus a seam row and column
// repeating row 0 and column 0 shifted by one patch length.
struct RenderGrid {
    Vector3d positions[renderGridSize][renderGridSize];
    Vector3d normals[renderGridSize][renderGridSize];
};

// ---- Simulation arrays (fixed size, alive for the whole run) -------------
extern WaveVector waveVectors[gridSize][gridSize];
extern Complex initialSpectrum[gridSize][gridSize];
extern Complex heightField[gridSize][gridSize];
extern Complex displacementX[gridSize][gridSize];
extern Complex displacementY[gridSize][gridSize];
extern Point2d displacedPositions[gridSize][gridSize];
extern Vector3d surfaceNormals[gridSize][gridSize];
extern RenderGrid renderGrid;

// ---- FFT engine (fft.cpp) -------------------------------------------------
// In-place radix-2 transform of 2^m values; direction 1 is forward (scaled
// by 1/n), any other value inverse (unscaled). Always returns 1.
int fft1D(int direction, int m, double* re, double* im);
// True for the powers of two from 4 upward; always writes m and twoToM.
bool checkPowerOfTwo(int n, int& m, int& twoToM);
// Two-dimensional transform of the first nx rows and ny columns of a 64 x 64
// operand; false when a size is refused or scratch memory cannot be obtained.
bool fft2D(Complex (&data)[gridSize][gridSize], int nx, int ny, int direction);

// ---- Random source (random.cpp) -------------------------------------------
constexpr int randomMaximum = 32767;
void seedRandom(unsigned int seed);
int nextRandom(); // uniform over 0..randomMaximum

// ---- Wave spectrum (spectrum.cpp) -----------------------------------------
double waveSpectrum(double amplitude, const double (&k)[2], const double (&wind)[2]);
void gaussianPair(double (&out)[2]);
double uniformRandom();
void initWaveSpectrum();
// The same draw under another wind: one Gaussian pair a cell in the same
// order, so that only the spectrum's shape differs (the figures' turned wind).
void initWaveSpectrum(const double (&wind)[2]);

// ---- Per-frame synthesis (synthesis.cpp) ----------------------------------
double angularFrequency(const WaveVector& v);
// The coefficient of a wave vector at wave time t from its initial value a
// and its partner cell's initial value b, both turning at omega.
Complex evolvedCoefficient(const Complex& a, const Complex& b, double omega, double t);
double checkerSign(int n);
void evolveSpectrum(double t);
void computeDisplacement();
// Everything after the evolution: from the spectrum in heightField, the
// three inverse transforms, heights and displaced positions, normals and the
// render grid.
void synthesiseSurface();
// One whole simulation step at wave time t: evolveSpectrum, then
// synthesiseSurface.
void simulationStep(double t);

// ---- Normals and render grid (surface.cpp) --------------------------------
// a x b: the normal, not yet of unit length, of the surface that the tangents
// a and b span.
Vector3d crossProduct(const Vector3d& a, const Vector3d& b);
void computeNormals(const Complex (&heights)[gridSize][gridSize]);
void buildRenderGrid();
