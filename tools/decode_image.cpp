// decode-image IN OUT: decodes IN with the viewer's own loaders (JPEG for
// the extensions .jpg and .jpeg, DIB otherwise) and writes it as a binary
// PPM, or as a PGM for a greyscale JPEG, top row first.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "image/image.h"

namespace {

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

// Netpbm stores the top row first: the rows go out in reverse.
// The JPEG loader gives grey or RGB: printers' CMYK files come out as RGB.
bool writeNetpbm(const char* name, const DecodedImage& picture) {
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
    DecodedImage picture =
        hasJpegExtension(argv[1]) ? decodeJpegFile(argv[1]) : decodeDibFile(argv[1]);
    bool written = picture.pixels != nullptr && writeNetpbm(argv[2], picture);
    freeDecodedImage(picture);
    return written ? 0 : 1;
}
