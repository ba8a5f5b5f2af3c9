// PNG files of pictures: the reference pictures and the figures' frames.
#pragma once

#include <string>

#include "tools/pictures/picture.h"

// Both return false, with the reason in error, when the file cannot be read
// or written. Both are RGB.
bool readPng(const std::string& path, Picture& picture, std::string& error);
bool writePng(const std::string& path, const Picture& picture, std::string& error);
