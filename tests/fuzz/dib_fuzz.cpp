// libFuzzer entry over the DIB loader's byte-level decoding: whatever the
// bytes, it must return a sound picture or null, reading and writing only
// what belongs to it. The sanitizer checks the copy into the record's block,
// so the block is known to be as large as the record says.
#include <cstdint>
#include <cstdlib>

#include "image/dib_internal.h"

namespace {

// Every code path is reached by small pictures; a large one only costs an
// allocation and a pass over megabytes of black for nothing new.
constexpr uint64_t fuzzMaxPixelBytes = 64 * 1024;

// A picture the loader would accept the size of, but larger than the fuzzer
// cares to render. Headers the loader refuses are decoded, to test refusing.
bool tooLargeToDecode(const uint8_t* data, size_t size) {
    NormalisedDib dib;
    const char* failure = readDibHeaders(data, size, dib);
    std::free(dib.colorTable);
    const DibInfoHeader& h = dib.header;
    if (failure != nullptr || h.width <= 0 || h.width > imageMaxSide || h.height == 0 ||
        h.height < -imageMaxSide || h.height > imageMaxSide)
        return false;
    uint64_t rows = h.height < 0 ? -static_cast<int64_t>(h.height) : h.height;
    return static_cast<uint64_t>(h.width) * rows * 3 > fuzzMaxPixelBytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    errorMessages = false;
    if (tooLargeToDecode(data, size))
        return -1; // not worth keeping in the corpus
    RgbImage* image = decodeDibBytes(data, size);
    if (image == nullptr)
        return 0;
    if (image->width <= 0 || image->height <= 0 || image->width > imageMaxSide ||
        image->height > imageMaxSide || image->pixels == nullptr)
        __builtin_trap();
    std::free(image->pixels);
    std::free(image);
    return 0;
}
