// Unit normals from the heights, and the render grid of one seamless tile.
#include <cmath>

#include "ocean/ocean_state.h"

namespace {

// Cross product of the tangents (spacing, 0, dzx) and (0, spacing, dzy).
Vector3d unitNormal(double dzx, double dzy) {
    Vector3d tx = {latticeSpacing, 0.0, dzx};
    Vector3d ty = {0.0, latticeSpacing, dzy};
    Vector3d n = crossProduct(tx, ty);
    double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (length == 0.0)
        length = 1.0;
    return Vector3d{n.x / length, n.y / length, n.z / length};
}

Vector3d shifted(const Vector3d& p, double dx, double dy) {
    return Vector3d{p.x + dx, p.y + dy, p.z};
}

} // namespace

Vector3d crossProduct(const Vector3d& a, const Vector3d& b) {
    return Vector3d{a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y};
}

// Forward differences on the undisplaced lattice. No difference is taken
// across the patch boundary: the last row and column repeat the first ones.
void computeNormals(const Complex (&heights)[gridSize][gridSize]) {
    const int last = gridSize - 1;
    for (int i = 0; i < last; ++i) {
        for (int j = 0; j < last; ++j) {
            double dzx = (heights[i + 1][j].re - heights[i][j].re) * heightScale;
            double dzy = (heights[i][j + 1].re - heights[i][j].re) * heightScale;
            surfaceNormals[i][j] = unitNormal(dzx, dzy);
        }
    }
    for (int i = 0; i < gridSize; ++i) {
        surfaceNormals[i][last] = surfaceNormals[i][0];
        surfaceNormals[last][i] = surfaceNormals[0][i];
    }
}

// The seam row and column repeat row 0 and column 0 one patch length further
// on, so neighbouring tiles share their border vertices exactly.
void buildRenderGrid() {
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            renderGrid.positions[i][j] = Vector3d{displacedPositions[i][j].x,
                                                  displacedPositions[i][j].y, heightField[i][j].re};
            renderGrid.normals[i][j] = surfaceNormals[i][j];
        }
    }
    const int seam = gridSize;
    for (int n = 0; n < gridSize; ++n) {
        renderGrid.positions[seam][n] = shifted(renderGrid.positions[0][n], patchLength, 0.0);
        renderGrid.positions[n][seam] = shifted(renderGrid.positions[n][0], 0.0, patchLength);
        renderGrid.normals[seam][n] = renderGrid.normals[0][n];
        renderGrid.normals[n][seam] = renderGrid.normals[n][0];
    }
    renderGrid.positions[seam][seam] =
        shifted(renderGrid.positions[0][0], patchLength, patchLength);
    renderGrid.normals[seam][seam] = renderGrid.normals[0][0];
}
