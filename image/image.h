// Image loading: JPEG and DIB (BMP) files decoded into 8-bit pixel buffers,
// bottom row first, rows tightly packed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

constexpr int rgbBytes = 3; // a pixel in red, green, blue order

// A decoded image: 3 bytes per pixel in red, green, blue order.
struct RgbImage {
    int32_t width;
    int32_t height;
    unsigned char* pixels;
};

// The widest and tallest picture either loader makes. Past it a BMP header is
// taken for damage and refused before any pixel memory is taken, so that a
// few bytes of data cannot ask for gigabytes; a larger JPEG picture is
// decoded smaller. The pictures become textures that the window shows at
// most about 1280 pixels across, and the sky's has no mipmaps, so texels
// beyond the pixels shown would only shimmer as the view turns: 4096 leaves
// room to spare, its decoded pixels take at most 48 MB, and every GL of the
// last twenty years takes textures that large (Mesa's software renderer
// takes 16384, whose pixels would take 768 MB). While a progressive JPEG
// picture decodes, the library also holds all its coefficients, two bytes
// for each sample of each component: with the pixels, about 180 MB for a
// 4096 x 4096 CMYK picture.
constexpr int32_t imageMaxSide = 4096;

// ---- Data files (regular_file.cpp) ----------------------------------------
// A read-only descriptor or stream of fileName if it names a regular file
// (after links), else -1 or null. Never blocks, whatever stands there.
int openRegularFile(const char* fileName);
std::FILE* openRegularFileStream(const char* fileName);

// ---- JPEG (jpeg_loader.cpp) -----------------------------------------------
// Shape of the most recent image whose decoding started: bytes per row
// (width x components) and rows.
extern int32_t jpegRowBytes;
extern int32_t jpegImageHeight;
// Bytes per pixel of the same image: 3 for colour (CMYK files are turned
// into RGB), 1 for greyscale.
extern int32_t jpegImageComponents;
// A JPEG picture larger than imageMaxSide a side, or than the side its user
// asks for, is decoded at the largest of the library's scales 1/2, 1/4 and
// 1/8 that brings it within it, so the largest it takes is 8 times
// imageMaxSide a side.
constexpr int jpegLargestScaleDenominator = 8;
constexpr int32_t jpegMaxSourceSide = imageMaxSide * jpegLargestScaleDenominator;
// A picture of several scans is held whole as coefficients while it decodes:
// no more than a 4096 x 4096 CMYK picture's, the most the loader took before
// it scaled pictures.
constexpr size_t jpegMaxCoefficientBytes = size_t{imageMaxSide} * imageMaxSide * 4 * 2;
// The scans of one file the loader reads before it gives the file up
// (jpeg_loader.cpp): the library's own progressive scripts use at most 18,
// and at a few milliseconds a scan of a 4096 x 4096 component, a file decoded
// for each of a cube map's six faces still costs only a few seconds.
constexpr int jpegMaxScans = 100;
// Returns a malloc'd buffer, or null when the file cannot be opened, its
// picture is wider or taller than jpegMaxSourceSide, it has several scans
// whose coefficients would take more than jpegMaxCoefficientBytes, its
// colours are of no known space or it carries more than jpegMaxScans scans
// (the published shape is then left as it was). A picture larger than
// maxSide a side (the smaller of it and imageMaxSide) comes scaled, with a
// line that says so; one that no scale brings within maxSide comes at the
// smallest scale. A file that is not JPEG data ends the process with a line
// naming it and the library's message.
unsigned char* loadJpegImage(const char* fileName, int32_t maxSide = imageMaxSide);
// How the process ends after such a line, once the loader has released all
// it held (jpeg_failure.cpp): status 1. The fuzzer links its own, which ends
// only the input.
[[noreturn]] void endAfterUndecodableJpeg();

// ---- DIB (dib_loader.cpp) -------------------------------------------------
// While on, every loader failure is written as a line captioned "Error" on
// standard error; off, the loaders say nothing (the fuzzer, the tests).
extern bool errorMessages;
RgbImage* loadDibImage(const char* fileName);
RgbImage* loadDibImageWide(const char16_t* fileName);
// Colour-table length for the information header at infoHeader.
uint16_t dibColorCount(const unsigned char* infoHeader);

// ---- Either loader as one record (decoded_image.cpp) -----------------------
// A decoded file as the loaders give it: bottom row first, rows packed,
// components bytes a pixel (3 for RGB, 1 for a greyscale JPEG). pixels is
// malloc'd, or null when the file could not be decoded; the DIB loader's
// record, if any, is held to be freed with them.
struct DecodedImage {
    unsigned char* pixels;
    int32_t width;
    int32_t height;
    int32_t components;
    RgbImage* record;
};
// Without pixels the shape is the one the JPEG loader last published, that
// of the image before (it leaves it as it was); 0 x 0 from the DIB loader.
DecodedImage decodeJpegFile(const char* fileName, int32_t maxSide = imageMaxSide);
DecodedImage decodeDibFile(const char* fileName);
void freeDecodedImage(DecodedImage& image);
