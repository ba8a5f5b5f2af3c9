// Vectors as bytes: the normal map and the normalisation cube map.
#include <cmath>

#include "render/texture_support.h"

void normalizeVector3f(float (&v)[3]) {
    float squared = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    // A zero vector has no direction: leave it alone rather than fill it with NaN.
    if (squared == 0.0f)
        return;
    float inverse = static_cast<float>(1.0 / std::sqrt(static_cast<double>(squared)));
    v[0] *= inverse;
    v[1] *= inverse;
    v[2] *= inverse;
}

void packVectorToRgb(const float (&v)[3], unsigned char*& out) {
    for (int c = 0; c < 3; ++c)
        out[c] = static_cast<unsigned char>(v[c] * byteEncodingScale + byteEncodingOffset);
    out += 3;
}

unsigned char encodeNormalComponent(double component) {
    double scaled = static_cast<double>(normalMapScale) * component;
    return static_cast<unsigned char>(scaled * byteEncodingScale + byteEncodingOffset);
}

void encodeNormalMap(const Vector3d (&normals)[gridSize][gridSize], unsigned char* pixels) {
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const Vector3d& n = normals[i][j];
            unsigned char* texel = pixels + (i * gridSize + j) * rgbBytes;
            texel[0] = encodeNormalComponent(n.x);
            texel[1] = encodeNormalComponent(n.y);
            texel[2] = encodeNormalComponent(n.z);
        }
    }
}

// The standard cube-map face orientation: a runs along the face's columns,
// b along its rows, and the face itself lies halfSize out along its axis.
void normalizeCubeDirection(int face, int size, int i, int j, float (&direction)[3]) {
    const float halfSize = static_cast<float>(size / 2);
    const float a = static_cast<float>(i) + 0.5f - halfSize;
    const float b = static_cast<float>(j) + 0.5f - halfSize;
    const float faces[cubeFaceCount][3] = {
        {halfSize, -b, -a}, {-halfSize, -b, a}, {a, halfSize, b},
        {a, -halfSize, -b}, {a, -b, halfSize},  {-a, -b, -halfSize},
    };
    for (int c = 0; c < 3; ++c)
        direction[c] = faces[face][c];
}

void fillNormalizeCubeFace(int face, int size, unsigned char* pixels) {
    for (int j = 0; j < size; ++j) {
        unsigned char* out = pixels + j * size * rgbBytes;
        for (int i = 0; i < size; ++i) {
            float direction[3];
            normalizeCubeDirection(face, size, i, j, direction);
            normalizeVector3f(direction);
            packVectorToRgb(direction, out);
        }
    }
}
