// Textures computed in code: the normal map that follows the sea's surface
// every tick, and the cube map that normalises a vector by one lookup.
#include <cstdlib>

#include "ocean/ocean_state.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "render/texture_upload.h"

namespace {

constexpr int normalMapBytes = gridSize * gridSize * rgbBytes;

// Flat water until the first tick writes the real surface: nothing uploads
// uninitialised memory.
void fillWithUprightNormals(unsigned char* pixels) {
    for (int texel = 0; texel < gridSize * gridSize; ++texel) {
        pixels[texel * rgbBytes + 0] = encodeNormalComponent(0.0);
        pixels[texel * rgbBytes + 1] = encodeNormalComponent(0.0);
        pixels[texel * rgbBytes + 2] = encodeNormalComponent(1.0);
    }
}

// The bytes are kept at 16 bits a channel so that the renderer filters
// between texels at that precision: a texel spans a dozen pixels near the
// eye, and an 8-bit filtered result steps there in flat blocks that the sun's
// glint magnifies into a visible checkerboard.
void uploadNormalMap() {
    uploadTightRows(GL_TEXTURE_2D, GL_RGB16, gridSize, gridSize, GL_RGB, normalMapPixels);
}

} // namespace

unsigned int createNormalMapTexture() {
    // Made once: a second texture (in tests) reuses the buffer rather than lose it.
    if (normalMapPixels == nullptr)
        normalMapPixels = allocateTextureBuffer(normalMapBytes, "failure to malloc");
    fillWithUprightNormals(normalMapPixels);
    glEnable(GL_TEXTURE_2D);
    GLuint name = makeTexture(GL_TEXTURE_2D, GL_LINEAR, GL_LINEAR, GL_REPEAT);
    uploadNormalMap();
    reportGlErrors("the normal map");
    return name;
}

// The whole image is specified again every tick rather than updated in part.
void updateNormalMapTexture() {
    encodeNormalMap(surfaceNormals, normalMapPixels);
    glBindTexture(GL_TEXTURE_2D, normalMapTexture);
    setTextureWraps(GL_TEXTURE_2D, GL_REPEAT);
    uploadNormalMap();
}

unsigned int createNormalizeCubeMap() {
    glEnable(GL_TEXTURE_CUBE_MAP);
    GLuint name = makeTexture(GL_TEXTURE_CUBE_MAP, GL_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE);
    fillNormalizeCubeFaces(normalizeCubeSize, 0);
    glDisable(GL_TEXTURE_CUBE_MAP);
    reportGlErrors("the normalisation cube map");
    return name;
}

void fillNormalizeCubeFaces(int size, int level) {
    unsigned char* pixels =
        allocateTextureBuffer(static_cast<std::size_t>(size) * size * rgbBytes, "BOLLOCKS!!!");
    for (int face = 0; face < cubeFaceCount; ++face) {
        fillNormalizeCubeFace(face, size, pixels);
        uploadTightRows(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, GL_RGB8, size, size, GL_RGB, pixels,
                        level);
    }
    std::free(pixels);
}
