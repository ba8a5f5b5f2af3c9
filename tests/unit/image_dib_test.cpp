// DIB files of every form the loader accepts, built byte by byte.
#include <gtest/gtest.h>

#include "image/image.h"
#include "tests/unit/image_load_support.h"
#include "tests/unit/image_temp_files.h"

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

class DibLoadTest : public ::testing::Test {
  protected:
    void SetUp() override { errorMessages = true; }
    void TearDown() override { errorMessages = true; }

    // Writes layout to a file, loads it and expects a clean success.
    std::vector<uint32_t> loadColours(const std::string& name, const DibFileLayout& layout) {
        CapturedLoad load = loadDibCapturing(writeImageTempFile(name, buildDibFile(layout)));
        EXPECT_NE(load.image, nullptr) << name;
        EXPECT_EQ(load.errors, "") << name;
        std::vector<uint32_t> colours = imageColours(load.image);
        if (load.image != nullptr) {
            EXPECT_EQ(load.image->width, layout.width) << name;
            EXPECT_EQ(load.image->height, layout.height < 0 ? -layout.height : layout.height)
                << name;
        }
        releaseImage(load.image);
        return colours;
    }
};

std::vector<uint32_t> flatten(const Rows& rows) {
    std::vector<uint32_t> all;
    for (const auto& row : rows)
        all.insert(all.end(), row.begin(), row.end());
    return all;
}

// A palette of n distinct colours, none of them black.
std::vector<uint32_t> testPalette(size_t n) {
    std::vector<uint32_t> palette;
    for (uint32_t i = 0; i < n; ++i)
        palette.push_back((0x10 + i) << 16 | (0xF0 - i / 2) << 8 | (i * 7 + 1) % 256);
    return palette;
}

Rows indexRows(int width, int height, uint32_t colours) {
    Rows rows(height, std::vector<uint32_t>(width));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            rows[y][x] = (x * 3 + y * 5) % colours;
    return rows;
}

Rows lookUp(const Rows& indices, const std::vector<uint32_t>& palette) {
    Rows colours = indices;
    for (auto& row : colours)
        for (uint32_t& c : row)
            c = c < palette.size() ? palette[c] : 0;
    return colours;
}

DibFileLayout trueColourLayout(const Rows& rows) {
    DibFileLayout layout;
    layout.width = static_cast<int32_t>(rows[0].size());
    layout.height = static_cast<int32_t>(rows.size());
    layout.bits = packDibRows(rows, 24);
    return layout;
}

DibFileLayout paletteLayout(int bitCount, const Rows& indices,
                            const std::vector<uint32_t>& palette) {
    DibFileLayout layout = trueColourLayout(indices);
    layout.bitCount = static_cast<uint16_t>(bitCount);
    layout.palette = palette;
    if (palette.size() != size_t(1) << bitCount)
        layout.colorsUsed = static_cast<uint32_t>(palette.size());
    layout.bits = packDibRows(indices, bitCount);
    return layout;
}

const Rows fiveByTwo = {{0x010203, 0x040506, 0x070809, 0x0A0B0C, 0x0D0E0F},
                        {0x101112, 0x131415, 0x161718, 0x191A1B, 0x1C1D1E}};

TEST_F(DibLoadTest, TrueColourRowsDropTheirFillBytes) {
    DibFileLayout layout = trueColourLayout(fiveByTwo);
    ASSERT_EQ(layout.bits.size(), 32u); // two 16-byte rows in the file
    CapturedLoad load = loadDibCapturing(writeImageTempFile("five.bmp", buildDibFile(layout)));
    ASSERT_NE(load.image, nullptr);
    ASSERT_EQ(load.image->width * load.image->height * 3, 30);
    const unsigned char bottomRowStart[6] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    EXPECT_EQ(std::vector<unsigned char>(load.image->pixels, load.image->pixels + 6),
              std::vector<unsigned char>(bottomRowStart, bottomRowStart + 6));
    EXPECT_EQ(imageColours(load.image), flatten(fiveByTwo));
    releaseImage(load.image);

    Rows fourWide = {{0xFF0000, 0x00FF00, 0x0000FF, 0x808080}, {1, 2, 3, 4}, {5, 6, 7, 8}};
    EXPECT_EQ(loadColours("four.bmp", trueColourLayout(fourWide)), flatten(fourWide));
}

TEST_F(DibLoadTest, PaletteDepthsLookUpEveryPixel) {
    for (int bitCount : {1, 4, 8}) {
        std::vector<uint32_t> palette = testPalette(size_t(1) << bitCount);
        for (int width : {1, 7, 13, 33}) {
            Rows indices = indexRows(width, 3, static_cast<uint32_t>(palette.size()));
            std::string name = "palette" + std::to_string(bitCount) + "x" + std::to_string(width);
            EXPECT_EQ(loadColours(name, paletteLayout(bitCount, indices, palette)),
                      flatten(lookUp(indices, palette)))
                << name;
        }
    }
}

TEST_F(DibLoadTest, ShortPaletteReadsOnlyItsEntries) {
    std::vector<uint32_t> palette = testPalette(16);
    Rows indices = indexRows(9, 4, 16);
    indices[1][2] = 200; // beyond the table: black, nothing read past it
    indices[3][8] = 16;
    for (bool fileHeader : {true, false}) {
        DibFileLayout layout = paletteLayout(8, indices, palette);
        layout.colorsUsed = 16;
        layout.fileHeader = fileHeader;
        std::string name = fileHeader ? "used16.bmp" : "used16.dib";
        EXPECT_EQ(loadColours(name, layout), flatten(lookUp(indices, palette))) << name;
    }
}

TEST_F(DibLoadTest, CoreFormMatchesInformationForm) {
    std::vector<uint32_t> palette = testPalette(256);
    Rows indices = indexRows(11, 5, 256);
    DibFileLayout info = paletteLayout(8, indices, palette);
    DibFileLayout core = info;
    core.headerSize = 12;
    EXPECT_EQ(loadColours("core8.bmp", core), loadColours("info8.bmp", info));
    EXPECT_EQ(loadColours("core8.bmp", core), flatten(lookUp(indices, palette)));

    DibFileLayout info24 = trueColourLayout(fiveByTwo);
    DibFileLayout core24 = info24;
    core24.headerSize = 12;
    EXPECT_EQ(loadColours("core24.bmp", core24), loadColours("info24.bmp", info24));
}

TEST_F(DibLoadTest, BareDibsFindPixelsAfterTheColourTable) {
    DibFileLayout info = trueColourLayout(fiveByTwo);
    info.fileHeader = false;
    ASSERT_EQ(buildDibFile(info).size(), 40u + 32u);
    EXPECT_EQ(loadColours("bare24.dib", info), flatten(fiveByTwo));
    // Colours used gives a true-colour file a table too, which the pixels follow.
    info.palette = testPalette(3);
    info.colorsUsed = 3;
    EXPECT_EQ(loadColours("used24.dib", info), flatten(fiveByTwo));

    std::vector<uint32_t> palette = testPalette(256);
    Rows indices = indexRows(6, 3, 256);
    DibFileLayout core = paletteLayout(8, indices, palette);
    core.headerSize = 12;
    core.fileHeader = false;
    ASSERT_EQ(buildDibFile(core).size(), 12u + 768u + 24u);
    EXPECT_EQ(loadColours("bare8.dib", core), flatten(lookUp(indices, palette)));
}

TEST_F(DibLoadTest, FileHeaderOffsetWinsOverTheTableEnd) {
    DibFileLayout layout = trueColourLayout(fiveByTwo);
    layout.gap = Bytes(20, 0xEE);
    layout.pixelOffset = 14 + 40 + 20;
    EXPECT_EQ(loadColours("gap.bmp", layout), flatten(fiveByTwo));

    // An offset pointing into the table takes its pixels from there.
    std::vector<uint32_t> palette = {0x000000, 0xFFFFFF};
    DibFileLayout early = paletteLayout(1, {{1, 1, 1, 1, 1, 1, 1, 1}}, palette);
    early.bits.clear();
    early.pixelOffset = 14 + 40 + 4; // the white entry: bytes FF FF FF 00
    std::vector<uint32_t> expected(8, 0xFFFFFF);
    EXPECT_EQ(loadColours("early.bmp", early), expected);
}

TEST_F(DibLoadTest, TopDownFileLoadsBottomRowFirst) {
    Rows topFirst = {fiveByTwo[1], fiveByTwo[0]};
    DibFileLayout layout = trueColourLayout(topFirst);
    layout.height = -2;
    EXPECT_EQ(loadColours("topdown.bmp", layout), flatten(fiveByTwo));

    std::vector<uint32_t> palette = testPalette(16);
    Rows indices = indexRows(5, 3, 16);
    DibFileLayout four = paletteLayout(4, Rows(indices.rbegin(), indices.rend()), palette);
    four.height = -3;
    EXPECT_EQ(loadColours("topdown4.bmp", four), flatten(lookUp(indices, palette)));
}

uint32_t channelsOf(const std::vector<uint32_t>& colours, size_t i, int shift) {
    return colours.at(i) >> shift & 0xFF;
}

// Every channel of every pixel against a value scaled to 0..255.
void expectScaled(const std::vector<uint32_t>& colours, const Rows& expected) {
    std::vector<uint32_t> wanted = flatten(expected);
    ASSERT_EQ(colours.size(), wanted.size());
    for (size_t i = 0; i < wanted.size(); ++i)
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(channelsOf(colours, i, shift), channelsOf(wanted, i, shift), 1.0)
                << "pixel " << i;
}

uint32_t rgb(double r, double g, double b) {
    return uint32_t(r * 255 + 0.5) << 16 | uint32_t(g * 255 + 0.5) << 8 | uint32_t(b * 255 + 0.5);
}

TEST_F(DibLoadTest, SixteenBitsDefaultToFiveFiveFive) {
    Rows words = {{0x7FFF, 0x7C00, 0x03E0, 0x001F}, {0x0000, 0x4210, 0x8000, 0x0C63}};
    DibFileLayout layout = trueColourLayout(words);
    layout.bitCount = 16;
    layout.bits = packDibRows(words, 16);
    Rows expected = {
        {rgb(1, 1, 1), rgb(1, 0, 0), rgb(0, 1, 0), rgb(0, 0, 1)},
        {0, rgb(16 / 31.0, 16 / 31.0, 16 / 31.0), 0, rgb(3 / 31.0, 3 / 31.0, 3 / 31.0)}};
    expectScaled(loadColours("555.bmp", layout), expected);
}

TEST_F(DibLoadTest, ThirtyTwoBitsDefaultToBlueGreenRedBytes) {
    Rows words = {{0xFF102030, 0x00FFFFFF, 0x12000001}};
    DibFileLayout layout = trueColourLayout(words);
    layout.bitCount = 32;
    layout.bits = packDibRows(words, 32);
    EXPECT_EQ(loadColours("x888.bmp", layout),
              (std::vector<uint32_t>{0x102030, 0xFFFFFF, 0x000001}));
}

TEST_F(DibLoadTest, BitFieldMasksPlaceEachChannel) {
    Rows words565 = {{0xFFFF, 0xF800, 0x07E0, 0x001F, 0x0400}};
    DibFileLayout layout = trueColourLayout(words565);
    layout.bitCount = 16;
    layout.compression = 3;
    layout.masks = {0xF800, 0x07E0, 0x001F};
    layout.bits = packDibRows(words565, 16);
    Rows expected = {
        {rgb(1, 1, 1), rgb(1, 0, 0), rgb(0, 1, 0), rgb(0, 0, 1), rgb(0, 32 / 63.0, 0)}};
    expectScaled(loadColours("565.bmp", layout), expected);
    layout.fileHeader = false; // a bare file keeps its pixels after the masks
    expectScaled(loadColours("565.dib", layout), expected);

    // Ten bits a channel, red lowest, in 32-bit words.
    Rows words = {{1023u | 512u << 10, 1023u << 20, 0}};
    DibFileLayout wide = trueColourLayout(words);
    wide.bitCount = 32;
    wide.compression = 3;
    wide.masks = {0x3FF, 0x3FF << 10, 0x3FFu << 20};
    wide.bits = packDibRows(words, 32);
    expectScaled(loadColours("1010.bmp", wide), {{rgb(1, 512 / 1023.0, 0), rgb(0, 0, 1), 0}});

    // A channel without mask bits is black.
    wide.masks = {0x3FF, 0, 0x3FFu << 20};
    expectScaled(loadColours("nogreen.bmp", wide), {{rgb(1, 0, 0), rgb(0, 0, 1), 0}});
}

// Run-length streams: runs, literals with their 16-bit padding, line ends,
// deltas and the end of the bitmap. Skipped pixels stay black.
TEST_F(DibLoadTest, EightBitRunLengthsExpand) {
    std::vector<uint32_t> palette = testPalette(8);
    DibFileLayout layout = paletteLayout(8, Rows(3, std::vector<uint32_t>(6)), palette);
    layout.compression = 1;
    layout.bits = {3, 1, 0, 3, 2, 3, 4, 0, 0, 0, // run, odd literal padded, end of line
                   2, 5, 0, 0,                   // short row, rest skipped
                   0, 2, 4, 0, 2, 6, 0, 1};      // delta right by 4, run, end of bitmap
    Rows expected = {{palette[1], palette[1], palette[1], palette[2], palette[3], palette[4]},
                     {palette[5], palette[5], 0, 0, 0, 0},
                     {0, 0, 0, 0, palette[6], palette[6]}};
    EXPECT_EQ(loadColours("rle8.bmp", layout), flatten(expected));
}

TEST_F(DibLoadTest, FourBitRunLengthsAlternateNibbles) {
    std::vector<uint32_t> palette = testPalette(16);
    DibFileLayout layout = paletteLayout(4, Rows(2, std::vector<uint32_t>(5)), palette);
    layout.compression = 2;
    layout.bits = {5, 0x12, 0,    0,           // 1 2 1 2 1, end of line
                   0, 3,    0x34, 0x50, 0, 1}; // three literal nibbles, end of bitmap
    Rows expected = {{palette[1], palette[2], palette[1], palette[2], palette[1]},
                     {palette[3], palette[4], palette[5], 0, 0}};
    EXPECT_EQ(loadColours("rle4.bmp", layout), flatten(expected));
}

TEST_F(DibLoadTest, RunLengthsNeverWriteOutsideTheRows) {
    std::vector<uint32_t> palette = testPalette(8);
    DibFileLayout layout = paletteLayout(8, Rows(2, std::vector<uint32_t>(4)), palette);
    layout.compression = 1;
    layout.bits = {255, 1, 0,   0,                // a run far past the row's end
                   0,   6, 2,   2,   2, 2, 3, 3,  // a literal past the row's end
                   0,   2, 0,   200, 4, 7,        // a delta past the last row, then a run
                   0,   2, 255, 255, 0, 0, 4, 7}; // and more lines past it, no end of bitmap
    Rows expected = {{palette[1], palette[1], palette[1], palette[1]},
                     {palette[2], palette[2], palette[2], palette[2]}};
    EXPECT_EQ(loadColours("rleclip.bmp", layout), flatten(expected));
}

} // namespace
