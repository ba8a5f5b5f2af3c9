// Run-length DIB data (8 bits a pixel for compression 1, 4 bits for
// compression 2). Runs that reach past a row's end or past the last row are
// cut off there: nothing is written outside the target rows, nothing read
// past the data. Data that stops short, before its end-of-bitmap code and
// before its last row, or in the middle of a command, is damage: a picture
// with black bands where its rows were lost would pass for a good one.
#include <algorithm>
#include <cstring>

#include "image/dib_internal.h"

namespace {

constexpr unsigned char rleEndOfLine = 0;
constexpr unsigned char rleEndOfBitmap = 1;
constexpr unsigned char rleDelta = 2;

// The position the next pixel goes to, counted from the bottom-left corner.
// Wide enough that no stream can make it wrap around.
struct RleCursor {
    uint64_t x;
    uint64_t y;
};

// The n-th index of a run or literal: whole bytes, or nibbles high one first.
uint32_t indexOf(bool fourBit, const unsigned char* bytes, unsigned n) {
    if (!fourBit)
        return bytes[n];
    unsigned char byte = bytes[n / 2];
    return n % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

// Where count pixels from the cursor on go in the target, and how many of
// them fit in the row (none past the row's end or the last row): the bounds
// are settled once for a run, not for every pixel.
unsigned char* rowSpan(const NormalisedDib& dib, unsigned char* target, const RleCursor& at,
                       unsigned count, unsigned& fitting) {
    uint64_t width = static_cast<uint64_t>(dib.header.width);
    uint64_t rows = static_cast<uint64_t>(dib.header.height);
    fitting = 0;
    if (at.x >= width || at.y >= rows)
        return target;
    fitting = static_cast<unsigned>(std::min<uint64_t>(count, width - at.x));
    return target + at.y * dibSectionStride(dib.header.width) + 3 * at.x;
}

// A run repeats one colour, or for 4 bits alternates the colours of the two
// nibbles of its value.
void writeRun(const NormalisedDib& dib, unsigned char* target, RleCursor& at, bool fourBit,
              unsigned count, unsigned char value) {
    unsigned char colours[2][3];
    writePaletteColor(dib, indexOf(fourBit, &value, 0), colours[0]);
    writePaletteColor(dib, indexOf(fourBit, &value, fourBit ? 1 : 0), colours[1]);
    unsigned fitting = 0;
    unsigned char* pixel = rowSpan(dib, target, at, count, fitting);
    for (unsigned i = 0; i < fitting; ++i, pixel += 3)
        std::memcpy(pixel, colours[i % 2], 3);
    at.x += count;
}

// Literal pixels follow the escape, padded to a 16-bit boundary. Returns the
// bytes consumed, 0 when the data ends before the pixels do.
size_t writeLiteral(const NormalisedDib& dib, unsigned char* target, RleCursor& at, bool fourBit,
                    unsigned count, const unsigned char* data, size_t available) {
    size_t bytes = fourBit ? (count + 1) / 2 : count;
    if (bytes > available)
        return 0;
    unsigned fitting = 0;
    unsigned char* pixel = rowSpan(dib, target, at, count, fitting);
    for (unsigned i = 0; i < fitting; ++i, pixel += 3)
        writePaletteColor(dib, indexOf(fourBit, data, i), pixel);
    at.x += count;
    size_t padded = bytes + bytes % 2;
    return padded < available ? padded : available;
}

} // namespace

bool expandDibRunLengths(const NormalisedDib& dib, unsigned char* target) {
    bool fourBit = dib.header.compression == dibCompressionRle4;
    uint64_t rows = static_cast<uint64_t>(dib.header.height);
    const unsigned char* p = dib.bits;
    const unsigned char* end = dib.bits + dib.bitsLength;
    RleCursor at{0, 0};
    while (end - p >= 2 && at.y < rows) {
        unsigned char count = p[0];
        unsigned char code = p[1];
        p += 2;
        if (count > 0) {
            writeRun(dib, target, at, fourBit, count, code);
        } else if (code == rleEndOfLine) {
            at = RleCursor{0, at.y + 1};
        } else if (code == rleEndOfBitmap) {
            return true;
        } else if (code == rleDelta) {
            if (end - p < 2)
                return false;
            at = RleCursor{at.x + p[0], at.y + p[1]};
            p += 2;
        } else {
            size_t used = writeLiteral(dib, target, at, fourBit, code, p, end - p);
            if (used == 0)
                return false;
            p += used;
        }
    }
    // Past the last row whatever follows is ignored. Out of data, the
    // picture is whole once its last row was reached with no command left
    // half-read.
    return at.y >= rows || (p == end && at.y + 1 == rows);
}
