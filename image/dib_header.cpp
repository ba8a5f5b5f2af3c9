// Reading a DIB's headers and colour table into the normalised form. Every
// length is checked against the file before it is read.
#include <cstdlib>
#include <cstring>

#include "image/dib_internal.h"

uint16_t readLittle16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t readLittle32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint16_t dibColorCount(const unsigned char* infoHeader) {
    uint16_t bitCount;
    if (readLittle32(infoHeader) == dibCoreHeaderSize) {
        bitCount = readLittle16(infoHeader + 10);
    } else {
        uint32_t colorsUsed = readLittle32(infoHeader + 32);
        if (colorsUsed != 0)
            return static_cast<uint16_t>(colorsUsed);
        bitCount = readLittle16(infoHeader + 14);
    }
    switch (bitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

namespace {

// Where the pieces of the file lie, as offsets from its start.
struct DibLayout {
    size_t headerStart;
    bool pixelOffsetKnown;
    size_t pixelOffset;
    size_t tableStart;
    size_t entrySize;
};

bool startsWithBm(const unsigned char* file, size_t size) {
    return size >= 2 && file[0] == 'B' && file[1] == 'M';
}

// The file header, if any, and an information header of a known form that
// lies wholly inside the file.
const char* locateHeader(const unsigned char* file, size_t size, DibLayout& layout) {
    layout = DibLayout{0, false, 0, 0, dibQuadEntrySize};
    if (startsWithBm(file, size)) {
        if (size < dibFileHeaderSize)
            return dibUnknownFormatText;
        layout.headerStart = dibFileHeaderSize;
        layout.pixelOffsetKnown = true;
        layout.pixelOffset = readLittle32(file + dibPixelOffsetField);
    }
    if (size - layout.headerStart < 4)
        return dibUnknownFormatText;
    uint32_t headerSize = readLittle32(file + layout.headerStart);
    if (headerSize != dibCoreHeaderSize && headerSize != dibInfoHeaderSize)
        return dibUnknownFormatText;
    if (size - layout.headerStart < headerSize)
        return dibUnknownFormatText;
    // The count is a 16-bit quantity: a larger table would be cut short.
    if (headerSize == dibInfoHeaderSize &&
        readLittle32(file + layout.headerStart + 32) > dibMaxColorCount)
        return dibUnknownFormatText;
    layout.tableStart = layout.headerStart + headerSize;
    if (headerSize == dibCoreHeaderSize)
        layout.entrySize = dibCoreEntrySize;
    return nullptr;
}

void normaliseCoreHeader(const unsigned char* core, uint32_t count, DibInfoHeader& header) {
    header = DibInfoHeader{};
    header.size = dibInfoHeaderSize;
    header.width = readLittle16(core + 4);
    header.height = readLittle16(core + 6);
    header.planes = readLittle16(core + 8);
    header.bitCount = readLittle16(core + 10);
    header.compression = dibCompressionNone;
    header.colorsUsed = count;
    header.colorsImportant = count;
}

void copyInfoHeader(const unsigned char* info, DibInfoHeader& header) {
    header.size = readLittle32(info);
    header.width = static_cast<int32_t>(readLittle32(info + 4));
    header.height = static_cast<int32_t>(readLittle32(info + 8));
    header.planes = readLittle16(info + 12);
    header.bitCount = readLittle16(info + 14);
    header.compression = readLittle32(info + 16);
    header.imageSize = readLittle32(info + 20);
    header.xPixelsPerMetre = static_cast<int32_t>(readLittle32(info + 24));
    header.yPixelsPerMetre = static_cast<int32_t>(readLittle32(info + 28));
    header.colorsUsed = readLittle32(info + 32);
    header.colorsImportant = readLittle32(info + 36);
}

// The masks of compression 3 sit between the information header and the
// colour table, so the table (and, in a bare DIB, the pixels) come after them.
const char* readColorMasks(const unsigned char* file, size_t size, NormalisedDib& dib,
                           DibLayout& layout) {
    if (dib.header.compression != dibCompressionBitFields)
        return nullptr;
    if (size - layout.tableStart < dibMaskBytes)
        return dibUnknownFormatText;
    for (int i = 0; i < 3; ++i)
        dib.colorMasks[i] = readLittle32(file + layout.tableStart + 4 * i);
    layout.tableStart += dibMaskBytes;
    return nullptr;
}

// The table widened to 4-byte entries; a table the file does not hold in
// full is refused, so no palette index can reach past the file.
const char* copyColorTable(const unsigned char* file, size_t size, const DibLayout& layout,
                           NormalisedDib& dib) {
    size_t tableBytes = layout.entrySize * dib.colorCount;
    if (size - layout.tableStart < tableBytes)
        return dibUnknownFormatText;
    dib.colorTable =
        static_cast<unsigned char*>(std::malloc(dibQuadEntrySize * dib.colorCount + 1));
    if (dib.colorTable == nullptr)
        return dibOutOfMemoryText;
    const unsigned char* entry = file + layout.tableStart;
    for (uint32_t i = 0; i < dib.colorCount; ++i, entry += layout.entrySize) {
        unsigned char* quad = dib.colorTable + dibQuadEntrySize * i;
        std::memcpy(quad, entry, dibCoreEntrySize);
        quad[3] = layout.entrySize == dibQuadEntrySize ? entry[3] : 0;
    }
    return nullptr;
}

// With a file header the pixels lie where it says; without one, right after
// the colour table. What lies beyond the file's end is simply not there.
void locatePixels(const unsigned char* file, size_t size, const DibLayout& layout,
                  NormalisedDib& dib) {
    size_t offset = layout.pixelOffsetKnown ? layout.pixelOffset
                                            : layout.tableStart + layout.entrySize * dib.colorCount;
    dib.bits = offset <= size ? file + offset : nullptr;
    dib.bitsLength = offset <= size ? size - offset : 0;
}

} // namespace

const char* readDibHeaders(const unsigned char* file, size_t size, NormalisedDib& dib) {
    dib = NormalisedDib{};
    DibLayout layout;
    if (const char* failure = locateHeader(file, size, layout))
        return failure;
    const unsigned char* header = file + layout.headerStart;
    dib.colorCount = dibColorCount(header);
    if (layout.entrySize == dibCoreEntrySize) {
        normaliseCoreHeader(header, dib.colorCount, dib.header);
    } else {
        copyInfoHeader(header, dib.header);
        if (const char* failure = readColorMasks(file, size, dib, layout))
            return failure;
    }
    if (const char* failure = copyColorTable(file, size, layout, dib))
        return failure;
    locatePixels(file, size, layout, dib);
    return nullptr;
}
