// The image tests' files, in a temporary directory of their process that is
// removed when it ends.
#pragma once

#include <string>

#include "tools/assets/dib_file.h"

// A fresh file in this process's temporary directory; returns its path.
std::string writeImageTempFile(const std::string& name, const Bytes& bytes);
std::string imageTempDirectory();
