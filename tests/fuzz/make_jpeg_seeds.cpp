// make-jpeg-seeds DIR: writes small JPEG files of every kind the loader
// meets, written by libjpeg's own compressor, the starting corpus of the JPEG
// fuzzer: baseline and progressive, grey, RGB and YCbCr at each common
// subsampling, CMYK and YCCK with and without Adobe's marker, restarts,
// arithmetic coding, and the files the loader refuses (too large, too many
// scans, colours of no known space) or cannot finish.
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "image/image.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Odd sides, so that the last coding blocks are partly outside the picture.
constexpr int seedWidth = 27;
constexpr int seedHeight = 19;
// Past the loader's scan limit: the first scan and the refinement of the DC
// and of each of the 63 AC coefficients on their own.
constexpr int acCoefficients = 63;
constexpr int manyScans = 2 * (acCoefficients + 1);
static_assert(manyScans > jpegMaxScans, "the many-scan seed must pass the loader's limit");
// Side written over a small file's frame header: past the loader's bound.
constexpr unsigned vastSide = 40000;
static_assert(vastSide > static_cast<unsigned>(jpegMaxSourceSide),
              "the vast seed must pass the bound");

enum class Coding { baseline, progressive, arithmetic, arithmeticProgressive, manyScans };

struct Seed {
    const char* name;
    int inputComponents; // 1 grey, 2 of no colour space, 3 RGB, 4 CMYK
    J_COLOR_SPACE stored;
    int lumaH, lumaV; // sampling of the first component; the others 1 x 1
    Coding coding;
    bool adobeMarker;
    int restartRows;
};

const Seed seeds[] = {
    {"grey", 1, JCS_GRAYSCALE, 1, 1, Coding::baseline, false, 0},
    {"grey-progressive", 1, JCS_GRAYSCALE, 1, 1, Coding::progressive, false, 0},
    {"grey-restarts", 1, JCS_GRAYSCALE, 1, 1, Coding::baseline, false, 1},
    {"rgb", 3, JCS_RGB, 1, 1, Coding::baseline, true, 0},
    {"ycc-444", 3, JCS_YCbCr, 1, 1, Coding::baseline, false, 0},
    {"ycc-422", 3, JCS_YCbCr, 2, 1, Coding::baseline, false, 0},
    {"ycc-420", 3, JCS_YCbCr, 2, 2, Coding::baseline, false, 0},
    {"ycc-440", 3, JCS_YCbCr, 1, 2, Coding::baseline, false, 0},
    {"ycc-411", 3, JCS_YCbCr, 4, 1, Coding::baseline, false, 0},
    {"ycc-420-progressive", 3, JCS_YCbCr, 2, 2, Coding::progressive, false, 0},
    {"ycc-422-restarts", 3, JCS_YCbCr, 2, 1, Coding::baseline, false, 1},
    {"ycc-420-arithmetic", 3, JCS_YCbCr, 2, 2, Coding::arithmetic, false, 0},
    {"ycc-444-arithmetic-progressive", 3, JCS_YCbCr, 1, 1, Coding::arithmeticProgressive, false, 1},
    {"cmyk-adobe", 4, JCS_CMYK, 1, 1, Coding::baseline, true, 0},
    {"cmyk", 4, JCS_CMYK, 1, 1, Coding::baseline, false, 0},
    {"ycck-adobe", 4, JCS_YCCK, 2, 2, Coding::baseline, true, 0},
    {"ycck", 4, JCS_YCCK, 1, 1, Coding::progressive, false, 0},
    {"grey-many-scans", 1, JCS_GRAYSCALE, 1, 1, Coding::manyScans, false, 0},
    {"two-components", 2, JCS_UNKNOWN, 1, 1, Coding::baseline, false, 0},
};

Bytes patternRow(int y, int components) {
    Bytes row;
    for (int x = 0; x < seedWidth; ++x)
        for (int c = 0; c < components; ++c)
            row.push_back(static_cast<unsigned char>((x * 37 + y * 11 + c * 85 + x * y) % 256));
    return row;
}

// The DC, then each AC coefficient alone, each first at half precision and
// then refined.
std::vector<jpeg_scan_info> manyScanScript() {
    std::vector<jpeg_scan_info> scans;
    for (int shift : {1, 0}) {
        scans.push_back({1, {0, 0, 0, 0}, 0, 0, shift == 0 ? 1 : 0, shift});
        for (int k = 1; k <= acCoefficients; ++k)
            scans.push_back({1, {0, 0, 0, 0}, k, k, shift == 0 ? 1 : 0, shift});
    }
    return scans;
}

void setCoding(jpeg_compress_struct& encoder, const Seed& seed,
               const std::vector<jpeg_scan_info>& script) {
    encoder.arith_code =
        seed.coding == Coding::arithmetic || seed.coding == Coding::arithmeticProgressive;
    if (seed.coding == Coding::progressive || seed.coding == Coding::arithmeticProgressive)
        jpeg_simple_progression(&encoder);
    if (seed.coding == Coding::manyScans) {
        encoder.scan_info = script.data();
        encoder.num_scans = static_cast<int>(script.size());
    }
}

bool writeSeed(const std::string& path, const Seed& seed) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    jpeg_stdio_dest(&encoder, file);
    encoder.image_width = seedWidth;
    encoder.image_height = seedHeight;
    encoder.input_components = seed.inputComponents;
    const J_COLOR_SPACE inputs[] = {JCS_UNKNOWN, JCS_GRAYSCALE, JCS_UNKNOWN, JCS_RGB, JCS_CMYK};
    encoder.in_color_space = inputs[seed.inputComponents];
    jpeg_set_defaults(&encoder);
    jpeg_set_colorspace(&encoder, seed.stored);
    encoder.write_Adobe_marker = seed.adobeMarker;
    encoder.write_JFIF_header = seed.stored == JCS_GRAYSCALE || seed.stored == JCS_YCbCr;
    encoder.comp_info[0].h_samp_factor = seed.lumaH;
    encoder.comp_info[0].v_samp_factor = seed.lumaV;
    encoder.restart_in_rows = seed.restartRows;
    const std::vector<jpeg_scan_info> script = manyScanScript();
    setCoding(encoder, seed, script);
    jpeg_start_compress(&encoder, TRUE);
    for (int y = 0; y < seedHeight; ++y) {
        Bytes row = patternRow(y, seed.inputComponents);
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&encoder, &line, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    return std::fclose(file) == 0;
}

Bytes readFile(const std::string& path) {
    Bytes data;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(file)) != EOF)
            data.push_back(static_cast<unsigned char>(c));
        std::fclose(file);
    }
    return data;
}

bool writeFile(const std::string& path, const Bytes& data) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
    return std::fclose(file) == 0 && written;
}

// A baseline file cut in its compressed data, and the same file with a frame
// header that declares vastSide x vastSide pixels.
bool writeDamagedSeeds(const std::string& dir) {
    Bytes data = readFile(dir + "/ycc-420.jpg");
    size_t frame = 0;
    while (frame + 9 < data.size() && !(data[frame] == 0xFF && data[frame + 1] == 0xC0))
        ++frame;
    if (frame + 9 >= data.size())
        return false;
    Bytes vast = data;
    for (size_t at : {frame + 5, frame + 7}) {
        vast[at] = static_cast<unsigned char>(vastSide >> 8);
        vast[at + 1] = static_cast<unsigned char>(vastSide & 0xFF);
    }
    Bytes truncated(data.begin(), data.begin() + static_cast<long>(data.size() * 3 / 4));
    return writeFile(dir + "/vast-header.jpg", vast) &&
           writeFile(dir + "/truncated.jpg", truncated);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-jpeg-seeds DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    for (const Seed& seed : seeds) {
        if (!writeSeed(dir + "/" + seed.name + ".jpg", seed)) {
            std::fprintf(stderr, "can't write %s/%s.jpg\n", dir.c_str(), seed.name);
            return 1;
        }
    }
    if (!writeDamagedSeeds(dir)) {
        std::fprintf(stderr, "can't write the damaged seeds in %s\n", dir.c_str());
        return 1;
    }
    return 0;
}
