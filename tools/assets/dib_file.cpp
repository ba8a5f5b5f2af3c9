// DIB files byte by byte: every header form the loader reads, written as
// the layout says, whether or not the result makes sense.
#include "tools/assets/dib_file.h"

#include <cstddef>

namespace {

void put16(Bytes& out, uint32_t v) {
    out.push_back(v & 0xFF);
    out.push_back(v >> 8 & 0xFF);
}

void put32(Bytes& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putHeader(Bytes& out, const DibFileLayout& layout) {
    put32(out, layout.headerSize);
    if (layout.headerSize == 12) {
        put16(out, static_cast<uint32_t>(layout.width));
        put16(out, static_cast<uint32_t>(layout.height));
        put16(out, 1);
        put16(out, layout.bitCount);
        return;
    }
    put32(out, static_cast<uint32_t>(layout.width));
    put32(out, static_cast<uint32_t>(layout.height));
    put16(out, 1);
    put16(out, layout.bitCount);
    put32(out, layout.compression);
    put32(out, static_cast<uint32_t>(layout.bits.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, layout.colorsUsed);
    put32(out, 0);
    for (uint32_t i = 40; i < layout.headerSize; ++i)
        out.push_back(0);
}

void putPalette(Bytes& out, const DibFileLayout& layout) {
    for (uint32_t colour : layout.palette) {
        out.push_back(colour & 0xFF);
        out.push_back(colour >> 8 & 0xFF);
        out.push_back(colour >> 16 & 0xFF);
        if (layout.headerSize != 12)
            out.push_back(0);
    }
}

} // namespace

Bytes buildDibFile(const DibFileLayout& layout) {
    Bytes body;
    putHeader(body, layout);
    for (uint32_t mask : layout.masks)
        put32(body, mask);
    putPalette(body, layout);
    body.insert(body.end(), layout.gap.begin(), layout.gap.end());
    Bytes file;
    if (layout.fileHeader) {
        uint32_t offset = layout.pixelOffset >= 0 ? static_cast<uint32_t>(layout.pixelOffset)
                                                  : static_cast<uint32_t>(14 + body.size());
        file = {'B', 'M'};
        put32(file, static_cast<uint32_t>(14 + body.size() + layout.bits.size()));
        put32(file, 0);
        put32(file, offset);
    }
    file.insert(file.end(), body.begin(), body.end());
    file.insert(file.end(), layout.bits.begin(), layout.bits.end());
    return file;
}

Bytes packDibRows(const std::vector<std::vector<uint32_t>>& rows, int bitCount) {
    Bytes out;
    for (const std::vector<uint32_t>& row : rows) {
        Bytes packed((row.size() * bitCount + 31) / 32 * 4, 0);
        for (std::size_t x = 0; x < row.size(); ++x) {
            std::size_t bit = x * bitCount;
            uint32_t v = row[x];
            if (bitCount < 8)
                packed[bit / 8] |= v << (8 - bitCount - bit % 8);
            for (int b = 0; bitCount >= 8 && b < bitCount / 8; ++b)
                packed[bit / 8 + b] = v >> (8 * b) & 0xFF;
        }
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}
