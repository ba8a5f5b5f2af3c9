// Pixel buffers of the generated textures.
#include <cstdio>
#include <cstdlib>

#include "render/texture_support.h"

unsigned char* allocateTextureBuffer(std::size_t bytes, const char* failureMessage) {
    auto* buffer = static_cast<unsigned char*>(std::malloc(bytes));
    if (buffer == nullptr) {
        std::printf("%s", failureMessage);
        std::fflush(stdout);
        std::exit(EXIT_FAILURE);
    }
    return buffer;
}
