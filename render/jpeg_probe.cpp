// Reads a JPEG file's header to learn the layout the loader will give its
// pixels: the loader publishes bytes per row only, which cannot tell a
// greyscale picture from a colour one a third as wide.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "render/texture_support.h"

namespace {

// A header that cannot be read must not end the process here: the loader
// has already decided what such a file means.
struct ProbeErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf escape;
};

void leaveProbe(j_common_ptr info) {
    auto* manager = reinterpret_cast<ProbeErrorManager*>(info->err);
    std::longjmp(manager->escape, 1);
}

void ignoreMessage(j_common_ptr, int) {}

JpegLayout readLayout(std::FILE* file) {
    jpeg_decompress_struct info;
    ProbeErrorManager manager;
    info.err = jpeg_std_error(&manager.standard);
    manager.standard.error_exit = leaveProbe;
    manager.standard.emit_message = ignoreMessage;
    if (setjmp(manager.escape) != 0) {
        jpeg_destroy_decompress(&info);
        return {0, 0, 0};
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_calc_output_dimensions(&info);
    JpegLayout layout = {info.out_color_components, static_cast<int>(info.output_width),
                         static_cast<int>(info.output_height)};
    jpeg_destroy_decompress(&info);
    return layout;
}

} // namespace

JpegLayout probeJpegLayout(const char* fileName) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr)
        return {0, 0, 0};
    JpegLayout layout = readLayout(file);
    std::fclose(file);
    return layout;
}
