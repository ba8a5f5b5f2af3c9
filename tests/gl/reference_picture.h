// Reference pictures of the sea: whole frames drawn from a fixed sea and
// compared with PNG files kept in the repository.
#pragma once

#include <string>
#include <vector>

namespace reference_picture {

// 8-bit RGB, rows from the top of the picture down, as a PNG stores them.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> samples;
};

// Both return false, with the reason in error, when the file cannot be read
// or written.
bool readPng(const std::string& path, RgbPicture& picture, std::string& error);
bool writePng(const std::string& path, const RgbPicture& picture, std::string& error);

// Two views of how far apart two pictures of one size are: pixels far off
// (edges and details that moved) and blocks whose mean colour moved (a tint,
// a changed weight), which a renderer's rounding of single pixels does not.
constexpr int differenceBlockSize = 16;
struct PictureDifference {
    double sharePixelsOff; // pixels with a channel off by more than pixelLimit levels
    double shareBlocksOff; // blocks with a channel's mean off by more than blockLimit levels
};
PictureDifference comparePictures(const RgbPicture& actual, const RgbPicture& expected,
                                  int pixelLimit, double blockLimit);
// The absolute difference, four times amplified, for a person to look at.
RgbPicture differencePicture(const RgbPicture& actual, const RgbPicture& expected);

} // namespace reference_picture
