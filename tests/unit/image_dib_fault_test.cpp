// DIB files the loader must refuse, names it cannot open, and the message
// switch: one message at most, null every time, nothing read outside the file.
#include <climits>
#include <gtest/gtest.h>

#include "image/image.h"
#include "tests/unit/image_load_support.h"
#include "tests/unit/image_temp_files.h"

namespace {

const std::string unknownFormat = "Error: Unknown DIB file format.\n";
const std::string conversionError = "Error: Image file conversion error.\n";

class DibFaultTest : public ::testing::Test {
  protected:
    void SetUp() override { errorMessages = true; }
    void TearDown() override { errorMessages = true; }
};

DibFileLayout smallTrueColour() {
    DibFileLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.bits = packDibRows({{1, 2, 3}, {4, 5, 6}}, 24);
    return layout;
}

DibFileLayout withSize(int32_t width, int32_t height) {
    DibFileLayout layout = smallTrueColour();
    layout.width = width;
    layout.height = height;
    return layout;
}

// Each case goes through the mapped file and must be refused with its message.
void expectRefused(const std::string& name, const Bytes& file, const std::string& message) {
    CapturedLoad load = loadDibCapturing(writeImageTempFile(name, file));
    EXPECT_EQ(load.image, nullptr) << name;
    EXPECT_EQ(load.errors, message) << name;
    releaseImage(load.image);
}

Bytes truncated(Bytes file, size_t size) {
    file.resize(size);
    return file;
}

TEST_F(DibFaultTest, UnknownHeaderFormsAreRefused) {
    for (uint32_t headerSize : {108u, 124u, 0u, 64u, 0xFFFFFFFFu}) {
        DibFileLayout layout = smallTrueColour();
        layout.headerSize = headerSize <= 124 ? headerSize : 40;
        Bytes file = buildDibFile(layout);
        if (headerSize > 124)
            file[14] = file[15] = file[16] = file[17] = 0xFF;
        expectRefused("form" + std::to_string(headerSize), file, unknownFormat);
    }
}

TEST_F(DibFaultTest, FilesTooShortForTheirHeadersAreRefused) {
    Bytes whole = buildDibFile(smallTrueColour());
    for (size_t size : {1u, 2u, 10u, 13u, 14u, 17u, 20u, 53u})
        expectRefused("short" + std::to_string(size), truncated(whole, size), unknownFormat);
    DibFileLayout bare = smallTrueColour();
    bare.fileHeader = false;
    expectRefused("bareshort", truncated(buildDibFile(bare), 39), unknownFormat);
    bare.headerSize = 12;
    expectRefused("coreshort", truncated(buildDibFile(bare), 11), unknownFormat);
}

TEST_F(DibFaultTest, ColourTablesTheFileDoesNotHoldAreRefused) {
    DibFileLayout layout = smallTrueColour();
    layout.bitCount = 8;
    layout.palette = std::vector<uint32_t>(10, 0x123456);
    layout.bits = packDibRows({{1, 2, 3}, {4, 5, 6}}, 8);
    Bytes file = buildDibFile(layout); // 256 entries implied, ten present
    expectRefused("table10of256", file, unknownFormat);

    layout.colorsUsed = 300; // more entries than the file has room for
    layout.palette = std::vector<uint32_t>(256, 0x123456);
    layout.bits.clear();
    expectRefused("table256of300", buildDibFile(layout), unknownFormat);

    DibFileLayout core = layout;
    core.headerSize = 12;
    core.fileHeader = false;
    core.palette.resize(100);
    expectRefused("coretable", buildDibFile(core), unknownFormat);

    DibFileLayout masks = smallTrueColour();
    masks.bitCount = 16;
    masks.compression = 3;
    masks.bits.clear();
    masks.masks = {0xF800, 0x07E0}; // the third mask is missing
    expectRefused("twomasks", buildDibFile(masks), unknownFormat);
}

// A 16-bit count would wrap 70,000 entries round to 4,464.
TEST_F(DibFaultTest, ColoursUsedBeyondSixteenBitsAreRefused) {
    DibFileLayout layout = smallTrueColour();
    layout.colorsUsed = 70000;
    layout.palette = std::vector<uint32_t>(70000, 0x445566);
    expectRefused("used70000", buildDibFile(layout), unknownFormat);
    layout.colorsUsed = 65535;
    layout.palette.resize(65535);
    CapturedLoad load = loadDibCapturing(writeImageTempFile("used65535", buildDibFile(layout)));
    EXPECT_NE(load.image, nullptr);
    EXPECT_EQ(load.errors, "");
    releaseImage(load.image);
}

TEST_F(DibFaultTest, PixelDataShorterThanDeclaredIsRefused) {
    Bytes whole = buildDibFile(smallTrueColour());
    expectRefused("nopixels", truncated(whole, 54), conversionError);
    expectRefused("onebyteshort", truncated(whole, whole.size() - 1), conversionError);

    DibFileLayout beyond = smallTrueColour();
    beyond.pixelOffset = 100000; // past the end of the file
    expectRefused("offsetbeyond", buildDibFile(beyond), conversionError);
    beyond.pixelOffset = 0xFFFFFFFF;
    expectRefused("offsetmax", buildDibFile(beyond), conversionError);

    DibFileLayout top = smallTrueColour();
    top.height = -2;
    expectRefused("topshort", truncated(buildDibFile(top), 54 + 10), conversionError);
}

DibFileLayout runLengths(int32_t width, int32_t height, uint32_t compression, Bytes bits) {
    DibFileLayout layout = withSize(width, height);
    layout.bitCount = compression == 1 ? 8 : 4;
    layout.compression = compression;
    layout.colorsUsed = 1;
    layout.palette = {0x808080};
    layout.bits = std::move(bits);
    return layout;
}

// Run-length data must reach its last row or say where the picture ends;
// rows it loses otherwise would show as black bands in a picture that passes.
TEST_F(DibFaultTest, RunLengthDataCutShortIsRefused) {
    struct Stream {
        const char* name;
        uint32_t compression;
        Bytes bits;
        bool whole;
    };
    const Stream streams[] = {
        {"empty", 1, {}, false},
        {"endsonrow1", 1, {4, 0, 0, 0}, false},
        {"rle4endsonrow1", 2, {4, 0, 0, 0}, false},
        {"literalcut", 1, {4, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0, 0}, false},
        {"deltacut", 1, {0, 2, 1}, false},
        {"oddbyte", 1, {4, 0, 0, 0, 4, 0, 0, 0, 4, 0, 0}, false},
        {"lastrowreached", 1, {4, 0, 0, 0, 4, 0, 0, 0, 4, 0}, true},
        {"endofbitmap", 1, {4, 0, 0, 1}, true},
        {"literalendsthedata", 1, {4, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0, 0, 0, 0}, true},
    };
    for (const Stream& stream : streams) {
        Bytes file = buildDibFile(runLengths(4, 3, stream.compression, stream.bits));
        if (!stream.whole) {
            expectRefused(stream.name, file, conversionError);
            continue;
        }
        CapturedLoad load = decodeDibCapturing(file);
        EXPECT_EQ(load.errors, "") << stream.name;
        EXPECT_NE(load.image, nullptr) << stream.name;
        releaseImage(load.image);
    }
}

// A run that starts past the row's end, moved there by a delta, writes
// nothing: not into the next row, and only the runs inside show grey.
TEST_F(DibFaultTest, RunsPastTheRowEndWriteNothing) {
    CapturedLoad load =
        decodeDibCapturing(buildDibFile(runLengths(4, 2, 1, {0, 2, 5, 0, 2, 0, 0, 0, 1, 0, 0, 1})));
    ASSERT_NE(load.image, nullptr) << load.errors;
    const std::vector<uint32_t> pixels = imageColours(load.image);
    const std::vector<uint32_t> expected = {0, 0, 0, 0, 0x808080, 0, 0, 0};
    EXPECT_EQ(pixels, expected);
    releaseImage(load.image);
}

TEST_F(DibFaultTest, ZeroAbsurdAndOverflowingSizesAreRefused) {
    const std::pair<int32_t, int32_t> sizes[] = {{0, 2},          {3, 0},
                                                 {-3, 2},         {100000, 100000},
                                                 {INT_MAX, 1},    {1, INT_MIN},
                                                 {0x55555556, 1}, // x 3 wraps to 2 in 32 bits
                                                 {65536, 65536},  {INT_MAX, INT_MAX}};
    for (const auto& size : sizes) {
        std::string name = "size" + std::to_string(size.first) + "x" + std::to_string(size.second);
        expectRefused(name, buildDibFile(withSize(size.first, size.second)), conversionError);
    }
    // Nor can a tiny run-length file ask for a picture wider or taller than
    // the loader makes; one at the limit or one below is whole.
    for (int32_t side : {60000, imageMaxSide + 1}) {
        expectRefused("rlewide" + std::to_string(side),
                      buildDibFile(runLengths(side, 2, 1, {0, 1})), conversionError);
        expectRefused("rletall" + std::to_string(side),
                      buildDibFile(runLengths(2, side, 1, {0, 1})), conversionError);
    }
    for (int32_t side : {imageMaxSide - 1, imageMaxSide})
        for (const Bytes& file : {buildDibFile(runLengths(side, 2, 1, {0, 1})),
                                  buildDibFile(runLengths(2, side, 1, {0, 1}))}) {
            CapturedLoad limit = decodeDibCapturing(file);
            EXPECT_NE(limit.image, nullptr) << side;
            releaseImage(limit.image);
        }
}

TEST_F(DibFaultTest, UnconvertibleDepthsAndCompressionsAreRefused) {
    struct Form {
        uint16_t bitCount;
        uint32_t compression;
        int32_t height;
    };
    const Form forms[] = {{2, 0, 2},  {0, 0, 2}, {48, 0, 2}, {24, 1, 2}, {8, 2, 2},  {4, 1, 2},
                          {24, 3, 2}, {8, 3, 2}, {24, 4, 2}, {24, 5, 2}, {8, 1, -2}, {4, 2, -2}};
    for (const Form& form : forms) {
        DibFileLayout layout = smallTrueColour();
        layout.bitCount = form.bitCount;
        layout.compression = form.compression;
        layout.height = form.height;
        layout.colorsUsed = 1; // a table for the palette depths, unused by the others
        layout.palette = {0x112233};
        layout.masks = form.compression == 3 ? std::vector<uint32_t>{0xFF, 0xFF00, 0xFF0000}
                                             : std::vector<uint32_t>{};
        layout.bits = Bytes(64, 0);
        std::string name = "form" + std::to_string(form.bitCount) + "c" +
                           std::to_string(form.compression) + "h" + std::to_string(form.height);
        expectRefused(name, buildDibFile(layout), conversionError);
    }
}

TEST_F(DibFaultTest, MissingFileNamesItInFull) {
    std::string missing = imageTempDirectory() + "/no-such-face.bmp";
    CapturedLoad load = loadDibCapturing(missing);
    EXPECT_EQ(load.image, nullptr);
    EXPECT_EQ(load.errors, "Error: Failed to open DIB file " + missing + ".\n");

    std::string longName = imageTempDirectory() + "/" + std::string(600, 'n') + ".bmp";
    load = loadDibCapturing(longName);
    EXPECT_EQ(load.image, nullptr);
    EXPECT_EQ(load.errors, "Error: Failed to open DIB file " + longName + ".\n");
}

// Like the platform's mapping, an empty file or a folder cannot be mapped.
TEST_F(DibFaultTest, WhatCannotBeMappedIsAnOpenFailure) {
    std::string empty = writeImageTempFile("empty.bmp", Bytes());
    CapturedLoad load = loadDibCapturing(empty);
    EXPECT_EQ(load.image, nullptr);
    EXPECT_EQ(load.errors, "Error: Failed to open DIB file " + empty + ".\n");

    load = loadDibCapturing(imageTempDirectory());
    EXPECT_EQ(load.image, nullptr);
    EXPECT_EQ(messageCount(load.errors), 1);
}

TEST_F(DibFaultTest, WideNamesOpenTheSameFile) {
    Bytes file = buildDibFile(smallTrueColour());
    writeImageTempFile("oc\xC3\xA9"
                       "an-\xF0\x9F\x8C\x8A.bmp",
                       file);
    std::string directory = imageTempDirectory() + "/"; // plain ASCII
    std::u16string wide(directory.begin(), directory.end());
    wide += u"oc\u00E9an-\U0001F30A.bmp";
    testing::internal::CaptureStderr();
    RgbImage* image = loadDibImageWide(wide.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(imageColours(image), (std::vector<uint32_t>{1, 2, 3, 4, 5, 6}));
    releaseImage(image);

    std::u16string lone = u"missing-";
    lone += char16_t(0xD800); // an unpaired surrogate
    lone += u".bmp";
    testing::internal::CaptureStderr();
    EXPECT_EQ(loadDibImageWide(lone.c_str()), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Failed to open DIB file missing-\xEF\xBF\xBD.bmp.\n");
}

TEST_F(DibFaultTest, SwitchingMessagesOffChangesOnlyTheMessages) {
    std::vector<std::string> paths = {
        writeImageTempFile("quiet-good.bmp", buildDibFile(smallTrueColour())),
        writeImageTempFile("quiet-form.bmp", truncated(buildDibFile(smallTrueColour()), 20)),
        writeImageTempFile("quiet-size.bmp", buildDibFile(withSize(0, 2))),
        imageTempDirectory() + "/quiet-missing.bmp"};
    for (const std::string& path : paths) {
        errorMessages = true;
        CapturedLoad shown = loadDibCapturing(path);
        errorMessages = false;
        CapturedLoad quiet = loadDibCapturing(path);
        EXPECT_EQ(quiet.errors, "") << path;
        EXPECT_EQ(messageCount(shown.errors), shown.image == nullptr ? 1 : 0) << path;
        EXPECT_EQ(quiet.image == nullptr, shown.image == nullptr) << path;
        EXPECT_EQ(imageColours(quiet.image), imageColours(shown.image)) << path;
        releaseImage(shown.image);
        releaseImage(quiet.image);
    }
}

} // namespace
