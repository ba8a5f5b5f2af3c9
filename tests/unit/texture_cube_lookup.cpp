#include "tests/unit/texture_cube_lookup.h"

#include <cmath>

namespace {

int texelIndex(double coordinate, double major, int size) {
    const double unit = (coordinate / std::fabs(major) + 1.0) / 2.0;
    int index = static_cast<int>(std::floor(unit * size));
    return index < 0 ? 0 : (index >= size ? size - 1 : index);
}

} // namespace

// The major axis picks the face; sc and tc are the face's own axes, as the
// rendering library defines cube-map lookups.
CubeTexel cubeTexelFor(const double (&direction)[3], int size) {
    const double x = direction[0], y = direction[1], z = direction[2];
    const double ax = std::fabs(x), ay = std::fabs(y), az = std::fabs(z);
    int face;
    double sc, tc, major;
    if (ax >= ay && ax >= az) {
        face = x > 0 ? 0 : 1;
        sc = x > 0 ? -z : z;
        tc = -y;
        major = x;
    } else if (ay >= az) {
        face = y > 0 ? 2 : 3;
        sc = x;
        tc = y > 0 ? z : -z;
        major = y;
    } else {
        face = z > 0 ? 4 : 5;
        sc = z > 0 ? x : -x;
        tc = -y;
        major = z;
    }
    return {face, texelIndex(sc, major, size), texelIndex(tc, major, size)};
}
