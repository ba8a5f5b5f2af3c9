// Decoding a JPEG file with libjpeg into a buffer whose first row is the
// bottom of the picture, ready for a texture upload.
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
constexpr const char* jpegOutOfMemoryText = "can't allocate %zu bytes for %s\n";
constexpr const char* jpegTooLargeText = "%s: %u x %u picture is larger than %d pixels a side\n";

void publishShape(const jpeg_decompress_struct& decoder) {
    jpegRowBytes = static_cast<int32_t>(decoder.output_width * decoder.output_components);
    jpegImageHeight = static_cast<int32_t>(decoder.output_height);
    jpegImageComponents = decoder.output_components;
}

// The decoder delivers the top row first; each row goes to the buffer's
// end and the rows work down to its start.
void readRowsBottomFirst(jpeg_decompress_struct& decoder, JSAMPARRAY row, unsigned char* buffer) {
    size_t rowBytes = static_cast<size_t>(decoder.output_width) * decoder.output_components;
    while (decoder.output_scanline < decoder.output_height) {
        // A stdio source never suspends, but a source that did would spin here.
        if (jpeg_read_scanlines(&decoder, row, 1) == 0)
            break;
        size_t delivered = decoder.output_scanline;
        std::memcpy(buffer + (decoder.output_height - delivered) * rowBytes, row[0], rowBytes);
    }
}

} // namespace

// The standard error manager ends the process on a fatal decoding error,
// so every path below that returns has a decoded (or abandoned) image.
unsigned char* loadJpegImage(const char* fileName) {
    std::FILE* file = openRegularFileStream(fileName);
    if (file == nullptr) {
        std::fprintf(stderr, jpegOpenFailureText, fileName);
        return nullptr;
    }
    jpeg_decompress_struct decoder;
    jpeg_error_mgr errorManager;
    decoder.err = jpeg_std_error(&errorManager);
    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    // A few bytes of header can declare 65,500 x 65,500 pixels; damaged data
    // then still fills every row, so the bound is kept before any of it.
    const JDIMENSION maxSide = imageMaxSide;
    if (decoder.image_width > maxSide || decoder.image_height > maxSide) {
        std::fprintf(stderr, jpegTooLargeText, fileName, decoder.image_width, decoder.image_height,
                     imageMaxSide);
        jpeg_destroy_decompress(&decoder);
        std::fclose(file);
        return nullptr;
    }
    jpeg_start_decompress(&decoder);
    publishShape(decoder);
    JSAMPARRAY row = (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder),
                                                  JPOOL_IMAGE, jpegRowBytes, 1);
    size_t bytes = static_cast<size_t>(jpegRowBytes) * decoder.output_height;
    unsigned char* buffer = static_cast<unsigned char*>(std::malloc(bytes));
    if (buffer == nullptr) {
        std::fprintf(stderr, jpegOutOfMemoryText, bytes, fileName);
        jpeg_destroy_decompress(&decoder);
        std::fclose(file);
        return nullptr;
    }
    readRowsBottomFirst(decoder, row, buffer);
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    std::fclose(file);
    return buffer;
}
