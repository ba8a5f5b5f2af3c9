// The arithmetic of comparing two pictures.
#include "tools/pictures/picture_difference.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int differenceGain = 4;

int sampleCount(const Picture& picture) {
    return picture.width * picture.height * 3;
}

double sharePixelsOff(const Picture& actual, const Picture& expected, int limit) {
    const int samples = sampleCount(actual);
    long long pixelsOff = 0;
    for (int i = 0; i < samples; i += 3) {
        int worst = 0;
        for (int c = 0; c < 3; ++c)
            worst = std::max(worst, std::abs(actual.samples[i + c] - expected.samples[i + c]));
        pixelsOff += worst > limit;
    }
    return samples == 0 ? 0.0 : static_cast<double>(pixelsOff) / (samples / 3);
}

// Whole blocks only; a partial block at the right or bottom edge is left out.
double shareBlocksOff(const Picture& actual, const Picture& expected, double limit) {
    const int n = differenceBlockSize;
    int blocks = 0;
    int blocksOff = 0;
    for (int top = 0; top + n <= actual.height; top += n) {
        for (int left = 0; left + n <= actual.width; left += n) {
            long long sum[3] = {0, 0, 0};
            for (int y = top; y < top + n; ++y)
                for (int x = left; x < left + n; ++x)
                    for (int c = 0; c < 3; ++c) {
                        const int i = (y * actual.width + x) * 3 + c;
                        sum[c] += actual.samples[i] - expected.samples[i];
                    }
            bool off = false;
            for (int c = 0; c < 3; ++c)
                off = off || std::abs(static_cast<double>(sum[c]) / (n * n)) > limit;
            ++blocks;
            blocksOff += off;
        }
    }
    return blocks == 0 ? 0.0 : static_cast<double>(blocksOff) / blocks;
}

} // namespace

PictureDifference comparePictures(const Picture& actual, const Picture& expected, int pixelLimit,
                                  double blockLimit) {
    if (actual.width != expected.width || actual.height != expected.height)
        return {1.0, 1.0};
    return {sharePixelsOff(actual, expected, pixelLimit),
            shareBlocksOff(actual, expected, blockLimit)};
}

PictureDifference compareWithReference(const Picture& actual, const Picture& expected) {
    return comparePictures(actual, expected, referencePixelLimit, referenceBlockLimit);
}

bool withinReferenceTolerance(const PictureDifference& difference) {
    return difference.sharePixelsOff <= referenceMaxSharePixelsOff &&
           difference.shareBlocksOff <= referenceMaxShareBlocksOff;
}

Picture differencePicture(const Picture& actual, const Picture& expected) {
    Picture difference = actual;
    const int samples = std::min(sampleCount(actual), sampleCount(expected));
    for (int i = 0; i < samples; ++i) {
        const int d = std::abs(actual.samples[i] - expected.samples[i]) * differenceGain;
        difference.samples[i] = static_cast<unsigned char>(std::min(d, 255));
    }
    return difference;
}
