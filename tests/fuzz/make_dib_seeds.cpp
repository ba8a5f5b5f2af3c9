// make-dib-seeds DIR: writes small valid DIB files of every form the loader
// reads, the starting corpus of the DIB fuzzer.
#include <cstdio>
#include <string>

#include "tools/assets/dib_file.h"

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

Rows patternRows(int width, int height, uint32_t modulus) {
    Rows rows(height, std::vector<uint32_t>(width));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[y][x] = (x * 7 + y * 3 + x * y) % modulus;
    return rows;
}

std::vector<uint32_t> rampPalette(size_t n) {
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < n; ++i)
        palette.push_back((i * 37 % 256) << 16 | (i * 11 % 256) << 8 | (255 - i % 256));
    return palette;
}

DibFileLayout packedLayout(int bitCount, int width, int height, uint32_t modulus) {
    DibFileLayout layout;
    layout.width = width;
    layout.height = height;
    layout.bitCount = static_cast<uint16_t>(bitCount);
    layout.bits = packDibRows(patternRows(width, height, modulus), bitCount);
    if (bitCount <= 8)
        layout.palette = rampPalette(size_t(1) << bitCount);
    return layout;
}

std::vector<std::pair<std::string, DibFileLayout>> seedFiles() {
    std::vector<std::pair<std::string, DibFileLayout>> seeds;
    for (int bits : {1, 4, 8}) {
        DibFileLayout info = packedLayout(bits, 7, 5, 1u << bits);
        seeds.push_back({"palette" + std::to_string(bits) + ".bmp", info});
        DibFileLayout core = info;
        core.headerSize = 12;
        seeds.push_back({"core" + std::to_string(bits) + ".bmp", core});
        core.fileHeader = false;
        seeds.push_back({"core" + std::to_string(bits) + ".dib", core});
    }
    DibFileLayout used = packedLayout(8, 6, 4, 16);
    used.palette.resize(16);
    used.colorsUsed = 16;
    seeds.push_back({"used16.bmp", used});
    DibFileLayout rgb = packedLayout(24, 5, 3, 0xFFFFFF);
    seeds.push_back({"rgb24.bmp", rgb});
    rgb.fileHeader = false;
    seeds.push_back({"rgb24.dib", rgb});
    DibFileLayout top = packedLayout(24, 3, 4, 0xFFFFFF);
    top.height = -4;
    seeds.push_back({"topdown24.bmp", top});
    DibFileLayout gap = packedLayout(24, 2, 2, 0xFFFFFF);
    gap.gap = Bytes(6, 0xAB);
    seeds.push_back({"gap24.bmp", gap});
    seeds.push_back({"rgb555.bmp", packedLayout(16, 5, 3, 0x8000)});
    DibFileLayout rgb565 = packedLayout(16, 5, 3, 0x10000);
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    seeds.push_back({"rgb565.bmp", rgb565});
    rgb565.fileHeader = false;
    seeds.push_back({"rgb565.dib", rgb565});
    seeds.push_back({"rgbx32.bmp", packedLayout(32, 3, 3, 0xFFFFFFFF)});
    DibFileLayout masked32 = packedLayout(32, 3, 3, 0xFFFFFFFF);
    masked32.compression = 3;
    masked32.masks = {0x3FF, 0xFFC00, 0x3FF00000};
    seeds.push_back({"rgb101010.bmp", masked32});
    DibFileLayout rle8 = packedLayout(8, 6, 3, 1);
    rle8.compression = 1;
    rle8.bits = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 5, 0, 0, 0, 2, 4, 0, 2, 6, 0, 1};
    seeds.push_back({"rle8.bmp", rle8});
    DibFileLayout rle4 = packedLayout(4, 5, 2, 1);
    rle4.compression = 2;
    rle4.bits = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
    seeds.push_back({"rle4.bmp", rle4});
    return seeds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-dib-seeds DIR\n");
        return 2;
    }
    for (const auto& seed : seedFiles()) {
        Bytes bytes = buildDibFile(seed.second);
        std::string path = std::string(argv[1]) + "/" + seed.first;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            std::fprintf(stderr, "make-dib-seeds: can't write %s\n", path.c_str());
            return 1;
        }
        std::fclose(file);
    }
    return 0;
}
