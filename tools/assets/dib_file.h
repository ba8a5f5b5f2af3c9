// Builds DIB files byte by byte, in every header form the loader reads and
// in forms it must refuse: the generator's BMP files (asset_bmp.cpp), the
// image tests' files and the fuzzer's seeds.
#pragma once

#include <cstdint>
#include <vector>

using Bytes = std::vector<unsigned char>;

// One file as written. Colours are 0xRRGGBB; rows are bottom first unless the
// height is negative.
struct DibFileLayout {
    uint32_t headerSize = 40; // 12 writes the core form; others the information layout
    bool fileHeader = true;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks; // written after the information header
    std::vector<uint32_t> palette;
    Bytes gap;                // between the colour table and the pixels
    int64_t pixelOffset = -1; // the file header's field; -1 for right after the gap
    Bytes bits;
};

Bytes buildDibFile(const DibFileLayout& layout);
// Rows of pixel values (palette indices, or raw 16/32-bit words, or
// 0xRRGGBB for 24 bits) packed as stored, each row padded to 4 bytes.
Bytes packDibRows(const std::vector<std::vector<uint32_t>>& rows, int bitCount);
