// Smooth value noise from an integer hash: the same numbers on every run.
#include <cmath>

#include "tools/assets/asset_pictures.h"

namespace {

double latticeValue(long long ix, long long iy, unsigned int seed) {
    unsigned long long h = static_cast<unsigned long long>(ix) * 0x9E3779B97F4A7C15ULL;
    h ^= static_cast<unsigned long long>(iy) * 0xC2B2AE3D27D4EB4FULL;
    h ^= static_cast<unsigned long long>(seed) * 0x165667B19E3779F9ULL;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return static_cast<double>(h & 0xFFFFFF) / static_cast<double>(0xFFFFFF);
}

double fade(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double valueNoise(double x, double y, unsigned int seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<long long>(fx);
    const auto iy = static_cast<long long>(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double bottom = mixValue(latticeValue(ix, iy, seed), latticeValue(ix + 1, iy, seed), tx);
    const double top =
        mixValue(latticeValue(ix, iy + 1, seed), latticeValue(ix + 1, iy + 1, seed), tx);
    return mixValue(bottom, top, ty);
}

double fractalNoise(double x, double y, int octaves, unsigned int seed) {
    double sum = 0.0;
    double weight = 0.5;
    double total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * valueNoise(x, y, seed + static_cast<unsigned int>(octave));
        total += weight;
        x *= 2.0;
        y *= 2.0;
        weight *= 0.5;
    }
    return sum / total;
}

double smoothStep(double edge0, double edge1, double x) {
    double t = (x - edge0) / (edge1 - edge0);
    t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    return t * t * (3.0 - 2.0 * t);
}

double mixValue(double a, double b, double t) {
    return a + (b - a) * t;
}
