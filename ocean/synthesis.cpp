#include "ocean/ocean_state.h"

double checkerSign(int) { return 1.0; }
void evolveSpectrum(double) {}
void computeDisplacement() {}
void simulationStep(double) {}
