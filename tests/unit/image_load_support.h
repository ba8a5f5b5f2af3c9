// Loading helpers shared by the image tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image/image.h"

// A DIB load with everything it wrote to standard error.
struct CapturedLoad {
    RgbImage* image;
    std::string errors;
};

CapturedLoad loadDibCapturing(const std::string& path);
CapturedLoad decodeDibCapturing(const std::vector<unsigned char>& bytes);
void releaseImage(RgbImage* image);
// 0xRRGGBB of every pixel, bottom row first.
std::vector<uint32_t> imageColours(const RgbImage* image);
// How many messages were shown: each starts with the caption.
int messageCount(const std::string& errors);
