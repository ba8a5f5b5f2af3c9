// make-assets OUTDIR: writes the images the viewer reads at start-up, the
// sky dome's "cloudy1.jpg", the six environment faces "ixpos.bmp" ...
// "izneg.bmp" and the sea bottom "bottom.jpg", all computed here.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "render/texture_support.h"
#include "tools/assets/asset_pictures.h"

namespace {

namespace fs = std::filesystem;

constexpr int skyDomeWidth = 512;
constexpr int skyDomeHeight = 512;
constexpr int environmentFaceSize = 256;
constexpr int bottomSize = 256;
constexpr int jpegQuality = 92;

bool writeAll(const fs::path& directory) {
    bool written = writeJpegFile((directory / skyImageFile).string(),
                                 makeSkyDomePicture(skyDomeWidth, skyDomeHeight), jpegQuality);
    for (int face = 0; face < cubeFaceCount; ++face)
        written = writeBmpFile((directory / environmentFaceFiles[face]).string(),
                               makeEnvironmentFace(face, environmentFaceSize)) &&
                  written;
    return writeJpegFile((directory / bottomImageFile).string(), makeBottomPicture(bottomSize),
                         jpegQuality) &&
           written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-assets OUTDIR\n");
        return 2;
    }
    const fs::path directory = argv[1];
    std::error_code error;
    fs::create_directories(directory, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    return writeAll(directory) ? 0 : 1;
}
