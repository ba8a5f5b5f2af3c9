#include "ocean/ocean_state.h"

void seedRandom(unsigned int) {}
int nextRandom() { return 0; }
