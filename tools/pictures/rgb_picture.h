// The pictures the tests and the figure tools compare and keep: 8-bit RGB
// frames read back from the window, and PNG files of them.
#pragma once

#include <string>
#include <vector>

namespace pictures {

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

} // namespace pictures
