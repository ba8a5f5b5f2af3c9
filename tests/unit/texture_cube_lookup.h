// Which face and texel the rendering library samples for a direction: the
// selection rules of cube-map texturing, written out independently of the
// code under test so that face orientations can be checked against them.
#pragma once

struct CubeTexel {
    int face; // 0..5: +X, -X, +Y, -Y, +Z, -Z
    int column;
    int row;
};

CubeTexel cubeTexelFor(const double (&direction)[3], int size);
