// figure-numbers OUTDIR [--numbers-only] [--real-sea-wind M_PER_S]: the
// numbers the figures of docs/how-it-works.md are drawn from, into
// OUTDIR/numbers, computed by the viewer's own simulation, encoding and
// culling from the fixed sea. The pictures are gnuplot's (docs/figures/plots),
// so this tool writes numbers only, with or without the flag, which the figure
// tools share. The real sea the drawn one is set beside is that of the
// viewer's wind, or of the wind given.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "tools/figures/figures.h"

namespace {

bool parseArguments(int argc, char** argv, std::string& outDir, double& realSeaWind) {
    if (argc < 2)
        return false;
    outDir = argv[1];
    for (int a = 2; a < argc; ++a) {
        if (std::strcmp(argv[a], "--numbers-only") == 0)
            continue;
        if (std::strcmp(argv[a], "--real-sea-wind") != 0 || a + 1 == argc)
            return false;
        char* end = nullptr;
        realSeaWind = std::strtod(argv[++a], &end);
        if (*end != '\0' || !(realSeaWind > 0.0))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string outDir;
    double realSeaWind = std::hypot(windVelocityX, windVelocityY);
    if (!parseArguments(argc, argv, outDir, realSeaWind)) {
        std::fprintf(stderr,
                     "usage: figure-numbers OUTDIR [--numbers-only] [--real-sea-wind M_PER_S]\n");
        return 2;
    }
    FigureOutput out;
    out.numbersDir = outDir + "/numbers";
    std::error_code error;
    std::filesystem::create_directories(out.numbersDir, error);
    if (error) {
        std::fprintf(stderr, "figure-numbers: cannot make %s: %s\n", out.numbersDir.c_str(),
                     error.message().c_str());
        return 1;
    }
    seedRandom(fixedSeaSeed);
    initWaveSpectrum();
    quoteValue(out, "fixed_sea_seed", fixedSeaSeed);
    quoteValue(out, "fixed_sea_wave_time", fixedSeaWaveTime);
    quoteValue(out, "grid_size", gridSize);
    quoteValue(out, "patch_length", patchLength);
    quoteValue(out, "lattice_spacing", latticeSpacing);
    quoteValue(out, "height_scale", heightScale);
    writeSpectrumNumbers(out);
    writeTransformNumbers(out);
    writeFollowedCellNumbers(out);
    writeCalmStripeNumbers(out);
    writeCalmStripePrediction(out);
    writeMotionNumbers(out);
    writeCrestNumbers(out);
    writeSingleWaveNumbers(out);
    writeChoppinessNumbers(out);
    writeJacobianNumbers(out);
    writeNormalNumbers(out);
    writeWedgeNumbers(out);
    writeRealismNumbers(out, realSeaWind);
    writeValues(out);
    return 0;
}
