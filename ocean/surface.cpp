#include "ocean/ocean_state.h"

void computeNormals(const Complex (&)[gridSize][gridSize]) {}
void buildRenderGrid() {}
