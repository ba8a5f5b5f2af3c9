// The numbers of the viewer's departures that no figure draws: how much the
// two short-wave cut-offs keep at the lattice's corner, and how far the
// copied seam normals lie from the normals a difference across the seam
// would give.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

// The textbook's forward difference, wrapped across the patch's edge where
// the viewer copies the first row and column instead.
Vector3d wrappedNormal(int i, int j) {
    const int nextI = (i + 1) % gridSize;
    const int nextJ = (j + 1) % gridSize;
    const double dzx = (heightField[nextI][j].re - heightField[i][j].re) * heightScale;
    const double dzy = (heightField[i][nextJ].re - heightField[i][j].re) * heightScale;
    const Vector3d n =
        crossProduct(Vector3d{latticeSpacing, 0.0, dzx}, Vector3d{0.0, latticeSpacing, dzy});
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    return Vector3d{n.x / length, n.y / length, n.z / length};
}

double degreesBetween(const Vector3d& a, const Vector3d& b) {
    const double cosine = a.x * b.x + a.y * b.y + a.z * b.z;
    return std::acos(std::fmin(cosine, 1.0)) * degreesPerRadian;
}

void quoteSeamNormals(FigureOutput& out) {
    synthesiseFixedSea();
    const int last = gridSize - 1;
    double sum = 0.0;
    double largest = 0.0;
    int count = 0;
    for (int n = 0; n < gridSize; ++n) {
        const int points[2][2] = {{last, n}, {n, last}};
        for (const auto& p : points) {
            const double angle =
                degreesBetween(surfaceNormals[p[0]][p[1]], wrappedNormal(p[0], p[1]));
            sum += angle;
            largest = std::fmax(largest, angle);
            ++count;
        }
    }
    quoteValue(out, "seam_normal_error_mean_degrees", sum / count);
    quoteValue(out, "seam_normal_error_max_degrees", largest);
}

} // namespace

void writeDepartureNumbers(FigureOutput& out) {
    // The corner cell holds the shortest wave; both cut-offs with l = 1.
    const double k = waveVectors[0][0].kLength;
    quoteValue(out, "damping_viewer_at_corner", std::exp(-k * dampingLength));
    quoteValue(out, "damping_textbook_at_corner", std::exp(-k * k * dampingLength * dampingLength));
    // The textbook companion's own cut-off and choppiness (tools/textbook).
    quoteValue(out, "textbook_cut_off_length", textbookCutOffLength);
    quoteValue(out, "textbook_cut_off_at_corner",
               std::exp(-k * k * textbookCutOffLength * textbookCutOffLength));
    quoteValue(out, "textbook_choppiness", textbookChoppiness);
    quoteSeamNormals(out);
}
