// The decode-image tool: the loaders' pictures written as Netpbm, top row first.
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

#include "tests/unit/image_temp_files.h"
#include "tools/assets/asset_pictures.h"

namespace {

std::string toolPath() {
    return OCEAN_DECODE_IMAGE;
}

// Runs the tool; returns its exit status and leaves its stderr in errors.
int runDecode(const std::string& in, const std::string& out, std::string& errors) {
    std::string errorFile = imageTempDirectory() + "/decode.err";
    std::string command = "'" + toolPath() + "' '" + in + "' '" + out + "' 2>'" + errorFile + "'";
    int status = std::system(command.c_str());
    std::FILE* file = std::fopen(errorFile.c_str(), "rb");
    errors.clear();
    for (int c; file != nullptr && (c = std::fgetc(file)) != EOF;)
        errors += static_cast<char>(c);
    if (file != nullptr)
        std::fclose(file);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

Bytes readAll(const std::string& path) {
    Bytes bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    for (int c; file != nullptr && (c = std::fgetc(file)) != EOF;)
        bytes.push_back(static_cast<unsigned char>(c));
    if (file != nullptr)
        std::fclose(file);
    return bytes;
}

TEST(DecodeTool, BitmapBecomesPpmTopRowFirst) {
    DibFileLayout layout;
    layout.width = 2;
    layout.height = 2;
    layout.bits = packDibRows({{0x010203, 0x040506}, {0x0A0B0C, 0x0D0E0F}}, 24);
    std::string in = writeImageTempFile("tool.bmp", buildDibFile(layout));
    std::string out = imageTempDirectory() + "/tool.ppm";
    std::string errors;
    ASSERT_EQ(runDecode(in, out, errors), 0) << errors;
    std::string header = "P6\n2 2\n255\n";
    Bytes expected(header.begin(), header.end());
    expected.insert(expected.end(), {10, 11, 12, 13, 14, 15, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(readAll(out), expected);
}

TEST(DecodeTool, FailureExitsNonZeroAfterTheLoadersMessage) {
    std::string errors;
    std::string missing = imageTempDirectory() + "/absent.bmp";
    EXPECT_NE(runDecode(missing, imageTempDirectory() + "/absent.ppm", errors), 0);
    EXPECT_EQ(errors, "Error: Failed to open DIB file " + missing + ".\n");

    std::string missingJpeg = imageTempDirectory() + "/absent.JPEG";
    EXPECT_NE(runDecode(missingJpeg, imageTempDirectory() + "/absent.ppm", errors), 0);
    EXPECT_EQ(errors, "can't open " + missingJpeg + "\n");

    std::string notJpeg = writeImageTempFile("text.jpg", Bytes{'t', 'e', 'x', 't'});
    EXPECT_EQ(runDecode(notJpeg, imageTempDirectory() + "/text.ppm", errors), 1);
    EXPECT_NE(errors.find("Not a JPEG file"), std::string::npos) << errors;
}

// A 5K wallpaper, past the side limit, goes out as the library's own djpeg
// writes it at half its size, byte for byte. Fine detail everywhere, so a
// picture decoded whole and then shrunk would differ.
TEST(DecodeTool, LargePictureMatchesDjpegAtItsScale) {
    Picture picture = blankPicture(5640, 3172);
    for (size_t i = 0; i < picture.samples.size(); ++i)
        picture.samples[i] = static_cast<unsigned char>((i * 2654435761u) >> 24);
    const std::string in = imageTempDirectory() + "/large.jpg";
    ASSERT_TRUE(writeJpegFile(in, picture, 90));
    const std::string out = imageTempDirectory() + "/large.ppm";
    const std::string reference = imageTempDirectory() + "/large-djpeg.ppm";
    std::string errors;
    ASSERT_EQ(runDecode(in, out, errors), 0) << errors;
    EXPECT_NE(errors.find("scaled to 2820 x 1586 (1/2)"), std::string::npos) << errors;
    const std::string djpeg = "djpeg -scale 1/2 -ppm '" + in + "' > '" + reference + "'";
    ASSERT_EQ(std::system(djpeg.c_str()), 0) << "djpeg (libjpeg-turbo-progs) is needed";
    const Bytes decoded = readAll(out);
    EXPECT_EQ(decoded.size(), 2820u * 1586u * 3u + std::string("P6\n2820 1586\n255\n").size());
    EXPECT_TRUE(decoded == readAll(reference));
}

} // namespace
