// The images the viewer reads, computed texel by texel from a small model of
// a sky over the sea and of a sandy bottom. Everything is deterministic.
#pragma once

#include <string>

#include "tools/pictures/picture.h"

// ---- Noise (asset_noise.cpp) ----------------------------------------------
double valueNoise(double x, double y, unsigned int seed);
// Octaves of value noise, each of twice the frequency and half the weight;
// the result lies in [0, 1].
double fractalNoise(double x, double y, int octaves, unsigned int seed);
double smoothStep(double edge0, double edge1, double x);
double mixValue(double a, double b, double t);

// ---- Sky model (asset_sky.cpp) --------------------------------------------
// Directions are unit vectors in the y-up frame of the reflection lookups:
// +y is the zenith, the sea lies below y = 0.
extern const double sunDirection[3];
void skyColour(const double (&direction)[3], double (&rgb)[3]);

// ---- Pictures (asset_sky.cpp, asset_bottom.cpp) ---------------------------
// The sky dome's texture: columns from the zenith (left) to the horizon at
// 7/8 of the width, rows once around the horizon, joining top to bottom.
Picture makeSkyDomePicture(int width, int height);
// Face 0..5 of the environment cube map in the order +X, -X, +Y, -Y, +Z, -Z.
Picture makeEnvironmentFace(int face, int size);
Picture makeBottomPicture(int size);

// ---- Files (asset_bmp.cpp, asset_jpeg.cpp) --------------------------------
// How a JPEG stores its picture: the generator takes the library's choices
// at a quality; the image tests choose the stored colour space (a
// J_COLOR_SPACE; 0 for the library's choice) and full-resolution chroma too.
struct JpegSettings {
    int quality;
    int storedColourSpace = 0;
    bool fullChroma = false;
};
// Both return false, with a line on standard error, when the file cannot be
// written. A BMP takes colour pictures only.
bool writeBmpFile(const std::string& path, const Picture& picture);
bool writeJpegFile(const std::string& path, const Picture& picture, const JpegSettings& settings);
bool writeJpegFile(const std::string& path, const Picture& picture, int quality);
