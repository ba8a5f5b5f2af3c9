// Textures made from the image files in the working directory: the sky, the
// environment cube map of six BMP faces and the sea-bottom cube map.
#include <cstdio>
#include <string>
#include <vector>

#include "image/image.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "render/texture_upload.h"

namespace {

// Stands in for a face that cannot be read when no other face can stand in:
// a dull sky colour that keeps the cube map complete.
const unsigned char neutralFaceColour[rgbBytes] = {128, 140, 160};

// A greyscale JPEG has one byte per pixel: read as RGB it would show a
// garbled third of itself, so its rows go up as luminance.
GLenum pixelFormat(const DecodedImage& image) {
    return image.components == 1 ? GL_LUMINANCE : GL_RGB;
}

FaceShape shapeOf(const DecodedImage& image) {
    if (image.pixels == nullptr)
        return FaceShape{0, 0};
    return FaceShape{image.width, image.height};
}

// A file that could not be opened has no pixels but keeps the previous
// image's shape: nothing goes up, and its texture stays empty.
void uploadImage(GLenum target, const DecodedImage& image) {
    if (image.pixels == nullptr)
        return;
    uploadTightRows(target, GL_RGB, image.width, image.height, pixelFormat(image), image.pixels);
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

void uploadNeutralFace(GLenum target, int side) {
    std::vector<unsigned char> pixels(static_cast<std::size_t>(side) * side * rgbBytes);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = neutralFaceColour[i % rgbBytes];
    uploadTightRows(target, GL_RGB, side, side, GL_RGB, pixels.data());
}

// The image scaled to shape, saying so, with why after a comma, when report
// is set; the copy is kept in scaled.
DecodedImage scaledImage(const DecodedImage& image, FaceShape shape, const char* fileName,
                         const char* why, bool report, std::vector<unsigned char>& scaled) {
    if (report) {
        std::fprintf(stderr, "%s: %d x %d picture scaled to %d x %d%s\n", fileName, image.width,
                     image.height, shape.width, shape.height, why);
        std::fflush(stderr);
    }
    scaled = scalePicture(image.pixels, image.width, image.height, image.components, shape.width,
                          shape.height);
    return DecodedImage{scaled.data(), shape.width, shape.height, image.components, nullptr};
}

// Every face must be side x side for the cube map to be complete. A picture
// of another shape is scaled, not cropped, so all of it is still seen, and
// says so once. A picture that could not be read comes back as it went,
// without pixels.
DecodedImage fitFace(const DecodedImage& image, const char* fileName, int side, bool report,
                     std::vector<unsigned char>& scaled) {
    if (image.pixels == nullptr || (image.width == side && image.height == side))
        return image;
    return scaledImage(image, FaceShape{side, side}, fileName, ", the size of its cube map's faces",
                       report, scaled);
}

// The JPEG loader has brought the picture within maxSide by its own scales
// where one does; one more than eight times larger is scaled here, whole, and
// says so as the loader does.
DecodedImage fitTexture(const DecodedImage& image, const char* fileName, int maxSide,
                        std::vector<unsigned char>& scaled) {
    if (image.pixels == nullptr)
        return image;
    const FaceShape shape = shapeWithin(shapeOf(image), maxSide);
    if (shape.width == image.width && shape.height == image.height)
        return image;
    const std::string why = ", at most " + std::to_string(maxSide) + " pixels a side";
    return scaledImage(image, shape, fileName, why.c_str(), true, scaled);
}

} // namespace

// A picture larger than the GL takes would be refused, and the sky show
// white: it goes up smaller.
unsigned int loadTexture2D(const char* fileName) {
    const int maxSide = textureLimits.max2DSide;
    std::vector<unsigned char> scaled;
    const DecodedImage image =
        fitTexture(decodeJpegFile(fileName, maxSide), fileName, maxSide, scaled);
    glEnable(GL_TEXTURE_2D);
    GLuint name = makeTexture(GL_TEXTURE_2D, GL_LINEAR, GL_LINEAR, GL_REPEAT);
    uploadImage(GL_TEXTURE_2D, image);
    reportGlErrors(("the texture of " + std::string(fileName)).c_str());
    return name;
}

// The faces take the size of the first one that fits as it is. A face that
// could not be read (its loader has said so) is stood in for by the others.
unsigned int loadEnvironmentCubeMap() {
    GLuint name = beginCubeMap();
    DecodedImage faces[cubeFaceCount];
    FaceShape shapes[cubeFaceCount];
    for (int face = 0; face < cubeFaceCount; ++face) {
        faces[face] = decodeDibFile(environmentFaceFiles[face]);
        shapes[face] = shapeOf(faces[face]);
    }
    const int side = commonCubeFaceSize(shapes, cubeFaceCount, textureLimits.maxCubeFaceSide);
    std::vector<unsigned char> scaled[cubeFaceCount];
    const unsigned char* fitted[cubeFaceCount];
    for (int face = 0; face < cubeFaceCount; ++face) {
        faces[face] = fitFace(faces[face], environmentFaceFiles[face], side, true, scaled[face]);
        fitted[face] = faces[face].pixels;
    }
    for (int face = 0; face < cubeFaceCount; ++face) {
        if (fitted[face] != nullptr) {
            uploadImage(faceTarget(face), faces[face]);
            continue;
        }
        std::vector<unsigned char> standIn = standInFace(face, fitted, side);
        if (standIn.empty())
            uploadNeutralFace(faceTarget(face), side);
        else
            uploadTightRows(faceTarget(face), GL_RGB, side, side, GL_RGB, standIn.data());
    }
    endCubeMap();
    reportGlErrors("the environment cube map");
    return name;
}

// Every face shows the same picture, decoded afresh for each; the first
// decode sets the size, and a picture scaled to it is reported once.
unsigned int loadBottomCubeMap() {
    GLuint name = beginCubeMap();
    int side = 0;
    for (int face = 0; face < cubeFaceCount; ++face) {
        DecodedImage image = decodeJpegFile(bottomImageFile, textureLimits.maxCubeFaceSide);
        if (face == 0) {
            FaceShape shape = shapeOf(image);
            side = commonCubeFaceSize(&shape, 1, textureLimits.maxCubeFaceSide);
        }
        std::vector<unsigned char> scaled;
        image = fitFace(image, bottomImageFile, side, face == 0, scaled);
        if (image.pixels == nullptr)
            uploadNeutralFace(faceTarget(face), side);
        else
            uploadImage(faceTarget(face), image);
    }
    endCubeMap();
    reportGlErrors(("the cube map of " + std::string(bottomImageFile)).c_str());
    return name;
}
