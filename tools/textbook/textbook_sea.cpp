// textbook-sea OUTDIR [SEED] [TIME]: the textbook sea of one seed at one wave
// time, written as OUTDIR/textbook-heights.dat (a gnuplot matrix, line i the
// heights of lattice row i, in metres) and OUTDIR/textbook-heights.pgm (the
// same heights as a grey picture, white high, each point 4 x 4 pixels).
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "tools/textbook/textbook.h"

namespace {

constexpr int pixelsPerPoint = 4;

bool writeHeights(const std::string& folder, const TextbookSea& sea) {
    std::ofstream dat(folder + "/textbook-heights.dat");
    std::ofstream pgm(folder + "/textbook-heights.pgm");
    const int side = gridSize * pixelsPerPoint;
    pgm << "P2\n" << side << ' ' << side << "\n255\n";
    double lowest = sea.height[0][0];
    double highest = lowest;
    for (const auto& row : sea.height) {
        lowest = std::min(lowest, *std::min_element(row, row + gridSize));
        highest = std::max(highest, *std::max_element(row, row + gridSize));
    }
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            dat << sea.height[i][j] << (j + 1 < gridSize ? ' ' : '\n');
    // Picture rows run down the screen: the top row is the highest j.
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; ++x)
            pgm << static_cast<int>(255.0 *
                                    (sea.height[x / pixelsPerPoint][y / pixelsPerPoint] - lowest) /
                                    (highest - lowest))
                << (x + 1 < side ? ' ' : '\n');
    return static_cast<bool>(dat) && static_cast<bool>(pgm);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4) {
        std::cerr << "usage: textbook-sea OUTDIR [SEED] [TIME]\n";
        return 2;
    }
    char* end = nullptr;
    const unsigned seed =
        argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], &end, 10)) : fixedSeaSeed;
    if (argc > 2 && *end != '\0') {
        std::cerr << "textbook-sea: the seed must be a whole number: " << argv[2] << '\n';
        return 2;
    }
    const double t = argc > 3 ? std::strtod(argv[3], &end) : fixedSeaWaveTime;
    if (argc > 3 && *end != '\0') {
        std::cerr << "textbook-sea: the time must be a number of seconds: " << argv[3] << '\n';
        return 2;
    }
    static TextbookSpectrum h0;
    static TextbookSpectrum h;
    static TextbookSea sea;
    textbookDraw(seed, h0);
    textbookEvolve(h0, t, h);
    if (!textbookSynthesise(h, sea)) {
        std::cerr << "textbook-sea: out of memory for the transform\n";
        return 1;
    }
    if (!writeHeights(argv[1], sea)) {
        std::cerr << "textbook-sea: cannot write into " << argv[1] << '\n';
        return 1;
    }
    std::cout << "heights in " << argv[1] << "/textbook-heights.dat and .pgm\n";
    return 0;
}
