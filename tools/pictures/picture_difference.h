// How far apart two RGB pictures of one size are, for the reference pictures of
// the sea: no rendering context and no file format, so the arithmetic can be
// tested on small pictures made in the test.
#pragma once

#include "tools/pictures/picture.h"

// Two views of the difference: pixels far off (edges and details that
// moved) and blocks whose mean colour moved (a tint, a changed weight),
// which a renderer's rounding of single pixels does not.
constexpr int differenceBlockSize = 16;
struct PictureDifference {
    double sharePixelsOff; // pixels with a channel off by more than pixelLimit levels
    double shareBlocksOff; // blocks with a channel's mean off by more than blockLimit levels
};
PictureDifference comparePictures(const Picture& actual, const Picture& expected, int pixelLimit,
                                  double blockLimit);
// The tolerance of the reference pictures: at most 0.25 % of the pixels off
// by more than 24 levels and at most 1 % of the blocks off by more than 2
// (why these numbers: tests/gl/reference_picture_test.cpp).
constexpr int referencePixelLimit = 24;
constexpr double referenceMaxSharePixelsOff = 0.0025;
constexpr double referenceBlockLimit = 2.0;
constexpr double referenceMaxShareBlocksOff = 0.01;
PictureDifference compareWithReference(const Picture& actual, const Picture& expected);
bool withinReferenceTolerance(const PictureDifference& difference);

// The absolute difference, four times amplified, for a person to look at.
Picture differencePicture(const Picture& actual, const Picture& expected);
