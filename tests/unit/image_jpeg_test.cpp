// JPEG files written with libjpeg's own compressor, decoded by the loader.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

#include <jpeglib.h>

#include "image/image.h"
#include "tests/unit/image_temp_files.h"
#include "tools/assets/asset_pictures.h"

namespace {

// A picture's rows, top first.
using Rows = std::vector<Bytes>;

// Grey, RGB, CMYK by the component count, stored in the colour space given
// (the library's choice for that input if none), at full quality and
// full-resolution chroma, by the data-file generator's writer.
std::string writeJpeg(const std::string& name, const Rows& rows, int width, int components,
                      J_COLOR_SPACE stored = JCS_UNKNOWN) {
    const int height = static_cast<int>(rows.size());
    Picture picture = blankPicture(width, height, components);
    for (int row = 0; row < height; ++row) // the picture's rows bottom first
        std::copy(rows[height - 1 - row].begin(), rows[height - 1 - row].end(),
                  picture.samples.begin() + static_cast<std::ptrdiff_t>(row) * width * components);
    std::string path = imageTempDirectory() + "/" + name;
    EXPECT_TRUE(writeJpegFile(path, picture, JpegSettings{100, stored, true})) << path;
    return path;
}

// Flat bands of colour, so compression barely blurs them: the top rows red,
// the bottom rows blue, the middle green. Bands a multiple of 16 rows high
// fill whole coding blocks, which then decode almost exactly.
Rows bandedPicture(int width, int height) {
    Rows rows;
    for (int y = 0; y < height; ++y) {
        unsigned char r = y < height / 3 ? 230 : 20;
        unsigned char b = y >= height - height / 3 ? 220 : 30;
        Bytes row;
        for (int x = 0; x < width; ++x)
            row.insert(row.end(), {r, 120, b});
        rows.push_back(row);
    }
    return rows;
}

// Every byte of the buffer row against the picture row, within JPEG error.
void expectRowNear(const unsigned char* bufferRow, const Bytes& pictureRow, const char* what) {
    for (size_t i = 0; i < pictureRow.size(); ++i)
        ASSERT_NEAR(bufferRow[i], pictureRow[i], 6) << what << " byte " << i;
}

class JpegLoadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        jpegRowBytes = 0;
        jpegImageHeight = 0;
    }
};

TEST_F(JpegLoadTest, ColourRowsComeBottomFirst) {
    const int width = 24, height = 48;
    Rows picture = bandedPicture(width, height);
    std::string path = writeJpeg("bands.jpg", picture, width, 3);
    unsigned char* pixels = loadJpegImage(path.c_str());
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(jpegRowBytes, width * 3);
    EXPECT_EQ(jpegImageHeight, height);
    EXPECT_EQ(jpegImageComponents, 3);
    for (int r = 0; r < height; ++r)
        expectRowNear(pixels + r * width * 3, picture[height - 1 - r], "row");
    std::free(pixels);
}

TEST_F(JpegLoadTest, GreyscaleHasOneBytePerPixel) {
    const int width = 16, height = 9;
    Rows picture;
    for (int y = 0; y < height; ++y)
        picture.push_back(Bytes(width, static_cast<unsigned char>(y < 4 ? 200 : 40)));
    std::string path = writeJpeg("grey.jpg", picture, width, 1);
    unsigned char* pixels = loadJpegImage(path.c_str());
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(jpegRowBytes, width);
    EXPECT_EQ(jpegImageHeight, height);
    EXPECT_EQ(jpegImageComponents, 1);
    expectRowNear(pixels, picture.back(), "bottom");
    expectRowNear(pixels + (height - 1) * width, picture.front(), "top");
    std::free(pixels);
}

// Printers' files as image editors write them: Adobe's inverted ink (255 is
// no ink), stored as CMYK or as YCCK, come out as the colours the ink gives.
// Components of no known colour space are refused like a missing file.
TEST_F(JpegLoadTest, InkFilesComeOutAsRgbAndUnknownColoursAreRefused) {
    const int width = 16, height = 48;
    Rows picture = bandedPicture(width, height), ink;
    for (const Bytes& row : picture) {
        Bytes inkRow;
        for (size_t i = 0; i < row.size(); i += 3) {
            unsigned black = std::max({row[i], row[i + 1], row[i + 2]}); // inverted
            for (int c = 0; c < 3; ++c)
                inkRow.push_back(static_cast<unsigned char>(row[i + c] * 255 / black));
            inkRow.push_back(static_cast<unsigned char>(black));
        }
        ink.push_back(inkRow);
    }
    for (J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
        std::string path = writeJpeg("ink.jpg", ink, width, 4, stored);
        unsigned char* pixels = loadJpegImage(path.c_str());
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(jpegRowBytes, width * 3);
        EXPECT_EQ(jpegImageComponents, 3);
        for (int r = 0; r < height; ++r)
            expectRowNear(pixels + r * width * 3, picture[height - 1 - r], "ink row");
        std::free(pixels);
    }
    std::string twoChannels = writeJpeg("two.jpg", Rows(4, Bytes(8 * 2, 90)), 8, 2);
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadJpegImage(twoChannels.c_str()), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              twoChannels + ": picture of 2 colour components, neither grey, RGB nor CMYK\n");
    EXPECT_EQ(jpegRowBytes, width * 3);
}

TEST_F(JpegLoadTest, SingleRowLandsAtTheStart) {
    Rows picture = {Bytes(7 * 3, 90)};
    std::string path = writeJpeg("row.jpg", picture, 7, 3);
    unsigned char* pixels = loadJpegImage(path.c_str());
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(jpegImageHeight, 1);
    expectRowNear(pixels, picture[0], "only");
    std::free(pixels);
}

// That the last picture's shape stays published is the textures' concern:
// tests/gl/texture_files_test.cpp shows it where it matters.
TEST_F(JpegLoadTest, MissingFileIsRefusedWithAMessage) {
    std::string missing = imageTempDirectory() + "/no-such-sky.jpg";
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadJpegImage(missing.c_str()), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "can't open " + missing + "\n");
    EXPECT_EQ(jpegRowBytes, 0);
    EXPECT_EQ(jpegImageHeight, 0);
}

TEST_F(JpegLoadTest, DecodingTwiceGivesIdenticalBuffers) {
    std::string path = writeJpeg("twice.jpg", bandedPicture(33, 21), 33, 3);
    unsigned char* first = loadJpegImage(path.c_str());
    int32_t firstRowBytes = jpegRowBytes, firstHeight = jpegImageHeight;
    unsigned char* second = loadJpegImage(path.c_str());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(jpegRowBytes, firstRowBytes);
    EXPECT_EQ(jpegImageHeight, firstHeight);
    EXPECT_EQ(std::memcmp(first, second, size_t(firstRowBytes) * firstHeight), 0);
    std::free(first);
    std::free(second);
}

TEST(JpegLoadDeathTest, DataThatIsNotJpegEndsTheProcess) {
    std::string text = writeImageTempFile("not.jpg", Bytes{'h', 'e', 'l', 'l', 'o', '\n'});
    EXPECT_EXIT(loadJpegImage(text.c_str()), testing::ExitedWithCode(1),
                "Not a JPEG file: starts with 0x68 0x65");
    std::string empty = writeImageTempFile("empty.jpg", Bytes());
    EXPECT_EXIT(loadJpegImage(empty.c_str()), testing::ExitedWithCode(1),
                "can't decode " + empty + "\nEmpty input file");
}

// A small file whose frame header, of the kind marker (baseline 0xC0,
// progressive 0xC2), claims side x side pixels.
std::string claimingFrame(const std::string& name, unsigned char marker, int side) {
    std::string path = writeJpeg(name, bandedPicture(16, 16), 16, 3);
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    Bytes data(4096);
    data.resize(std::fread(data.data(), 1, data.size(), file));
    size_t frame = 0;
    while (frame + 8 < data.size() && !(data[frame] == 0xFF && data[frame + 1] == 0xC0))
        ++frame;
    const unsigned char high = static_cast<unsigned char>(side >> 8), low = side & 0xFF;
    const unsigned char header[9] = {
        0xFF, marker, data[frame + 2], data[frame + 3], data[frame + 4], high, low, high, low};
    std::fseek(file, static_cast<long>(frame), SEEK_SET);
    std::fwrite(header, 1, sizeof header, file);
    std::fclose(file);
    return path;
}

// Past imageMaxSide a side a picture is decoded at the largest of 1/2, 1/4
// and 1/8 that brings it within, with one line for the decodes of it in a
// row (bottom.jpg is decoded once for each face). Past 8 times the side, or
// with scans that would hold more coefficients than a 4096 x 4096 CMYK
// picture, it is refused from its header alone, before a byte of pixel
// memory, and the published shape stays that of the last one.
TEST_F(JpegLoadTest, LargePicturesComeScaledOrAreRefusedFromTheirHeader) {
    for (const auto& [width, denominator] :
         {std::pair{imageMaxSide, 1}, std::pair{imageMaxSide + 1, 2},
          std::pair{jpegMaxSourceSide, 8}}) {
        const std::string path = writeJpeg("wide" + std::to_string(width) + ".jpg",
                                           {Bytes(size_t(width) * 3, 90)}, width, 3);
        const int scaled = (width + denominator - 1) / denominator;
        std::string line = path + ": " + std::to_string(width) + " x 1 picture scaled to " +
                           std::to_string(scaled) + " x 1 (1/" + std::to_string(denominator) +
                           "), at most 4096 pixels a side\n";
        for (const std::string& expected : {denominator > 1 ? line : "", std::string()}) {
            testing::internal::CaptureStderr();
            std::free(loadJpegImage(path.c_str()));
            EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
            EXPECT_EQ(jpegRowBytes, scaled * 3);
        }
    }
    const int wider = jpegMaxSourceSide + 1;
    for (const auto& [path, line] :
         {std::pair{writeJpeg("wider.jpg", {Bytes(size_t(wider) * 3, 90)}, wider, 3),
                    "32769 x 1 picture is larger than 32768 pixels a side"},
          std::pair{claimingFrame("vast.jpg", 0xC0, 65000),
                    "65000 x 65000 picture is larger than 32768 pixels a side"},
          std::pair{claimingFrame("progressive.jpg", 0xC2, 8192),
                    "8192 x 8192 picture of several scans needs more than 128 MB to decode"}}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(loadJpegImage(path.c_str()), nullptr);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ": " + line + "\n");
        EXPECT_EQ(jpegRowBytes, imageMaxSide * 3);
        EXPECT_EQ(jpegImageHeight, 1);
    }
}

// A grey progressive picture of width x height whose every coefficient is
// 0, with a scan of the DC values and acScans scans of the rest, each code
// a single 0 bit: one bit a block a scan. Both tables hold one code, the DC
// one for a difference of 0, the AC one for the end of the block.
Bytes progressiveGrey(int width, int height, int acScans) {
    const size_t blockBytes = (size_t((width + 7) / 8) * ((height + 7) / 8) + 7) / 8;
    auto high = [](int v) { return static_cast<unsigned char>(v >> 8); };
    auto low = [](int v) { return static_cast<unsigned char>(v & 0xFF); };
    Bytes file = {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
    file.insert(file.end(), 64, 1);
    file.insert(file.end(), {0xFF, 0xC2, 0x00, 0x0B, 0x08, high(height), low(height), high(width),
                             low(width), 0x01, 0x01, 0x11, 0x00});
    for (unsigned char table : {0x00, 0x10}) {
        file.insert(file.end(), {0xFF, 0xC4, 0x00, 0x14, table, 0x01});
        file.insert(file.end(), 16, 0);
    }
    for (int scan = 0; scan <= acScans; ++scan) {
        const unsigned char first = scan == 0 ? 0 : 1, last = scan == 0 ? 0 : 63;
        file.insert(file.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, first, last, 0x00});
        file.insert(file.end(), blockBytes, 0);
    }
    file.insert(file.end(), {0xFF, 0xD9});
    return file;
}

// A picture of up to 100 scans is decoded; past that the decoding stops
// with one line. Past 128 MB of coefficients (two bytes for each of 8192 x
// 8192 grey samples) a picture of several scans is refused from its header.
TEST_F(JpegLoadTest, ScansAndTheirCoefficientsHaveLimits) {
    for (int scans : {99, 100, 101}) {
        const std::string path = writeImageTempFile("scans" + std::to_string(scans) + ".jpg",
                                                    progressiveGrey(8, 8, scans - 1));
        testing::internal::CaptureStderr();
        unsigned char* image = loadJpegImage(path.c_str());
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  scans > 100 ? path + ": picture of more than 100 scans\n" : "");
        EXPECT_EQ(image != nullptr, scans <= 100) << scans;
        std::free(image);
    }
    for (int height : {8192, 8193}) {
        const std::string path = writeImageTempFile(
            "coefficients" + std::to_string(height) + ".jpg", progressiveGrey(8192, height, 0));
        testing::internal::CaptureStderr();
        unsigned char* image = loadJpegImage(path.c_str());
        const std::string refusal =
            path + ": 8192 x 8193 picture of several scans needs more " + "than 128 MB to decode\n";
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  height == 8192 ? path + ": 8192 x 8192 picture scaled to 4096 x 4096 (1/2), " +
                                       "at most 4096 pixels a side\n"
                                 : refusal);
        EXPECT_EQ(image != nullptr, height == 8192) << height;
        std::free(image);
    }
}

} // namespace
