// Loading a DIB (BMP) file into an RgbImage: map the file, normalise its
// headers, render the pixels into 24-bit rows, copy them out as RGB.
#include <cstdlib>
#include <string>

#include "image/dib_internal.h"

bool errorMessages = true;

namespace {

uint64_t rowCount(const DibInfoHeader& h) {
    return h.height < 0 ? -static_cast<int64_t>(h.height) : h.height;
}

// Nothing a header says may make a buffer size wrap or exceed what a
// picture of this program could need.
bool dimensionsSound(const DibInfoHeader& h) {
    return h.width > 0 && h.width <= imageMaxSide && h.height != 0 && rowCount(h) <= imageMaxSide;
}

// The 24-bit section the converter renders into, zero-filled like a fresh
// DIB section, so pixels that run-length data skips come out black.
const char* renderSection(const NormalisedDib& dib, unsigned char*& section) {
    if (!dimensionsSound(dib.header))
        return dibConversionErrorText;
    section = static_cast<unsigned char*>(
        std::calloc(rowCount(dib.header), dibSectionStride(dib.header.width)));
    if (section == nullptr)
        return dibOutOfMemoryText;
    if (convertDibPixels(dib, section) == 0)
        return dibConversionErrorText;
    return nullptr;
}

// Blue, green, red with fill bytes to red, green, blue without them.
const char* copySectionToRgb(const unsigned char* section, const DibInfoHeader& h,
                             unsigned char*& pixels) {
    size_t width = static_cast<size_t>(h.width);
    size_t rows = rowCount(h);
    pixels = static_cast<unsigned char*>(std::malloc(width * rows * 3));
    if (pixels == nullptr)
        return dibOutOfMemoryText;
    unsigned char* out = pixels;
    for (size_t y = 0; y < rows; ++y) {
        for (size_t x = 0; x < width; ++x, section += 3, out += 3) {
            out[0] = section[2];
            out[1] = section[1];
            out[2] = section[0];
        }
        section += width % 4;
    }
    return nullptr;
}

// A top-down file has been turned bottom row first, so its record says
// how many rows there are, not which way they ran in the file.
const char* makeRecord(const DibInfoHeader& h, unsigned char* pixels, RgbImage*& image) {
    image = static_cast<RgbImage*>(std::malloc(sizeof(RgbImage)));
    if (image == nullptr)
        return dibOutOfMemoryText;
    image->width = h.width;
    image->height = static_cast<int32_t>(rowCount(h));
    image->pixels = pixels;
    return nullptr;
}

} // namespace

RgbImage* decodeDibBytes(const unsigned char* file, size_t size) {
    NormalisedDib dib;
    unsigned char* section = nullptr;
    unsigned char* pixels = nullptr;
    RgbImage* image = nullptr;
    const char* failure = readDibHeaders(file, size, dib);
    if (failure == nullptr)
        failure = renderSection(dib, section);
    if (failure == nullptr)
        failure = copySectionToRgb(section, dib.header, pixels);
    if (failure == nullptr)
        failure = makeRecord(dib.header, pixels, image);
    std::free(section);
    std::free(dib.colorTable);
    if (failure != nullptr) {
        std::free(pixels);
        showImageMessage(failure);
    }
    return image;
}

RgbImage* loadDibImage(const char* fileName) {
    MappedFile file;
    if (!mapWholeFile(fileName, file)) {
        showDibOpenFailure(fileName);
        return nullptr;
    }
    RgbImage* image = decodeDibBytes(file.data, file.size);
    unmapWholeFile(file);
    return image;
}

// The wide name opens the same file once it is spelt in UTF-8, and the
// open-failure message shows it the same way.
RgbImage* loadDibImageWide(const char16_t* fileName) {
    std::string name = wideNameToUtf8(fileName);
    return loadDibImage(name.c_str());
}
