#include "ocean/ocean_state.h"

double waveSpectrum(double, const double (&)[2], const double (&)[2]) { return 0.0; }
void gaussianPair(double (&out)[2]) { out[0] = out[1] = 0.0; }
double uniformRandom() { return 0.0; }
void initWaveSpectrum() {}
