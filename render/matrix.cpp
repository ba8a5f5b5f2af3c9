// Row-major 4 x 4 float matrices for the matrix handed to the vertex program.
#include <cmath>
#include <cstring>

#include "render/render_state.h"

void matrixSetIdentity(Matrix4& m) {
    for (int i = 0; i < 16; ++i)
        m.element[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

// a = a x b, through a temporary so that b may be a.
void matrixMultiply(Matrix4& a, const Matrix4& b) {
    Matrix4 product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k)
                sum += a.element[row * 4 + k] * b.element[k * 4 + column];
            product.element[row * 4 + column] = sum;
        }
    }
    std::memcpy(a.element, product.element, sizeof product.element);
}

namespace {

void cosineAndSine(float degrees, float& co, float& si) {
    co = static_cast<float>(std::cos(degrees * degreesToRadians));
    si = static_cast<float>(std::sin(degrees * degreesToRadians));
}

} // namespace

// A zero angle adds no multiplication, so the identity stays exact.
void matrixRotate(Matrix4& m, float ax, float az) {
    float co;
    float si;
    if (ax != 0.0f) {
        cosineAndSine(ax, co, si);
        const Matrix4 rx = {{1, 0, 0, 0, 0, co, -si, 0, 0, si, co, 0, 0, 0, 0, 1}};
        matrixMultiply(m, rx);
    }
    if (az != 0.0f) {
        cosineAndSine(az, co, si);
        const Matrix4 rz = {{co, -si, 0, 0, si, co, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}};
        matrixMultiply(m, rz);
    }
}

// Replaces the translation rather than adding to it; adding 0.0f turns a
// negative zero into +0.
void matrixSetTranslation(Matrix4& m, float tx, float ty, float tz) {
    m.element[3] = tx + 0.0f;
    m.element[7] = ty + 0.0f;
    m.element[11] = tz + 0.0f;
}
