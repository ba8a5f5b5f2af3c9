// PNG files through libpng's simplified interface. A PNG stores its top row
// first; a negative row stride has libpng turn the rows over.
#include "tools/pictures/png_file.h"

#include <png.h>

namespace {

png_int_32 bottomUpStride(const Picture& picture) {
    return -static_cast<png_int_32>(picture.width * picture.components);
}

} // namespace

bool readPng(const std::string& path, Picture& picture, std::string& error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        error = image.message;
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    picture = blankPicture(static_cast<int>(image.width), static_cast<int>(image.height));
    if (!png_image_finish_read(&image, nullptr, picture.samples.data(), bottomUpStride(picture),
                               nullptr)) {
        error = image.message;
        png_image_free(&image);
        return false;
    }
    return true;
}

bool writePng(const std::string& path, const Picture& picture, std::string& error) {
    if (picture.components != 3) {
        error = "only an RGB picture is written";
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_file(&image, path.c_str(), 0, picture.samples.data(),
                                 bottomUpStride(picture), nullptr)) {
        error = image.message;
        return false;
    }
    return true;
}
