// libFuzzer entry over the DIB loader's byte-level decoding: whatever the
// bytes, it must return a sound picture or null, reading and writing only
// what belongs to it.
#include <cstdint>
#include <cstdlib>

#include "image/dib_internal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    errorPopups = false;
    RgbImage* image = decodeDibBytes(data, size);
    if (image == nullptr)
        return 0;
    if (image->width <= 0 || image->height <= 0 || image->pixels == nullptr)
        __builtin_trap();
    // Reading every byte lets the sanitizer check the block is as large as
    // the record says.
    size_t bytes = static_cast<size_t>(image->width) * image->height * 3;
    unsigned sum = 0;
    for (size_t i = 0; i < bytes; ++i)
        sum += image->pixels[i];
    if (sum == 0xFFFFFFFFu)
        __builtin_trap();
    std::free(image->pixels);
    std::free(image);
    return 0;
}
