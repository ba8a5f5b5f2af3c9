// 24-bit BMP files: the information header, rows bottom first in blue,
// green, red order, each padded to four bytes (dib_file.cpp).
#include <cstdio>

#include "tools/assets/asset_pictures.h"
#include "tools/assets/dib_file.h"

namespace {

// The picture's row 0 is the first row uploaded, which is also the first row
// a BMP stores: rows are packed in the picture's order, as 0xRRGGBB.
std::vector<std::vector<uint32_t>> colourRows(const Picture& picture) {
    std::vector<std::vector<uint32_t>> rows(picture.height, std::vector<uint32_t>(picture.width));
    for (int row = 0; row < picture.height; ++row) {
        const unsigned char* source =
            &picture.samples[static_cast<std::size_t>(row) * picture.width * 3];
        for (int column = 0; column < picture.width; ++column, source += 3)
            rows[row][column] = uint32_t{source[0]} << 16 | uint32_t{source[1]} << 8 | source[2];
    }
    return rows;
}

} // namespace

bool writeBmpFile(const std::string& path, const Picture& picture) {
    DibFileLayout layout;
    layout.width = picture.width;
    layout.height = picture.height;
    layout.bits = packDibRows(colourRows(picture), layout.bitCount);
    const Bytes out = buildDibFile(layout);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool written = file != nullptr && std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (file != nullptr && std::fclose(file) != 0)
        written = false;
    if (!written)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return written;
}
