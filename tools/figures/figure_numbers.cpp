// figure-numbers OUTDIR [--numbers-only] [--real-sea-wind M_PER_S]: the
// numbers the figures of docs/how-it-works.md are drawn from, into
// OUTDIR/numbers, computed by the viewer's own simulation, encoding and
// culling from the fixed sea. The pictures are gnuplot's (docs/figures/plots),
// so this tool writes numbers only, with or without the flag, which the figure
// tools share. The real sea the drawn one is set beside is that of the
// viewer's wind, or of the wind given.
#include <cmath>
#include <cstdio>

#include "tools/figures/figures.h"

int main(int argc, char** argv) {
    FigureArguments arguments;
    if (!parseFigureArguments(argc, argv, arguments) || !arguments.clipDir.empty()) {
        std::fprintf(stderr,
                     "usage: figure-numbers OUTDIR [--numbers-only] [--real-sea-wind M_PER_S]\n");
        return 2;
    }
    FigureOutput out{"figure-numbers", arguments.outDir};
    if (!makeFolder(out, numbersFolder(out)))
        return 1;
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
    const double viewerWind = std::hypot(windVelocityX, windVelocityY);
    writeRealismNumbers(out, arguments.realSeaWind > 0.0 ? arguments.realSeaWind : viewerWind);
    saveValues(out, "values.txt", "The values the guide quotes, from figure-numbers");
    return out.failed ? 1 : 0;
}
