// Bringing the faces of a cube map to one square size: which size, and the
// resampling of a picture to it. A cube map with one face of another size,
// or one that is not square, is incomplete and samples as black.
#include <algorithm>
#include <cmath>

#include "render/texture_support.h"

namespace {

// One source position along an axis and its share of an output texel.
struct Tap {
    int index;
    double weight;
};

// Shrinking, a texel averages the stretch of source it covers (partial
// texels by the part covered), so fine detail neither vanishes nor aliases.
// Growing, it blends the two source centres on either side of its own.
std::vector<std::vector<Tap>> axisTaps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double scale = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        std::vector<Tap>& out = taps[static_cast<std::size_t>(i)];
        if (scale >= 1.0) {
            const double start = i * scale;
            const double stop = (i + 1) * scale;
            for (int s = static_cast<int>(start); s < from && s < stop; ++s) {
                double covered = std::min<double>(s + 1, stop) - std::max<double>(s, start);
                if (covered > 0.0)
                    out.push_back({s, covered / scale});
            }
        } else {
            const double centre = (i + 0.5) * scale - 0.5;
            const int below = static_cast<int>(std::floor(centre));
            const double toAbove = centre - below;
            out.push_back({std::clamp(below, 0, from - 1), 1.0 - toAbove});
            out.push_back({std::clamp(below + 1, 0, from - 1), toAbove});
        }
    }
    return taps;
}

} // namespace

int commonCubeFaceSize(const FaceShape* faces, int count, int maxSide) {
    for (int i = 0; i < count; ++i)
        if (faces[i].width > 0 && faces[i].width == faces[i].height && faces[i].width <= maxSide)
            return faces[i].width;
    for (int i = 0; i < count; ++i)
        if (faces[i].width > 0 && faces[i].height > 0)
            return std::min(std::max(faces[i].width, faces[i].height), maxSide);
    return std::min(defaultFaceSize, maxSide);
}

// The longer side becomes maxSide, the other its share of it, rounded.
FaceShape shapeWithin(FaceShape shape, int maxSide) {
    const long long longer = std::max(shape.width, shape.height);
    if (longer <= maxSide)
        return shape;
    const auto share = [&](long long side) {
        return std::max(1, static_cast<int>((side * maxSide + longer / 2) / longer));
    };
    return FaceShape{share(shape.width), share(shape.height)};
}

// Rows one at a time: the source rows an output row draws on are blended
// into one row, which is then resampled along its length.
std::vector<unsigned char> scalePicture(const unsigned char* pixels, int width, int height,
                                        int channels, int newWidth, int newHeight) {
    const std::vector<std::vector<Tap>> across = axisTaps(width, newWidth);
    const std::vector<std::vector<Tap>> down = axisTaps(height, newHeight);
    const std::size_t rowValues = static_cast<std::size_t>(width) * channels;
    std::vector<unsigned char> scaled(static_cast<std::size_t>(newWidth) * newHeight * channels);
    std::vector<double> blended(rowValues);
    unsigned char* out = scaled.data();
    for (const std::vector<Tap>& rows : down) {
        std::fill(blended.begin(), blended.end(), 0.0);
        for (const Tap& row : rows) {
            const unsigned char* source = pixels + row.index * rowValues;
            for (std::size_t v = 0; v < rowValues; ++v)
                blended[v] += row.weight * source[v];
        }
        for (const std::vector<Tap>& columns : across)
            for (int c = 0; c < channels; ++c, ++out) {
                double value = 0.0;
                for (const Tap& column : columns)
                    value += column.weight * blended[column.index * channels + c];
                *out = static_cast<unsigned char>(std::clamp(std::lround(value), 0L, 255L));
            }
    }
    return scaled;
}

namespace {

constexpr int zenithFace = 2; // +Y
constexpr int nadirFace = 3;  // -Y

// Side faces in the order they are tried: the opposite face first, whose
// horizon runs the same way, then the others.
const unsigned char* readableSideFace(int face,
                                      const unsigned char* const (&fitted)[cubeFaceCount]) {
    const int candidates[] = {face ^ 1, 0, 1, 4, 5};
    for (int candidate : candidates)
        if (candidate != zenithFace && candidate != nadirFace && fitted[candidate] != nullptr)
            return fitted[candidate];
    return nullptr;
}

} // namespace

// The first rows of a side face adjoin the zenith face and its last rows the
// nadir face, so the sky half of a side face stretched over the zenith, and
// its sea half over the nadir, keep the reflection's sky and sea.
std::vector<unsigned char>
standInFace(int face, const unsigned char* const (&fitted)[cubeFaceCount], int side) {
    const unsigned char* source = readableSideFace(face, fitted);
    if (source == nullptr)
        return {};
    const std::size_t faceBytes = static_cast<std::size_t>(side) * side * rgbBytes;
    if (face != zenithFace && face != nadirFace)
        return std::vector<unsigned char>(source, source + faceBytes);
    const int half = std::max(1, side / 2);
    if (face == nadirFace)
        source += static_cast<std::size_t>(side - half) * side * rgbBytes;
    return scalePicture(source, side, half, rgbBytes, side, side);
}
