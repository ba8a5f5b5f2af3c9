// Decoding a JPEG file with libjpeg into a buffer whose first row is the
// bottom of the picture, ready for a texture upload.
#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jpeglib.h>

#include "image/image.h"

int32_t jpegRowBytes = 0;
int32_t jpegImageHeight = 0;
int32_t jpegImageComponents = 0;

namespace {

constexpr const char* jpegOpenFailureText = "can't open %s\n";
constexpr const char* jpegDecodeFailureText = "can't decode %s\n";
constexpr const char* jpegOutOfMemoryText = "can't allocate %zu bytes for %s\n";
constexpr const char* jpegTooLargeText = "%s: %u x %u picture is larger than %d pixels a side\n";
constexpr const char* jpegScaledText =
    "%s: %u x %u picture scaled to %u x %u (1/%d), at most %d pixels a side\n";
constexpr const char* jpegTooManyCoefficientsText =
    "%s: %u x %u picture of several scans needs more than %d MB to decode\n";
constexpr const char* jpegUnknownColoursText =
    "%s: picture of %d colour components, neither grey, RGB nor CMYK\n";
constexpr const char* jpegTooManyScansText = "%s: picture of more than %d scans\n";

constexpr int inkComponents = 4;
constexpr int rgbComponents = 3;

// The library's standard manager, with the file it decodes: a fatal error
// names the file on a line of its own before the library's unchanged text.
// The standard manager comes first, so the library can use it as its own.
// It also holds what the loader took besides the decompressor, so that all
// of it is given back before the process ends.
struct NamingErrorManager {
    jpeg_error_mgr standard;
    const char* fileName;
    std::FILE* file;
    unsigned char* buffer;
};

// As the standard manager's exit (message, decompressor destroyed, status 1),
// with the file named first and everything the loader holds released.
void exitNamingTheFile(j_common_ptr decoder) {
    auto* manager = reinterpret_cast<NamingErrorManager*>(decoder->err);
    std::fprintf(stderr, jpegDecodeFailureText, manager->fileName);
    (*decoder->err->output_message)(decoder);
    jpeg_destroy(decoder);
    std::free(manager->buffer);
    std::fclose(manager->file);
    endAfterUndecodableJpeg();
}

// A file may carry any number of scans, and the library reads them all
// before the first row, each a pass over the whole picture: 30 bytes a scan
// could hold the start-up for many seconds. Past the limit the decoding is
// abandoned through the jump buffer, as the library's own tools do.
struct ScanLimit {
    jpeg_progress_mgr progress;
    std::jmp_buf abandon;
};

void abandonPastScanLimit(j_common_ptr decoder) {
    auto* limit = reinterpret_cast<ScanLimit*>(decoder->progress);
    if (reinterpret_cast<j_decompress_ptr>(decoder)->input_scan_number > jpegMaxScans)
        std::longjmp(limit->abandon, 1);
}

// Printers' files hold ink (CMYK, or YCCK that the library turns back into
// CMYK); the textures take light, three bytes a pixel. Those files are
// decoded as ink and turned into RGB row by row.
bool holdsInk(const jpeg_decompress_struct& decoder) {
    return decoder.out_color_space == JCS_CMYK;
}

int storedComponents(const jpeg_decompress_struct& decoder) {
    return holdsInk(decoder) ? rgbComponents : decoder.output_components;
}

void publishShape(const jpeg_decompress_struct& decoder) {
    jpegRowBytes = static_cast<int32_t>(decoder.output_width * storedComponents(decoder));
    jpegImageHeight = static_cast<int32_t>(decoder.output_height);
    jpegImageComponents = storedComponents(decoder);
}

// Adobe's files, which is what image editors write, store each ink inverted
// (255 is no ink); others store the ink itself. Light is what the cyan,
// magenta or yellow ink and the black ink both let through.
void inkRowToRgb(const JSAMPLE* ink, JDIMENSION width, bool inverted, unsigned char* rgb) {
    for (JDIMENSION x = 0; x < width; ++x, ink += inkComponents, rgb += rgbComponents) {
        unsigned black = inverted ? ink[3] : 255u - ink[3];
        for (int c = 0; c < rgbComponents; ++c) {
            unsigned through = inverted ? ink[c] : 255u - ink[c];
            rgb[c] = static_cast<unsigned char>((through * black + 127) / 255);
        }
    }
}

// The decoder delivers the top row first; each row goes to the buffer's
// end and the rows work down to its start.
void readRowsBottomFirst(jpeg_decompress_struct& decoder, JSAMPARRAY row, unsigned char* buffer) {
    size_t rowBytes = static_cast<size_t>(jpegRowBytes);
    while (decoder.output_scanline < decoder.output_height) {
        // A stdio source never suspends, but a source that did would spin here.
        if (jpeg_read_scanlines(&decoder, row, 1) == 0)
            break;
        unsigned char* target =
            buffer + (decoder.output_height - decoder.output_scanline) * rowBytes;
        if (holdsInk(decoder))
            inkRowToRgb(row[0], decoder.output_width, decoder.saw_Adobe_marker, target);
        else
            std::memcpy(target, row[0], rowBytes);
    }
}

// The largest of the library's scales 1, 1/2, 1/4 and 1/8 that brings the
// picture within maxSide a side, as the denominator; 0 if none does.
// The library scales in its inverse DCT, so a large picture costs little
// more than its compressed data to read and never exists at full size.
int scaleDenominator(const jpeg_decompress_struct& decoder, int32_t maxSide) {
    for (int denominator = 1; denominator <= jpegLargestScaleDenominator; denominator *= 2) {
        if ((decoder.image_width + denominator - 1) / denominator <= JDIMENSION(maxSide) &&
            (decoder.image_height + denominator - 1) / denominator <= JDIMENSION(maxSide))
            return denominator;
    }
    return 0;
}

// A picture of several scans (progressive ones, above all) is held whole as
// coefficients while it decodes, at its full size whatever the scale: two
// bytes for every sample of every component, rounded up to whole blocks.
// Counted in 64 bits: ten components of 32768 x 32768 samples take 20 GB,
// which a 32-bit size_t would wrap into a size that passes the limit.
uint64_t coefficientBytes(const jpeg_decompress_struct& decoder) {
    uint64_t blocks = 0;
    for (int c = 0; c < decoder.num_components; ++c) {
        const jpeg_component_info& component = decoder.comp_info[c];
        const uint64_t across = (component.width_in_blocks + component.h_samp_factor - 1) /
                                component.h_samp_factor * component.h_samp_factor;
        const uint64_t down = (component.height_in_blocks + component.v_samp_factor - 1) /
                              component.v_samp_factor * component.v_samp_factor;
        blocks += across * down;
    }
    return blocks * DCTSIZE2 * sizeof(JCOEF);
}

// A picture the viewer cannot use, told from its header alone, before any
// pixel memory is taken; the caller goes on as if the file were missing.
bool refusedFromHeader(jpeg_decompress_struct& decoder, const char* fileName) {
    // A few bytes of header can declare 65,500 x 65,500 pixels; damaged data
    // then still fills every row.
    if (scaleDenominator(decoder, imageMaxSide) == 0) {
        std::fprintf(stderr, jpegTooLargeText, fileName, decoder.image_width, decoder.image_height,
                     jpegMaxSourceSide);
        return true;
    }
    if (jpeg_has_multiple_scans(&decoder) && coefficientBytes(decoder) > jpegMaxCoefficientBytes) {
        std::fprintf(stderr, jpegTooManyCoefficientsText, fileName, decoder.image_width,
                     decoder.image_height, static_cast<int>(jpegMaxCoefficientBytes >> 20));
        return true;
    }
    // Components of no known colour space would be read as RGB and garbled.
    if (decoder.out_color_space == JCS_UNKNOWN) {
        std::fprintf(stderr, jpegUnknownColoursText, fileName, decoder.num_components);
        return true;
    }
    return false;
}

// One line for a picture decoded smaller. bottom.jpg is decoded once for each
// face of its cube map: the line comes with the first of the decodes of a
// file in a row, not six times.
void reportScaling(const jpeg_decompress_struct& decoder, const char* fileName, int32_t maxSide) {
    static std::string lastFile;
    const bool again = lastFile == fileName;
    lastFile = fileName;
    if (decoder.scale_denom == 1 || again)
        return;
    std::fprintf(stderr, jpegScaledText, fileName, decoder.image_width, decoder.image_height,
                 decoder.output_width, decoder.output_height, static_cast<int>(decoder.scale_denom),
                 maxSide);
    std::fflush(stderr);
}

// Starts decompressing, which reads every scan of a progressive picture,
// unless it has more scans than the limit: false then. The jump back lands
// in this frame, which changes nothing between the two, so no local of the
// caller is left indeterminate by it. The monitor watches only while this
// frame, and with it the jump buffer, exists: the rows read later would
// otherwise call it with the buffer gone.
bool startWithinScanLimit(jpeg_decompress_struct& decoder) {
    ScanLimit scanLimit = {};
    scanLimit.progress.progress_monitor = abandonPastScanLimit;
    decoder.progress = &scanLimit.progress;
    if (setjmp(scanLimit.abandon) != 0) {
        decoder.progress = nullptr;
        return false;
    }
    jpeg_start_decompress(&decoder);
    decoder.progress = nullptr;
    return true;
}

// The scale that brings the picture within maxSide (at most imageMaxSide),
// as the denominator, and the side it is then within. A picture that no
// scale brings within maxSide is decoded at the smallest, within
// imageMaxSide (refusedFromHeader has seen to that); its user scales it
// further.
struct DecodeScale {
    int denominator;
    int32_t maxSide;
};

DecodeScale decodeScale(const jpeg_decompress_struct& decoder, int32_t maxSide) {
    maxSide = std::min(maxSide, imageMaxSide);
    const int denominator = scaleDenominator(decoder, maxSide);
    if (denominator != 0)
        return DecodeScale{denominator, maxSide};
    return DecodeScale{jpegLargestScaleDenominator, imageMaxSide};
}

unsigned char* abandonDecoding(jpeg_decompress_struct& decoder, std::FILE* file) {
    jpeg_destroy_decompress(&decoder);
    std::fclose(file);
    return nullptr;
}

} // namespace

// The error manager ends the process on a fatal decoding error, so every
// path below that returns has a decoded (or abandoned) image.
unsigned char* loadJpegImage(const char* fileName, int32_t maxSide) {
    std::FILE* file = openRegularFileStream(fileName);
    if (file == nullptr) {
        std::fprintf(stderr, jpegOpenFailureText, fileName);
        return nullptr;
    }
    jpeg_decompress_struct decoder;
    NamingErrorManager errorManager;
    decoder.err = jpeg_std_error(&errorManager.standard);
    errorManager.fileName = fileName;
    errorManager.file = file;
    errorManager.buffer = nullptr;
    errorManager.standard.error_exit = exitNamingTheFile;
    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    if (refusedFromHeader(decoder, fileName))
        return abandonDecoding(decoder, file);
    const DecodeScale scale = decodeScale(decoder, maxSide);
    decoder.scale_num = 1;
    decoder.scale_denom = static_cast<unsigned int>(scale.denominator);
    // Every scan is read here, before any pixel memory is taken.
    if (!startWithinScanLimit(decoder)) {
        std::fprintf(stderr, jpegTooManyScansText, fileName, jpegMaxScans);
        return abandonDecoding(decoder, file);
    }
    publishShape(decoder);
    reportScaling(decoder, fileName, scale.maxSide);
    JDIMENSION decodedRowBytes = decoder.output_width * decoder.output_components;
    JSAMPARRAY row = (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder),
                                                  JPOOL_IMAGE, decodedRowBytes, 1);
    size_t bytes = static_cast<size_t>(jpegRowBytes) * decoder.output_height;
    unsigned char* buffer = static_cast<unsigned char*>(std::malloc(bytes));
    if (buffer == nullptr) {
        std::fprintf(stderr, jpegOutOfMemoryText, bytes, fileName);
        return abandonDecoding(decoder, file);
    }
    errorManager.buffer = buffer;
    readRowsBottomFirst(decoder, row, buffer);
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    std::fclose(file);
    return buffer;
}
