// A 24-bit BMP writer: "BM" file header, 40-byte information header, rows
// bottom first in blue, green, red order, each padded to four bytes.
#include <cstdint>
#include <cstdio>

#include "tools/assets/asset_pictures.h"

namespace {

constexpr int fileHeaderBytes = 14;
constexpr int infoHeaderBytes = 40;
constexpr int bitsPerPixel = 24;
constexpr int pixelsPerMetre = 2835; // 72 dots per inch

void put16(std::vector<unsigned char>& out, unsigned int value) {
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::vector<unsigned char> bmpHeaders(const Picture& picture, std::uint32_t rowBytes) {
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, fileHeaderBytes + infoHeaderBytes + pixelBytes);
    put32(out, 0); // two reserved words
    put32(out, fileHeaderBytes + infoHeaderBytes);
    put32(out, infoHeaderBytes);
    put32(out, static_cast<std::uint32_t>(picture.width));
    put32(out, static_cast<std::uint32_t>(picture.height));
    put16(out, 1); // planes
    put16(out, bitsPerPixel);
    put32(out, 0); // uncompressed
    put32(out, pixelBytes);
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, 0); // colours used
    put32(out, 0); // colours important
    return out;
}

} // namespace

// The picture's row 0 is the first row uploaded, which is also the first row
// a BMP stores: rows are written in the picture's order.
bool writeBmpFile(const std::string& path, const Picture& picture) {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
    std::vector<unsigned char> out = bmpHeaders(picture, rowBytes);
    for (int row = 0; row < picture.height; ++row) {
        const unsigned char* source =
            &picture.samples[static_cast<std::size_t>(row) * picture.width * 3];
        for (int column = 0; column < picture.width; ++column) {
            out.push_back(source[column * 3 + 2]);
            out.push_back(source[column * 3 + 1]);
            out.push_back(source[column * 3 + 0]);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(picture.width) * 3; pad < rowBytes;
             ++pad)
            out.push_back(0);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (file != nullptr && std::fclose(file) != 0)
        written = false;
    if (!written)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return written;
}
