// A picture in memory, as every tool keeps one: the data-file generator's
// textures, the test pictures, the frames read back from the window and the
// figures' pictures.
#pragma once

#include <cstddef>
#include <vector>

// 8-bit samples, components of them a pixel: 3 (red, green, blue), or 1 for
// a grey picture; the image tests' JPEG files also have 2 (no colour space)
// or 4 (CMYK). Rows run from the bottom of the picture up, as the rendering
// library counts them and the viewer's loaders deliver them: row 0 is the
// first row a texture uploads and the lowest row of a frame.
struct Picture {
    int width = 0;
    int height = 0;
    int components = 3;
    std::vector<unsigned char> samples;
};

// Every sample zero.
inline Picture blankPicture(int width, int height, int components = 3) {
    const std::size_t samples = static_cast<std::size_t>(width) * height * components;
    return {width, height, components, std::vector<unsigned char>(samples)};
}
