// Cube faces brought to one square size: the size chosen within the
// renderer's largest face, and pictures averaged, not cropped, to it.
#include <gtest/gtest.h>

#include "render/texture_support.h"

namespace {

TEST(CubeFaceFitting, FirstFaceThatFitsSetsTheSize) {
    const FaceShape odd[] = {{0, 0}, {256, 128}, {128, 128}, {256, 256}, {64, 64}};
    EXPECT_EQ(commonCubeFaceSize(odd, 5, 16384), 128);
    EXPECT_EQ(commonCubeFaceSize(odd, 5, 128), 128); // at the renderer's limit
    EXPECT_EQ(commonCubeFaceSize(odd, 5, 127), 64);  // one past it
    const FaceShape noneSquare[] = {{0, 0}, {300, 200}};
    EXPECT_EQ(commonCubeFaceSize(noneSquare, 2, 16384), 300);
    EXPECT_EQ(commonCubeFaceSize(noneSquare, 2, 256), 256);
    EXPECT_EQ(commonCubeFaceSize(noneSquare, 1, 16384), defaultFaceSize);
    const FaceShape oneSideEmpty[] = {{0, 50}, {50, 0}, {300, 200}};
    EXPECT_EQ(commonCubeFaceSize(oneSideEmpty, 3, 16384), 300);
}

TEST(CubeFaceFitting, ScalingAveragesWhatEachTexelCovers) {
    const unsigned char grey[] = {0, 100, 200, 40, 10, 30, 90, 250}; // 4 x 2, bottom row first
    EXPECT_EQ(scalePicture(grey, 4, 2, 1, 2, 1), (std::vector<unsigned char>{35, 145}));
    EXPECT_EQ(scalePicture(grey, 4, 2, 1, 1, 1), (std::vector<unsigned char>{90}));
    // Growing keeps the corners and the order of rows and columns.
    EXPECT_EQ(scalePicture(grey, 4, 2, 1, 8, 4)[0], 0);
    EXPECT_EQ(scalePicture(grey, 4, 2, 1, 8, 4)[31], 250);
    // A flat colour stays exactly that colour at any size.
    const unsigned char flat[] = {128, 140, 160, 128, 140, 160, 128, 140, 160}; // 3 x 1
    for (int side : {1, 2, 5}) {
        std::vector<unsigned char> scaled = scalePicture(flat, 3, 1, 3, side, side);
        for (std::size_t i = 0; i < scaled.size(); ++i)
            ASSERT_EQ(scaled[i], flat[i % 3]) << "side " << side << ", byte " << i;
    }
}

} // namespace
