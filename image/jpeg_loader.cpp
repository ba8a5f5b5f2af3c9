// Decoding a JPEG file with libjpeg into a buffer whose first row is the
// bottom of the picture, ready for a texture upload.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// A picture the viewer cannot use, told from its header alone, before any
// pixel memory is taken; the caller goes on as if the file were missing.
bool refusedFromHeader(const jpeg_decompress_struct& decoder, const char* fileName) {
    // A few bytes of header can declare 65,500 x 65,500 pixels; damaged data
    // then still fills every row.
    const JDIMENSION maxSide = imageMaxSide;
    if (decoder.image_width > maxSide || decoder.image_height > maxSide) {
        std::fprintf(stderr, jpegTooLargeText, fileName, decoder.image_width, decoder.image_height,
                     imageMaxSide);
        return true;
    }
    // Components of no known colour space would be read as RGB and garbled.
    if (decoder.out_color_space == JCS_UNKNOWN) {
        std::fprintf(stderr, jpegUnknownColoursText, fileName, decoder.num_components);
        return true;
    }
    return false;
}

// Starts decompressing, which reads every scan of a progressive picture,
// unless it has more scans than the limit: false then. The jump back lands
// in this frame, which changes nothing between the two, so no local of the
// caller is left indeterminate by it.
bool startWithinScanLimit(jpeg_decompress_struct& decoder, ScanLimit& scanLimit) {
    if (setjmp(scanLimit.abandon) != 0)
        return false;
    jpeg_start_decompress(&decoder);
    return true;
}

unsigned char* abandonDecoding(jpeg_decompress_struct& decoder, std::FILE* file) {
    jpeg_destroy_decompress(&decoder);
    std::fclose(file);
    return nullptr;
}

} // namespace

// The error manager ends the process on a fatal decoding error, so every
// path below that returns has a decoded (or abandoned) image.
unsigned char* loadJpegImage(const char* fileName) {
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
    ScanLimit scanLimit = {};
    scanLimit.progress.progress_monitor = abandonPastScanLimit;
    jpeg_create_decompress(&decoder);
    decoder.progress = &scanLimit.progress;
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    if (refusedFromHeader(decoder, fileName))
        return abandonDecoding(decoder, file);
    // Every scan is read here, before any pixel memory is taken.
    if (!startWithinScanLimit(decoder, scanLimit)) {
        std::fprintf(stderr, jpegTooManyScansText, fileName, jpegMaxScans);
        return abandonDecoding(decoder, file);
    }
    publishShape(decoder);
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
