// Either loader's result as one record, the JPEG loader's row length turned
// into a width in pixels.
#include <cstdlib>

#include "image/image.h"

// Before any JPEG has been read the loader publishes no components: the
// width is then 0, not a division by zero.
DecodedImage decodeJpegFile(const char* fileName, int32_t maxSide) {
    unsigned char* pixels = loadJpegImage(fileName, maxSide);
    const int32_t components = jpegImageComponents;
    const int32_t width = components > 0 ? jpegRowBytes / components : 0;
    return DecodedImage{pixels, width, jpegImageHeight, components, nullptr};
}

DecodedImage decodeDibFile(const char* fileName) {
    RgbImage* image = loadDibImage(fileName);
    if (image == nullptr)
        return DecodedImage{nullptr, 0, 0, rgbBytes, nullptr};
    return DecodedImage{image->pixels, image->width, image->height, rgbBytes, image};
}

void freeDecodedImage(DecodedImage& image) {
    std::free(image.pixels);
    std::free(image.record);
    image = DecodedImage{nullptr, 0, 0, image.components, nullptr};
}
