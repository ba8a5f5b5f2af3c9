#include "ocean/ocean_state.h"

int fft1D(int, int, double*, double*) { return 1; }
bool checkPowerOfTwo(int, int& m, int& twoToM) { m = 0; twoToM = 1; return false; }
bool fft2D(Complex[][gridSize], int, int, int) { return false; }
