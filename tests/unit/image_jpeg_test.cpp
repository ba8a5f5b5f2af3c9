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

// A small file whose frame header claims another size, and with it another
// kind of frame: baseline, or progressive, which is held whole as
// coefficients while it decodes. Nothing is decoded past the header.
std::string claimingFrame(const std::string& name, int width, int height, bool progressive) {
    std::string path = writeJpeg(name, bandedPicture(16, 16), 16, 3);
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    Bytes data(4096);
    data.resize(std::fread(data.data(), 1, data.size(), file));
    size_t frame = 0;
    while (frame + 8 < data.size() && !(data[frame] == 0xFF && data[frame + 1] == 0xC0))
        ++frame;
    EXPECT_LT(frame + 8, data.size()) << "no baseline frame header";
    const unsigned char header[] = {0xFF, static_cast<unsigned char>(progressive ? 0xC2 : 0xC0)};
    const unsigned char sides[4] = {
        static_cast<unsigned char>(height >> 8), static_cast<unsigned char>(height),
        static_cast<unsigned char>(width >> 8), static_cast<unsigned char>(width)};
    std::fseek(file, static_cast<long>(frame), SEEK_SET);
    std::fwrite(header, 1, 2, file);
    std::fseek(file, static_cast<long>(frame + 5), SEEK_SET);
    std::fwrite(sides, 1, 4, file);
    std::fclose(file);
    return path;
}

// Past imageMaxSide a picture is decoded at the largest of 1/2, 1/4 and 1/8
// that brings it within, with one line for the decodes of it in a row, and
// its buffer holds the scaled rows. Past that, or where its coefficients would take more memory
// than a 4096 x 4096 CMYK picture's, it is refused from its header alone, before a byte of pixel
// memory, and the published shape stays that of the last one.
TEST_F(JpegLoadTest, LargePicturesComeScaledOrAreRefusedFromTheirHeader) {
    struct Scaled {
        int width;
        int scaledWidth;
        const char* line;
    };
    for (const Scaled& scaled :
         {Scaled{imageMaxSide, imageMaxSide, ""},
          Scaled{imageMaxSide + 1, 2049, "4097 x 1 picture scaled to 2049 x 1 (1/2)"},
          Scaled{jpegMaxSourceSide, imageMaxSide, "32768 x 1 picture scaled to 4096 x 1 (1/8)"}}) {
        const std::string path = writeJpeg("wide" + std::to_string(scaled.width) + ".jpg",
                                           {Bytes(size_t(scaled.width) * 3, 90)}, scaled.width, 3);
        testing::internal::CaptureStderr();
        unsigned char* pixels = loadJpegImage(path.c_str());
        const std::string said = testing::internal::GetCapturedStderr();
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(said, *scaled.line == '\0'
                            ? ""
                            : path + ": " + scaled.line + ", at most 4096 pixels a side\n");
        EXPECT_EQ(jpegRowBytes, scaled.scaledWidth * 3);
        EXPECT_NEAR(pixels[scaled.scaledWidth * 3 - 2], 90, 2);
        std::free(pixels);
        // Decoded again right away, as bottom.jpg is for each face of its
        // cube map, it says nothing more.
        testing::internal::CaptureStderr();
        std::free(loadJpegImage(path.c_str()));
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }

    struct Refused {
        std::string path;
        std::string line;
    };
    const Refused refused[] = {
        {writeJpeg("wider.jpg", {Bytes((jpegMaxSourceSide + 1) * 3, 90)}, jpegMaxSourceSide + 1, 3),
         "32769 x 1 picture is larger than 32768 pixels a side"},
        {claimingFrame("vast.jpg", 65000, 65000, false),
         "65000 x 65000 picture is larger than 32768 pixels a side"},
        {claimingFrame("progressive.jpg", 8192, 8192, true),
         "8192 x 8192 picture of several scans needs more than 128 MB to decode"}};
    for (const Refused& file : refused) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(loadJpegImage(file.path.c_str()), nullptr);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), file.path + ": " + file.line + "\n");
        EXPECT_EQ(jpegRowBytes, imageMaxSide * 3);
        EXPECT_EQ(jpegImageHeight, 1);
    }
}

} // namespace
