// The comparison behind the reference pictures, on small pictures made here:
// if it called every pair the same, every reference picture would pass.
#include <functional>
#include <gtest/gtest.h>
#include <string>

#include "tools/pictures/picture_difference.h"

namespace {

constexpr int width = 128;
constexpr int height = 96;

// Cells of 4 x 4 pixels in colours between 110 and 240, so that edges run
// everywhere and a 2 % change moves every block's mean by more than 2 levels.
Picture detailedPicture() {
    Picture picture = blankPicture(width, height);
    unsigned int state = 12345u;
    std::vector<unsigned char> cells((width / 4) * (height / 4) * 3);
    for (unsigned char& cell : cells) {
        state = state * 1103515245u + 12345u;
        cell = static_cast<unsigned char>(110 + (state >> 16) % 131);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                picture.samples[(y * width + x) * 3 + c] =
                    cells[((y / 4) * (width / 4) + x / 4) * 3 + c];
    return picture;
}

Picture brightened(Picture picture) {
    for (unsigned char& sample : picture.samples)
        sample = static_cast<unsigned char>(std::min(255, static_cast<int>(sample * 1.02 + 0.5)));
    return picture;
}

// Everything one pixel to the right; the first column repeats.
Picture shiftedRight(const Picture& picture) {
    Picture shifted = picture;
    for (int y = 0; y < height; ++y)
        for (int x = 1; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                shifted.samples[(y * width + x) * 3 + c] =
                    picture.samples[(y * width + x - 1) * 3 + c];
    return shifted;
}

// One block, not on the block grid, in another colour.
Picture withBlockChanged(Picture picture) {
    for (int y = 40; y < 56; ++y)
        for (int x = 72; x < 88; ++x)
            for (int c = 0; c < 3; ++c) {
                unsigned char& sample = picture.samples[(y * width + x) * 3 + c];
                sample = static_cast<unsigned char>(350 - sample);
            }
    return picture;
}

// Every sample a level up or down, or left alone, as a renderer that rounds
// differently would draw it.
Picture jittered(Picture picture) {
    unsigned int state = 777u;
    for (unsigned char& sample : picture.samples) {
        state = state * 1103515245u + 12345u;
        sample = static_cast<unsigned char>(sample + static_cast<int>((state >> 16) % 3) - 1);
    }
    return picture;
}

Picture cropped(Picture picture) {
    picture.height -= 1;
    picture.samples.resize(picture.samples.size() - width * 3);
    return picture;
}

struct Case {
    const char* change;
    std::function<Picture(const Picture&)> apply;
    bool same;
};

TEST(PictureDifference, TellsChangedLooksFromRounding) {
    const Picture expected = detailedPicture();
    const Case cases[] = {
        {"unchanged", [](const Picture& p) { return p; }, true},
        {"one level of jitter", jittered, true},
        {"2 % brighter", brightened, false},
        {"shifted by one pixel", shiftedRight, false},
        {"one 16 x 16 block changed", withBlockChanged, false},
        {"one row shorter", cropped, false},
    };
    for (const Case& c : cases) {
        const PictureDifference difference = compareWithReference(c.apply(expected), expected);
        EXPECT_EQ(withinReferenceTolerance(difference), c.same)
            << c.change << ": pixels off " << difference.sharePixelsOff << ", blocks off "
            << difference.shareBlocksOff;
    }
}

// Each view on its own: a tint moves blocks, not single pixels past the
// limit; a moved edge moves pixels.
TEST(PictureDifference, BlocksSeeTintsAndPixelsSeeEdges) {
    const Picture expected = detailedPicture();
    const PictureDifference tint = compareWithReference(brightened(expected), expected);
    EXPECT_EQ(tint.sharePixelsOff, 0.0);
    EXPECT_EQ(tint.shareBlocksOff, 1.0);
    const PictureDifference edge = compareWithReference(shiftedRight(expected), expected);
    EXPECT_GT(edge.sharePixelsOff, 0.05);
}

} // namespace
