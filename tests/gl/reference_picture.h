// Reference pictures of the sea: whole frames drawn from a fixed sea and
// compared (tests/unit/picture_difference.h) with PNG files kept in the
// repository.
#pragma once

#include <string>

#include "tests/unit/picture_difference.h"

namespace reference_picture {

// Both return false, with the reason in error, when the file cannot be read
// or written.
bool readPng(const std::string& path, RgbPicture& picture, std::string& error);
bool writePng(const std::string& path, const RgbPicture& picture, std::string& error);

} // namespace reference_picture
