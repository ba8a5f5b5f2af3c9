// figure-numbers OUTDIR [--numbers-only]: the numbers the figures of
// docs/how-it-works.md are drawn from, into OUTDIR/numbers, computed by the
// viewer's own simulation, encoding and culling from the fixed sea. The
// pictures are gnuplot's (docs/figures/plots), so this tool writes numbers
// only, with or without the flag, which the figure tools share.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "tools/figures/figures.h"

namespace {

bool parseArguments(int argc, char** argv, std::string& outDir) {
    if (argc < 2 || argc > 3)
        return false;
    if (argc == 3 && std::strcmp(argv[2], "--numbers-only") != 0)
        return false;
    outDir = argv[1];
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string outDir;
    if (!parseArguments(argc, argv, outDir)) {
        std::fprintf(stderr, "usage: figure-numbers OUTDIR [--numbers-only]\n");
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
    quoteValue(out, "wave_amplitude", waveAmplitude);
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
    writeTickNumbers(out);
    writeTurnedWindNumbers(out);
    writeDepartureNumbers(out);
    writeValues(out);
    return 0;
}
