// The simulation's arrays: fixed-size storage for the whole run, so a step
// obtains no memory beyond the transform's scratch.
#include "ocean/ocean_state.h"

WaveVector waveVectors[gridSize][gridSize];
Complex initialSpectrum[gridSize][gridSize];
Complex heightField[gridSize][gridSize];
Complex displacementX[gridSize][gridSize];
Complex displacementY[gridSize][gridSize];
Point2d displacedPositions[gridSize][gridSize];
Vector3d surfaceNormals[gridSize][gridSize];
RenderGrid renderGrid;
