// The GL-free half of the texture code: byte encodings of vectors, the
// directions of the normalisation cube map, buffer allocation that cannot
// silently fail.
#pragma once

#include <cstddef>
#include <vector>

#include "image/image.h"
#include "ocean/ocean_state.h"

// A component v in [-1, 1] becomes the byte v x 127 + 127, truncated.
constexpr float byteEncodingScale = 127.0f;
constexpr float byteEncodingOffset = 127.0f;

// Cube-map faces in the rendering library's order: +X, -X, +Y, -Y, +Z, -Z.
constexpr int cubeFaceCount = 6;

// ---- The image files read from the working directory ----------------------
inline constexpr const char* skyImageFile = "cloudy1.jpg";
inline constexpr const char* bottomImageFile = "bottom.jpg";
// One per face, in face order.
inline constexpr const char* environmentFaceFiles[cubeFaceCount] = {
    "ixpos.bmp", "ixneg.bmp", "iypos.bmp", "iyneg.bmp", "izpos.bmp", "izneg.bmp",
};

// ---- Cube faces of one size (face_fitting.cpp) -----------------------------
// The face size when no face at all can be read.
constexpr int defaultFaceSize = 16;
// A face picture's width and height in pixels; 0 x 0 for one not read.
struct FaceShape {
    int width;
    int height;
};
// The side every face of a cube map is brought to: that of the first face
// that is square and at most maxSide; else the longer side of the first
// picture read, at most maxSide; else defaultFaceSize.
int commonCubeFaceSize(const FaceShape* faces, int count, int maxSide);
// A picture's shape brought within maxSide a side, its proportions kept and
// each side at least 1; the shape itself when it is within.
FaceShape shapeWithin(FaceShape shape, int maxSide);
// newWidth x newHeight pixels resampled from width x height pixels of
// channels bytes each, rows tightly packed in the same order.
std::vector<unsigned char> scalePicture(const unsigned char* pixels, int width, int height,
                                        int channels, int newWidth, int newHeight);
// For a face that could not be read, a side x side RGB face made from those
// that could (fitted: side x side RGB pixels, null where unread): a side face
// is copied from another, the opposite first; the zenith and nadir faces are
// stretched from the sky or sea half of a side face. Empty when no side face
// was read. Better than a flat colour, which the waves would show as a flat
// patch.
std::vector<unsigned char>
standInFace(int face, const unsigned char* const (&fitted)[cubeFaceCount], int side);

// ---- Vectors as bytes (texture_encoding.cpp) -------------------------------
// A zero vector is left as it is.
void normalizeVector3f(float (&v)[3]);
// Three bytes at out, which then points past them.
void packVectorToRgb(const float (&v)[3], unsigned char*& out);

// ---- Normal map (texture_encoding.cpp) ------------------------------------
// The normals' components are scaled by this before they become bytes.
constexpr float normalMapScale = 0.4f;
// One component of a surface normal, scaled by normalMapScale first.
unsigned char encodeNormalComponent(double component);
// Texel (row i, column j) from normals[i][j], three bytes each, row 0 first.
void encodeNormalMap(const Vector3d (&normals)[gridSize][gridSize], unsigned char* pixels);

// ---- Normalisation cube map (texture_encoding.cpp) ------------------------
// The unnormalised direction through the centre of texel (row j, column i)
// of a face with size texels per side.
void normalizeCubeDirection(int face, int size, int i, int j, float (&direction)[3]);
// size x size x 3 bytes: each texel its own direction, normalised and packed.
void fillNormalizeCubeFace(int face, int size, unsigned char* pixels);

// ---- Buffers (texture_buffer.cpp) -----------------------------------------
// Returns a malloc'd block, or prints failureMessage (no line end) on
// standard output and ends the process with a non-zero status: a texture
// with no pixel buffer behind it is of no use to the viewer.
unsigned char* allocateTextureBuffer(std::size_t bytes, const char* failureMessage);
