// Placeholder until the simulation lands.
#include "ocean/ocean_state.h"

WaveVector waveVectors[gridSize][gridSize];
Complex initialSpectrum[gridSize][gridSize];
Complex heightField[gridSize][gridSize];
Complex displacementX[gridSize][gridSize];
Complex displacementY[gridSize][gridSize];
Point2d displacedPositions[gridSize][gridSize];
Vector3d surfaceNormals[gridSize][gridSize];
RenderGrid renderGrid;
