// A sky over the sea: blue at the zenith, a bright haze at the horizon, a sun
// where the water shader's light sits, a layer of clouds, and below the
// horizon the sky as the sea mirrors it, darkening toward straight down. The
// dome picture and the cube faces sample one model.
#include <cmath>

#include "render/render_state.h"
#include "render/texture_support.h"
#include "tools/assets/asset_pictures.h"

namespace {

// Toward the shader's light as seen from the shader's eye at the start: some
// 30 degrees up, behind the viewer's start heading.
constexpr double sunFromEye[3] = {
    static_cast<double>(shaderLightPosition[0]) - static_cast<double>(shaderEyeStart[0]),
    static_cast<double>(shaderLightPosition[1]) - static_cast<double>(shaderEyeStart[1]),
    static_cast<double>(shaderLightPosition[2]) - static_cast<double>(shaderEyeStart[2])};
constexpr double zenithBlue[3] = {0.16, 0.34, 0.72};
constexpr double horizonHaze[3] = {0.80, 0.86, 0.92};
constexpr double sunGlow[3] = {1.0, 0.97, 0.88};
constexpr double sunDisc[3] = {1.0, 1.0, 1.0}; // brighter than any cloud
constexpr double cloudLight[3] = {0.97, 0.97, 0.98};
constexpr double cloudShade[3] = {0.62, 0.66, 0.74};
constexpr double seaDeep[3] = {0.03, 0.11, 0.17};

constexpr double sunDiscCosine = 0.99985; // a disc of about one degree
constexpr double sunHaloSharpness = 60.0;
constexpr double sunGlowSharpness = 6.0;
constexpr double cloudPlaneScale = 1.6; // cloud features per unit of the cloud plane
constexpr int cloudOctaves = 6;
constexpr unsigned int cloudSeed = 17;
constexpr double cloudLowestUp = 0.04; // below this the haze hides the clouds
constexpr double domeHorizonColumn = 7.0 / 8.0;
constexpr double fullTurnRadians = 360.0 * degreesToRadians;

double dot3(const double (&a)[3], const double (&b)[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void blend(double (&rgb)[3], const double (&colour)[3], double amount) {
    for (int c = 0; c < 3; ++c)
        rgb[c] = mixValue(rgb[c], colour[c], amount);
}

// The haze thickens toward the horizon, where one looks through more air.
void clearSky(double up, double (&rgb)[3]) {
    const double haze = std::pow(1.0 - up, 5.0);
    for (int c = 0; c < 3; ++c)
        rgb[c] = mixValue(zenithBlue[c], horizonHaze[c], haze);
}

// Clouds on a flat layer overhead: they shrink and thin out toward the
// horizon, where the haze swallows them.
void addClouds(const double (&direction)[3], double (&rgb)[3]) {
    const double up = direction[1];
    const double u = direction[0] / up * cloudPlaneScale;
    const double v = direction[2] / up * cloudPlaneScale;
    const double density = fractalNoise(u, v, cloudOctaves, cloudSeed);
    const double cover = smoothStep(0.47, 0.66, density) * smoothStep(cloudLowestUp, 0.25, up);
    double cloud[3];
    const double shade = smoothStep(0.58, 0.80, density);
    for (int c = 0; c < 3; ++c)
        cloud[c] = mixValue(cloudLight[c], cloudShade[c], shade);
    blend(rgb, cloud, cover * 0.92);
}

void addSun(const double (&direction)[3], double (&rgb)[3]) {
    const double toward = dot3(direction, sunDirection);
    const double halo = std::exp((toward - 1.0) * sunHaloSharpness);
    const double glow = 0.25 * std::exp((toward - 1.0) * sunGlowSharpness);
    blend(rgb, sunGlow, std::fmin(1.0, halo * 0.8 + glow));
    if (toward > sunDiscCosine)
        blend(rgb, sunDisc, 1.0);
}

unsigned char toByte(double value) {
    const double clamped = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
    return static_cast<unsigned char>(clamped * 255.0 + 0.5);
}

void storeTexel(Picture& picture, int column, int row, const double (&rgb)[3]) {
    unsigned char* texel =
        &picture.samples[(static_cast<std::size_t>(row) * picture.width + column) * 3];
    for (int c = 0; c < 3; ++c)
        texel[c] = toByte(rgb[c]);
}

// Dome texture coordinates to a direction: the first runs from the zenith to
// the horizon over 7/8, the second turns once around the world's up axis.
// The dome is z-up like the world; the model is y-up: (x, y, z) -> (x, z, -y).
void domeDirection(double s, double t, double (&direction)[3]) {
    const double polar = std::fmin(s / domeHorizonColumn, 1.0) * 0.5 * M_PI;
    const double azimuth = t * fullTurnRadians;
    direction[0] = std::sin(polar) * std::cos(azimuth);
    direction[1] = std::cos(polar);
    direction[2] = -std::sin(polar) * std::sin(azimuth);
}

} // namespace

const double sunDirection[3] = {
    sunFromEye[0] / std::sqrt(dot3(sunFromEye, sunFromEye)),
    sunFromEye[1] / std::sqrt(dot3(sunFromEye, sunFromEye)),
    sunFromEye[2] / std::sqrt(dot3(sunFromEye, sunFromEye)),
};

// A ray that leaves the water downward meets the next wave at a grazing
// angle, which mirrors the sky: the lower half is the upper half mirrored,
// without the sun, whose reflection is the water's own glint. It goes on from
// the horizon without a step: reflections of the far water land on the
// horizon row, and the lookup filters and mipmaps across it, so a step there
// would show as dark dashes in every bright reflection. Only looking well
// down does the deep water's colour take over.
void skyColour(const double (&direction)[3], double (&rgb)[3]) {
    const double up = std::fabs(direction[1]);
    const double mirrored[3] = {direction[0], up, direction[2]};
    clearSky(up, rgb);
    if (up > cloudLowestUp)
        addClouds(mirrored, rgb);
    if (direction[1] < 0.0)
        blend(rgb, seaDeep, smoothStep(0.0, 1.0, up));
    else
        addSun(direction, rgb);
}

Picture makeSkyDomePicture(int width, int height) {
    Picture picture = blankPicture(width, height);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            double direction[3];
            domeDirection((column + 0.5) / width, (row + 0.5) / height, direction);
            double rgb[3];
            skyColour(direction, rgb);
            storeTexel(picture, column, row, rgb);
        }
    }
    return picture;
}

// Each texel shows the direction through its centre, as the normalisation
// cube map defines it, so the faces meet without seams.
Picture makeEnvironmentFace(int face, int size) {
    Picture picture = blankPicture(size, size);
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            float texelDirection[3];
            normalizeCubeDirection(face, size, column, row, texelDirection);
            normalizeVector3f(texelDirection);
            const double direction[3] = {texelDirection[0], texelDirection[1], texelDirection[2]};
            double rgb[3];
            skyColour(direction, rgb);
            storeTexel(picture, column, row, rgb);
        }
    }
    return picture;
}
