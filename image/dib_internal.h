// The pieces behind loadDibImage: the file layout, the normalised header,
// the converter that renders it into bottom-first 24-bit rows, the read-only
// file mapping and the message layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/image.h"

// ---- File layout ----------------------------------------------------------
constexpr size_t dibFileHeaderSize = 14;
constexpr size_t dibPixelOffsetField = 10; // in the file header
constexpr uint32_t dibCoreHeaderSize = 12;
constexpr uint32_t dibInfoHeaderSize = 40;
constexpr size_t dibCoreEntrySize = 3; // blue, green, red
constexpr size_t dibQuadEntrySize = 4; // blue, green, red, reserved
constexpr size_t dibMaskBytes = 12;    // red, green and blue masks of compression 3
constexpr uint32_t dibMaxColorCount = 65535;

constexpr uint32_t dibCompressionNone = 0;
constexpr uint32_t dibCompressionRle8 = 1;
constexpr uint32_t dibCompressionRle4 = 2;
constexpr uint32_t dibCompressionBitFields = 3;

// ---- Messages ---------------------------------------------------------------
constexpr const char* dibOpenFailureText = "Failed to open DIB file %s.\n";
constexpr const char* dibOutOfMemoryText = "Out of memory.";
constexpr const char* dibUnknownFormatText = "Unknown DIB file format.";
constexpr const char* dibConversionErrorText = "Image file conversion error.";
constexpr const char* imageMessageCaption = "Error";

// ---- Normalised header ------------------------------------------------------
// The 40-byte information form, field for field, as the file gives it. The
// image size and colours used are not filled in where the file leaves them 0:
// the conversion takes the pixel bytes from the dimensions and the table's
// length from colorCount.
struct DibInfoHeader {
    uint32_t size;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitCount;
    uint32_t compression;
    uint32_t imageSize;
    int32_t xPixelsPerMetre;
    int32_t yPixelsPerMetre;
    uint32_t colorsUsed;
    uint32_t colorsImportant;
};

// What the converter receives: the header, the masks of compression 3, the
// colour table as 4-byte entries and the pixel data with its length in the file.
struct NormalisedDib {
    DibInfoHeader header;
    uint32_t colorMasks[3]; // red, green, blue
    unsigned char* colorTable;
    uint32_t colorCount;
    const unsigned char* bits;
    size_t bitsLength;
};

// ---- dib_header.cpp -----------------------------------------------------------
uint16_t readLittle16(const unsigned char* p);
uint32_t readLittle32(const unsigned char* p);
// Fills dib from the file's bytes; returns null, or the message that refuses
// the file. dib.colorTable is malloc'd on success and on every later failure.
const char* readDibHeaders(const unsigned char* file, size_t size, NormalisedDib& dib);

// ---- dib_convert.cpp ----------------------------------------------------------
// Bytes of one target row: 3 x width plus width mod 4 fill bytes.
size_t dibSectionStride(int32_t width);
// Renders |height| rows into target (zero-filled, stride x |height| bytes),
// bottom row first in blue, green, red order. Returns the rows converted, 0
// for a bit count, compression or pixel data it cannot convert.
int32_t convertDibPixels(const NormalisedDib& dib, unsigned char* target);
// Blue, green, red of palette entry index into pixel; black beyond the table.
void writePaletteColor(const NormalisedDib& dib, uint32_t index, unsigned char* pixel);

// ---- dib_rle.cpp --------------------------------------------------------------
// Run-length data of compression 1 (8 bits) or 2 (4 bits); pixels the runs
// never reach stay as they are. False when the data runs out before its
// end-of-bitmap code and before the last row, or inside a command.
bool expandDibRunLengths(const NormalisedDib& dib, unsigned char* target);

// ---- dib_loader.cpp -----------------------------------------------------------
// Everything of loading after the file is mapped, over bytes already in
// memory: the headers read and normalised, the pixels rendered into 24-bit
// rows and copied out as RGB into a new record. Shows at most one message
// and returns the record or null.
RgbImage* decodeDibBytes(const unsigned char* file, size_t size);

// ---- file_mapping.cpp ---------------------------------------------------------
struct MappedFile {
    const unsigned char* data;
    size_t size;
    int descriptor;
};
// Maps the whole file read-only; false when it cannot be opened or mapped.
bool mapWholeFile(const char* fileName, MappedFile& file);
void unmapWholeFile(MappedFile& file);

// ---- wide_name.cpp ------------------------------------------------------------
// UTF-16 (terminated by 0) to UTF-8; unpaired surrogates become U+FFFD.
std::string wideNameToUtf8(const char16_t* name);

// ---- message.cpp --------------------------------------------------------------
// Writes text captioned "Error" while errorMessages is on, as one line on
// standard error; never waits for anyone to dismiss it.
void showImageMessage(const char* text);
void showDibOpenFailure(const char* fileName);
