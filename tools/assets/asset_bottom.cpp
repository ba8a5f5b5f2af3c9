// A sandy sea bottom: wave-made ripples over patchy sand with a fine grain.
#include <cmath>

#include "tools/assets/asset_pictures.h"

namespace {

constexpr double sandLight[3] = {0.80, 0.72, 0.54};
constexpr double sandDark[3] = {0.58, 0.50, 0.36};
constexpr double rippleWavelength = 14.0; // texels
constexpr double rippleWarp = 9.0;        // how far the ridges wander, in texels
constexpr unsigned int patchSeed = 41;
constexpr unsigned int warpSeed = 53;
constexpr unsigned int grainSeed = 67;

double rippleShade(double x, double y) {
    const double warp = (fractalNoise(x / 48.0, y / 48.0, 3, warpSeed) - 0.5) * 2.0 * rippleWarp;
    const double phase = (x * 0.8 + y * 0.6 + warp) / rippleWavelength * 2.0 * M_PI;
    // Sharp crests and broad troughs, as ripples in sand have.
    return std::pow(0.5 + 0.5 * std::sin(phase), 3.0);
}

} // namespace

Picture makeBottomPicture(int size) {
    Picture picture = blankPicture(size, size);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const double x = column + 0.5;
            const double y = row + 0.5;
            const double patches = fractalNoise(x / 64.0, y / 64.0, 4, patchSeed);
            const double grain = valueNoise(x * 0.9, y * 0.9, grainSeed) - 0.5;
            const double light = 0.35 * rippleShade(x, y) + 0.65 * patches + 0.12 * grain;
            unsigned char* texel =
                &picture.samples[(static_cast<std::size_t>(row) * size + column) * 3];
            for (int c = 0; c < 3; ++c) {
                const double value =
                    mixValue(sandDark[c], sandLight[c], smoothStep(0.2, 0.85, light));
                texel[c] = static_cast<unsigned char>(value * 255.0 + 0.5);
            }
        }
    }
    return picture;
}
