// Cube faces brought to one square size: the size chosen, and pictures
// scaled to it whole, the right way up, without shifting their colours.
#include <gtest/gtest.h>

#include "render/texture_support.h"

namespace {

TEST(CommonCubeFaceSize, FirstFaceThatFitsSetsTheSize) {
    const FaceShape odd[] = {{0, 0}, {256, 128}, {128, 128}, {256, 256}, {64, 64}, {0, 0}};
    EXPECT_EQ(commonCubeFaceSize(odd, 6, 16384), 128);
    EXPECT_EQ(commonCubeFaceSize(odd, 6, 100), 64); // 128 is beyond what the renderer takes
    const FaceShape noneSquare[] = {{0, 0}, {300, 200}};
    EXPECT_EQ(commonCubeFaceSize(noneSquare, 2, 16384), 300);
    EXPECT_EQ(commonCubeFaceSize(noneSquare, 2, 256), 256);
    const FaceShape noneRead[] = {{0, 0}, {0, 0}};
    EXPECT_EQ(commonCubeFaceSize(noneRead, 2, 16384), defaultFaceSize);
}

// Bottom half red, top half blue, the left quarter green instead of red.
std::vector<unsigned char> halves(int width, int height) {
    std::vector<unsigned char> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            bool top = y >= height / 2;
            bool left = x < width / 4;
            pixels.push_back(left || top ? 0 : 200);
            pixels.push_back(left ? 180 : 0);
            pixels.push_back(top ? 220 : 0);
        }
    return pixels;
}

const unsigned char* texel(const std::vector<unsigned char>& pixels, int side, int x, int y) {
    return &pixels[(static_cast<std::size_t>(y) * side + x) * 3];
}

TEST(ScalePicture, KeepsTheWholePictureTheRightWayUp) {
    for (auto size : {std::pair<int, int>{256, 128}, {40, 80}, {7, 3}}) {
        std::vector<unsigned char> source = halves(size.first, size.second);
        const int side = 64;
        std::vector<unsigned char> scaled =
            scalePicture(source.data(), size.first, size.second, 3, side, side);
        ASSERT_EQ(scaled.size(), std::size_t(side) * side * 3);
        std::string shape = std::to_string(size.first) + "x" + std::to_string(size.second);
        const unsigned char* bottomRight = texel(scaled, side, side - 1, 0);
        const unsigned char* topRight = texel(scaled, side, side - 1, side - 1);
        EXPECT_EQ(std::vector<int>(bottomRight, bottomRight + 3), (std::vector<int>{200, 0, 0}))
            << shape;
        EXPECT_EQ(std::vector<int>(topRight, topRight + 3), (std::vector<int>{0, 0, 220})) << shape;
        EXPECT_EQ(texel(scaled, side, 0, 0)[1], 180) << shape; // the left edge is kept
    }
}

TEST(ScalePicture, ShrinkingAveragesWhatEachTexelCovers) {
    const unsigned char grey[] = {0, 100, 200, 40, 10, 30, 90, 250};
    EXPECT_EQ(scalePicture(grey, 4, 2, 1, 2, 1), (std::vector<unsigned char>{35, 145}));
    EXPECT_EQ(scalePicture(grey, 4, 2, 1, 1, 1), (std::vector<unsigned char>{90}));
    // A flat colour stays exactly that colour at any scale.
    std::vector<unsigned char> flat(5 * 3 * 3);
    for (std::size_t i = 0; i < flat.size(); ++i)
        flat[i] = "\x80\x8C\xA0"[i % 3];
    for (int side : {1, 2, 4, 9}) {
        std::vector<unsigned char> scaled = scalePicture(flat.data(), 5, 3, 3, side, side);
        for (std::size_t i = 0; i < scaled.size(); ++i)
            ASSERT_EQ(scaled[i], flat[i % 3]) << "side " << side << ", byte " << i;
    }
}

// A face that could not be read is made from one that could: sky stays
// above, sea below, and with no side face at all there is nothing to use.
TEST(StandInFace, TakesTheSkyAndSeaOfASideFace) {
    const int side = 4;
    std::vector<unsigned char> west(side * side * 3);
    for (std::size_t i = 0; i < west.size(); ++i)
        west[i] = i < west.size() / 2 ? 200 : 20; // first rows: sky; last rows: sea
    const unsigned char* fitted[cubeFaceCount] = {nullptr, west.data(), nullptr,
                                                  nullptr, nullptr,     nullptr};
    EXPECT_EQ(standInFace(0, fitted, side), west);
    EXPECT_EQ(standInFace(5, fitted, side), west);
    EXPECT_EQ(standInFace(2, fitted, side), std::vector<unsigned char>(west.size(), 200));
    EXPECT_EQ(standInFace(3, fitted, side), std::vector<unsigned char>(west.size(), 20));
    const unsigned char* polesOnly[cubeFaceCount] = {nullptr,     nullptr, west.data(),
                                                     west.data(), nullptr, nullptr};
    EXPECT_TRUE(standInFace(0, polesOnly, side).empty());
}

} // namespace
