#include "tests/unit/image_load_support.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include "image/dib_internal.h"

CapturedLoad loadDibCapturing(const std::string& path) {
    testing::internal::CaptureStderr();
    RgbImage* image = loadDibImage(path.c_str());
    return CapturedLoad{image, testing::internal::GetCapturedStderr()};
}

CapturedLoad decodeDibCapturing(const std::vector<unsigned char>& bytes) {
    testing::internal::CaptureStderr();
    RgbImage* image = decodeDibBytes(bytes.data(), bytes.size());
    return CapturedLoad{image, testing::internal::GetCapturedStderr()};
}

void releaseImage(RgbImage* image) {
    if (image != nullptr)
        std::free(image->pixels);
    std::free(image);
}

std::vector<uint32_t> imageColours(const RgbImage* image) {
    std::vector<uint32_t> colours;
    if (image == nullptr)
        return colours;
    const unsigned char* p = image->pixels;
    for (int64_t i = 0; i < int64_t(image->width) * image->height; ++i, p += 3)
        colours.push_back(uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2]);
    return colours;
}

int messageCount(const std::string& errors) {
    int count = 0;
    for (size_t at = errors.find("Error: "); at != std::string::npos;
         at = errors.find("Error: ", at + 1))
        ++count;
    return count;
}
