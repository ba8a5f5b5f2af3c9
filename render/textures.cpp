// Textures made from the image files in the working directory: the sky, the
// environment cube map of six BMP faces and the sea-bottom cube map.
#include <vector>

#include "image/image.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "render/texture_upload.h"

namespace {

// Stands in for an environment face that cannot be read: a dull sky colour
// that keeps the cube map complete without drawing the eye to the gap.
const unsigned char neutralFaceColour[rgbBytes] = {128, 140, 160};
// The face size when no face at all can be read.
constexpr int defaultFaceSize = 16;

struct DecodedJpeg {
    const unsigned char* pixels;
    GLsizei width;
    GLsizei height;
    GLenum format;
};

// The loader's row length is a byte count. A greyscale picture has one byte
// per pixel: read as RGB it would show a garbled third of itself, so its rows
// go up as luminance. A file that could not be opened keeps the previous
// image's shape and has no pixels.
DecodedJpeg decodeJpeg(const char* fileName) {
    unsigned char* pixels = loadJpegImage(fileName);
    DecodedJpeg picture = {pixels, jpegRowBytes / rgbBytes, jpegImageHeight, GL_RGB};
    if (pixels != nullptr && jpegImageComponents == 1) {
        picture.width = jpegRowBytes;
        picture.format = GL_LUMINANCE;
    }
    return picture;
}

void uploadJpeg(GLenum target, const DecodedJpeg& picture) {
    uploadTightRows(target, GL_RGB, picture.width, picture.height, picture.format, picture.pixels);
}

// Reflection-map coordinates are set up with the cube map, as the water sets
// them again every frame.
GLuint beginCubeMap() {
    glEnable(GL_TEXTURE_CUBE_MAP);
    enableReflectionMapCoordinates();
    GLuint name =
        makeTexture(GL_TEXTURE_CUBE_MAP, GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, GL_CLAMP_TO_EDGE);
    // Before the first face, so that every face upload builds its own chain.
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_GENERATE_MIPMAP, GL_TRUE);
    return name;
}

void endCubeMap() {
    glDisable(GL_TEXTURE_CUBE_MAP);
    disableTextureCoordinateGeneration();
}

GLenum faceTarget(int face) {
    return GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
}

// The size of the first face that could be read.
int commonFaceSize(RgbImage* const (&faces)[cubeFaceCount]) {
    for (RgbImage* face : faces)
        if (face != nullptr)
            return face->width;
    return defaultFaceSize;
}

void uploadNeutralFace(GLenum target, int size) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(size) * size * rgbBytes);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = neutralFaceColour[i % rgbBytes];
    uploadTightRows(target, GL_RGB, size, size, GL_RGB, pixels.data());
}

} // namespace

unsigned int loadTexture2D(const char* fileName) {
    DecodedJpeg picture = decodeJpeg(fileName);
    glEnable(GL_TEXTURE_2D);
    GLuint name = makeTexture(GL_TEXTURE_2D, GL_LINEAR, GL_LINEAR, GL_REPEAT);
    uploadJpeg(GL_TEXTURE_2D, picture);
    return name;
}

// A face that cannot be read (its loader has said so) becomes a neutral face
// of the others' size, so the cube map stays complete and still samples.
unsigned int loadEnvironmentCubeMap() {
    GLuint name = beginCubeMap();
    RgbImage* faces[cubeFaceCount];
    for (int face = 0; face < cubeFaceCount; ++face)
        faces[face] = loadDibImage(environmentFaceFiles[face]);
    const int size = commonFaceSize(faces);
    for (int face = 0; face < cubeFaceCount; ++face) {
        if (faces[face] == nullptr)
            uploadNeutralFace(faceTarget(face), size);
        else
            uploadTightRows(faceTarget(face), GL_RGB, faces[face]->width, faces[face]->height,
                            GL_RGB, faces[face]->pixels);
    }
    endCubeMap();
    return name;
}

// Every face shows the same picture, decoded afresh for each.
unsigned int loadBottomCubeMap() {
    GLuint name = beginCubeMap();
    for (int face = 0; face < cubeFaceCount; ++face)
        uploadJpeg(faceTarget(face), decodeJpeg(bottomImageFile));
    endCubeMap();
    return name;
}
