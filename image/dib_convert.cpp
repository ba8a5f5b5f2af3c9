// Our stand-in for the platform's DIB conversion: renders the normalised
// header, colour table and pixel data into 24-bit rows, bottom row first.
#include "image/dib_internal.h"

namespace {

// One colour channel of a 16- or 32-bit pixel: where its bits lie and how
// large a value they can hold.
struct ChannelMask {
    uint32_t mask;
    int shift;
    uint64_t largest;
};

// The layouts a 16- or 32-bit file without masks implies: 5-5-5 and 8-8-8.
constexpr uint32_t defaultMasks16[3] = {0x7C00, 0x03E0, 0x001F};
constexpr uint32_t defaultMasks32[3] = {0xFF0000, 0x00FF00, 0x0000FF};

ChannelMask describeMask(uint32_t mask) {
    ChannelMask channel{mask, 0, 0};
    if (mask == 0)
        return channel;
    while ((mask >> channel.shift & 1u) == 0)
        ++channel.shift;
    channel.largest = mask >> channel.shift;
    return channel;
}

// Rounds the channel's value to the nearest of 0..255, so full scale stays full.
unsigned char scaleChannel(uint32_t value, const ChannelMask& channel) {
    if (channel.mask == 0)
        return 0;
    uint64_t v = (value & channel.mask) >> channel.shift;
    return static_cast<unsigned char>((v * 255 + channel.largest / 2) / channel.largest);
}

void describeMasks(const NormalisedDib& dib, ChannelMask channels[3]) {
    const uint32_t* masks = dib.colorMasks;
    if (dib.header.compression != dibCompressionBitFields)
        masks = dib.header.bitCount == 16 ? defaultMasks16 : defaultMasks32;
    for (int i = 0; i < 3; ++i)
        channels[i] = describeMask(masks[i]);
}

void writeMaskedColor(uint32_t value, const ChannelMask channels[3], unsigned char* pixel) {
    pixel[0] = scaleChannel(value, channels[2]);
    pixel[1] = scaleChannel(value, channels[1]);
    pixel[2] = scaleChannel(value, channels[0]);
}

// Palette indices are packed most significant bits first.
uint32_t paletteIndex(const unsigned char* row, int bitCount, size_t x) {
    size_t bit = x * bitCount;
    unsigned shift = 8 - bitCount - bit % 8;
    return row[bit / 8] >> shift & ((1u << bitCount) - 1);
}

void convertRow(const NormalisedDib& dib, const ChannelMask channels[3], const unsigned char* row,
                unsigned char* target) {
    int bitCount = dib.header.bitCount;
    size_t width = static_cast<size_t>(dib.header.width);
    for (size_t x = 0; x < width; ++x) {
        unsigned char* pixel = target + 3 * x;
        if (bitCount <= 8) {
            writePaletteColor(dib, paletteIndex(row, bitCount, x), pixel);
        } else if (bitCount == 16) {
            writeMaskedColor(readLittle16(row + 2 * x), channels, pixel);
        } else if (bitCount == 24) {
            for (int c = 0; c < 3; ++c)
                pixel[c] = row[3 * x + c];
        } else {
            writeMaskedColor(readLittle32(row + 4 * x), channels, pixel);
        }
    }
}

// Source rows are padded to 4 bytes; a negative height stores them top first.
int32_t convertUncompressed(const NormalisedDib& dib, unsigned char* target) {
    const DibInfoHeader& h = dib.header;
    uint64_t rows = h.height < 0 ? -static_cast<int64_t>(h.height) : h.height;
    uint64_t sourceStride = (static_cast<uint64_t>(h.bitCount) * h.width + 31) / 32 * 4;
    if (sourceStride * rows > dib.bitsLength)
        return 0;
    ChannelMask channels[3];
    describeMasks(dib, channels);
    size_t targetStride = dibSectionStride(h.width);
    for (uint64_t y = 0; y < rows; ++y) {
        uint64_t sourceRow = h.height < 0 ? rows - 1 - y : y;
        convertRow(dib, channels, dib.bits + sourceRow * sourceStride, target + y * targetStride);
    }
    return static_cast<int32_t>(rows);
}

bool isUncompressedDepth(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 ||
           bitCount == 32;
}

// Which combinations of bit count and compression the converter knows.
// Run-length data is always stored bottom row first.
bool isConvertible(const DibInfoHeader& h) {
    switch (h.compression) {
    case dibCompressionNone:
        return isUncompressedDepth(h.bitCount);
    case dibCompressionBitFields:
        return h.bitCount == 16 || h.bitCount == 32;
    case dibCompressionRle8:
        return h.bitCount == 8 && h.height > 0;
    case dibCompressionRle4:
        return h.bitCount == 4 && h.height > 0;
    default:
        return false;
    }
}

} // namespace

size_t dibSectionStride(int32_t width) {
    size_t w = static_cast<size_t>(width);
    return 3 * w + w % 4;
}

void writePaletteColor(const NormalisedDib& dib, uint32_t index, unsigned char* pixel) {
    if (index >= dib.colorCount) {
        pixel[0] = pixel[1] = pixel[2] = 0;
        return;
    }
    const unsigned char* entry = dib.colorTable + dibQuadEntrySize * index;
    pixel[0] = entry[0];
    pixel[1] = entry[1];
    pixel[2] = entry[2];
}

int32_t convertDibPixels(const NormalisedDib& dib, unsigned char* target) {
    if (!isConvertible(dib.header) || dib.bits == nullptr || dib.bitsLength == 0)
        return 0;
    if (dib.header.compression == dibCompressionRle8 ||
        dib.header.compression == dibCompressionRle4) {
        return expandDibRunLengths(dib, target) ? dib.header.height : 0;
    }
    return convertUncompressed(dib, target);
}
