// A JPEG writer on libjpeg's compressor. JPEG stores the top row first, and
// the viewer's loader turns the rows over again, so the picture's last row
// (the last uploaded) is written first.
#include <cstdio>

#include <jpeglib.h>

#include "tools/assets/asset_pictures.h"

namespace {

void compressRows(jpeg_compress_struct& info, const Picture& picture) {
    while (info.next_scanline < info.image_height) {
        const int row = picture.height - 1 - static_cast<int>(info.next_scanline);
        JSAMPROW rows[1] = {const_cast<unsigned char*>(
            &picture.samples[static_cast<std::size_t>(row) * picture.width * picture.components])};
        jpeg_write_scanlines(&info, rows, 1);
    }
}

// The input's colour space by its component count.
J_COLOR_SPACE inputSpace(int components) {
    const J_COLOR_SPACE spaces[] = {JCS_UNKNOWN, JCS_GRAYSCALE, JCS_UNKNOWN, JCS_RGB, JCS_CMYK};
    return components >= 1 && components <= 4 ? spaces[components] : JCS_UNKNOWN;
}

void applySettings(jpeg_compress_struct& info, const JpegSettings& settings) {
    jpeg_set_defaults(&info);
    if (settings.storedColourSpace != JCS_UNKNOWN)
        jpeg_set_colorspace(&info, static_cast<J_COLOR_SPACE>(settings.storedColourSpace));
    jpeg_set_quality(&info, settings.quality, TRUE);
    for (int c = 0; settings.fullChroma && c < info.num_components; ++c)
        info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
}

} // namespace

bool writeJpegFile(const std::string& path, const Picture& picture, int quality) {
    return writeJpegFile(path, picture, JpegSettings{quality});
}

bool writeJpegFile(const std::string& path, const Picture& picture, const JpegSettings& settings) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(picture.width);
    info.image_height = static_cast<JDIMENSION>(picture.height);
    info.input_components = picture.components;
    info.in_color_space = inputSpace(picture.components);
    applySettings(info, settings);
    jpeg_start_compress(&info, TRUE);
    compressRows(info, picture);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const bool closed = std::fclose(file) == 0;
    if (!closed)
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return closed;
}
