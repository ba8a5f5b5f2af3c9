// One tick of the viewer, stage by stage, for the picture of a whole tick:
// the evolved spectrum, the displaced lattice and the normals of the fixed
// sea. The other stages' pictures reuse the numbers of their own figures.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

// The corner of the lattice whose displaced points are drawn: few enough
// lines to see each point's move.
constexpr int displacedCorner = 24;

// log10 |h~(k, t)|^2 of the spectrum as evolveSpectrum leaves it, before
// the transforms overwrite it; empty cells at the figure's floor.
void writeEvolved(FigureOutput& out) {
    evolveSpectrum(fixedSeaWaveTime);
    saveLogEnergy(out, "tick-evolved.dat",
                  "log10 |h~(k, t)|^2 of the evolved spectrum at the fixed sea's wave time; "
                  "matrix, line i",
                  heightField);
}

// The displaced lattice's lines along x, then along y, over one corner.
void writeDisplaced(FigureOutput& out) {
    NumbersFile file = numbersFile("tick-displaced.dat",
                                   "displaced lattice x, y, height: blocks of lines along x, then "
                                   "along y, over the patch's corner");
    for (int along = 0; along < 2; ++along)
        for (int a = 0; a < displacedCorner; ++a) {
            for (int b = 0; b < displacedCorner; ++b) {
                const Vector3d& p =
                    along == 0 ? renderGrid.positions[b][a] : renderGrid.positions[a][b];
                addRow(file, {p.x, p.y, p.z});
            }
            addBlankLine(file);
        }
    saveNumbers(out, file);
    quoteValue(out, "tick_displaced_corner", displacedCorner * latticeSpacing);
}

void writeNormals(FigureOutput& out) {
    NumbersFile file =
        numbersFile("tick-normals.dat", "x component of the unit normals of the render grid, seam "
                                        "included; matrix, line i");
    for (int i = 0; i < renderGridSize; ++i) {
        double row[renderGridSize];
        for (int j = 0; j < renderGridSize; ++j)
            row[j] = renderGrid.normals[i][j].x;
        addRow(file, row, renderGridSize);
    }
    saveNumbers(out, file);
}

} // namespace

void writeTickNumbers(FigureOutput& out) {
    writeEvolved(out);
    synthesiseFixedSea();
    writeDisplaced(out);
    writeNormals(out);
}
