// decode-image IN OUT: decodes IN with the viewer's own loaders (JPEG for
// the extensions .jpg and .jpeg, DIB otherwise) and writes it as a binary
// PPM, or as a PGM for a greyscale JPEG, top row first.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "image/image.h"

namespace {

// A decoded picture as the loaders give it: bottom row first, rows packed.
// The DIB loader's record, if any, is held to be released with the pixels.
struct DecodedPicture {
    unsigned char* pixels;
    RgbImage* record;
    int32_t width;
    int32_t height;
    int32_t components;
};

bool hasJpegExtension(const char* name) {
    std::string lower(name);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    auto endsWith = [&lower](const char* suffix) {
        size_t n = std::strlen(suffix);
        return lower.size() >= n && lower.compare(lower.size() - n, n, suffix) == 0;
    };
    return endsWith(".jpg") || endsWith(".jpeg");
}

// The loader gives grey or RGB: printers' CMYK files come out as RGB.
bool decodeJpeg(const char* name, DecodedPicture& picture) {
    unsigned char* pixels = loadJpegImage(name);
    if (pixels == nullptr)
        return false;
    picture = DecodedPicture{pixels, nullptr, jpegRowBytes / jpegImageComponents, jpegImageHeight,
                             jpegImageComponents};
    return true;
}

bool decodeDib(const char* name, DecodedPicture& picture) {
    RgbImage* image = loadDibImage(name);
    if (image == nullptr)
        return false;
    picture = DecodedPicture{image->pixels, image, image->width, image->height, 3};
    return true;
}

// Netpbm stores the top row first: the rows go out in reverse.
bool writeNetpbm(const char* name, const DecodedPicture& picture) {
    std::FILE* out = std::fopen(name, "wb");
    if (out == nullptr) {
        std::fprintf(stderr, "decode-image: can't create %s\n", name);
        return false;
    }
    std::fprintf(out, "%s\n%d %d\n255\n", picture.components == 1 ? "P5" : "P6", picture.width,
                 picture.height);
    size_t rowBytes = static_cast<size_t>(picture.width) * picture.components;
    bool written = true;
    for (int32_t row = picture.height - 1; row >= 0 && written; --row)
        written = std::fwrite(picture.pixels + row * rowBytes, 1, rowBytes, out) == rowBytes;
    written = std::fclose(out) == 0 && written;
    if (!written)
        std::fprintf(stderr, "decode-image: can't write %s\n", name);
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: decode-image IN OUT.ppm\n");
        return 2;
    }
    DecodedPicture picture{};
    bool decoded =
        hasJpegExtension(argv[1]) ? decodeJpeg(argv[1], picture) : decodeDib(argv[1], picture);
    bool written = decoded && writeNetpbm(argv[2], picture);
    std::free(picture.pixels);
    std::free(picture.record);
    return written ? 0 : 1;
}
