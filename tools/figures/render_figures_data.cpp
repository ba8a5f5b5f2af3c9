// The pictures the viewer reads, decoded from its run folder by its own
// loaders: the sky texture with the dome's mapping, the six environment
// faces laid out as a cube cross, the bottom.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "image/image.h"
#include "ocean/ocean_state.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "tools/figures/render_figures.h"

namespace {

namespace fs = std::filesystem;

constexpr double fullTurnDegrees = 360.0;
constexpr unsigned char emptyCell = 255;

// Where each face goes in a cross four faces wide and three high (cells
// counted from the top left), in face order. Each face is drawn with its
// first uploaded row at the top, as the cube map lays it: neighbouring
// faces then meet along the edges their directions share.
struct CrossCell {
    int column;
    int row;
    const char* label;
};
const CrossCell crossCells[cubeFaceCount] = {
    {2, 1, "+X"},        {0, 1, "-X"}, {1, 0, "+Y, zenith"},
    {1, 2, "-Y, below"}, {1, 1, "+Z"}, {3, 1, "-Z"},
};
constexpr int crossColumns = 4;
constexpr int crossRows = 3;

// A colour picture; the decoded one is freed.
bool takeColourPicture(DecodedImage image, Picture& picture) {
    const bool colour = image.pixels != nullptr && image.components == rgbBytes;
    if (colour) {
        picture = blankPicture(image.width, image.height);
        std::copy(image.pixels, image.pixels + picture.samples.size(), picture.samples.begin());
    }
    freeDecodedImage(image);
    return colour;
}

bool decodeJpeg(const char* fileName, Picture& picture) {
    if (takeColourPicture(decodeJpegFile(fileName), picture))
        return true;
    std::fprintf(stderr, "render-figures: %s is no colour picture\n", fileName);
    return false;
}

// The DIB loader says itself what it cannot read.
bool decodeDib(const char* fileName, Picture& picture) {
    return takeColourPicture(decodeDibFile(fileName), picture);
}

// The dome's rings, where their texture coordinate s falls among the
// columns and how far each lies from the zenith; then its points, where t
// falls among the rows (counted from the bottom, first uploaded) and their
// direction around. The angles come from the dome's own points.
std::string skyMapping(const Picture& sky) {
    std::string text = "# The sky dome's rings: ring s column angle_from_zenith_deg\n";
    char line[96];
    for (int ring = 0; ring < skyDomeRings; ++ring) {
        const float* point = skyDome[ring][0];
        const double polar = std::atan2(std::hypot(point[0], point[1]), point[2]);
        std::snprintf(line, sizeof line, "%d %.6g %.6g %.6g\n", ring, skyDomeTextureS(ring),
                      skyDomeTextureS(ring) * sky.width, polar * degreesPerRadian);
        text += line;
    }
    text += "\n\n# Its points around: point t row azimuth_deg (from +x toward +y)\n";
    double turned = 0.0; // whole turns, so that the angle grows from 0 to 360
    double previous = 0.0;
    for (int j = 0; j < skyDomePoints; ++j) {
        const float* point = skyDome[skyDomeRings - 1][j];
        double azimuth = std::atan2(point[1], point[0]) * degreesPerRadian + turned;
        if (azimuth < previous) {
            turned += fullTurnDegrees;
            azimuth += fullTurnDegrees;
        }
        previous = azimuth;
        std::snprintf(line, sizeof line, "%d %.6g %.6g %.6g\n", j, skyDomeTextureT(j),
                      skyDomeTextureT(j) * sky.height, azimuth);
        text += line;
    }
    return text;
}

// The face's first uploaded row comes to the top of its cell.
void placeFace(const Picture& face, const CrossCell& cell, Picture& cross) {
    const std::size_t rowBytes = static_cast<std::size_t>(face.width) * rgbBytes;
    const int cellTop = (crossRows - cell.row) * face.height - 1;
    for (int row = 0; row < face.height; ++row) {
        const unsigned char* from = &face.samples[row * rowBytes];
        const std::size_t to = static_cast<std::size_t>(cellTop - row) * cross.width;
        std::copy(from, from + rowBytes,
                  &cross.samples[(to + cell.column * face.width) * rgbBytes]);
    }
}

// Empty when a face cannot be read or its size differs from the first's.
Picture cubeCross() {
    Picture faces[cubeFaceCount];
    for (int face = 0; face < cubeFaceCount; ++face)
        if (!decodeDib(environmentFaceFiles[face], faces[face]) ||
            faces[face].width != faces[0].width || faces[face].height != faces[0].width)
            return Picture{};
    const int side = faces[0].width;
    Picture cross = blankPicture(crossColumns * side, crossRows * side);
    std::fill(cross.samples.begin(), cross.samples.end(), emptyCell);
    for (int face = 0; face < cubeFaceCount; ++face)
        placeFace(faces[face], crossCells[face], cross);
    return cross;
}

// Label positions in the cross's pixels, counted from the bottom as a plot
// counts them.
std::string crossLabels(int side) {
    std::string text = "# The cube cross's faces: x y label (pixels from the bottom left)\n";
    char line[96];
    for (int face = 0; face < cubeFaceCount; ++face) {
        const CrossCell& cell = crossCells[face];
        std::snprintf(line, sizeof line, "%d %d \"%s: %s\"\n", cell.column * side + side / 2,
                      (crossRows - 1 - cell.row) * side + side / 2, cell.label,
                      environmentFaceFiles[face]);
        text += line;
    }
    return text;
}

std::string inFolder(const std::string& folder, const char* name) {
    return (fs::path(folder) / name).string();
}

} // namespace

bool dataPictures(const FigureFolders& folders, std::string& values) {
    Picture sky;
    Picture bottom;
    if (!decodeJpeg(skyImageFile, sky) || !decodeJpeg(bottomImageFile, bottom))
        return false;
    const Picture cross = cubeCross();
    if (cross.samples.empty()) {
        std::fprintf(stderr, "render-figures: the environment faces are not six of one size\n");
        return false;
    }
    const int side = cross.width / crossColumns;
    addValue(values, "sky_texture_width", sky.width);
    addValue(values, "sky_texture_height", sky.height);
    addValue(values, "sky_texture_horizon_column", skyDomeTextureS(skyDomeRings - 1) * sky.width);
    addValue(values, "environment_face_size", side);
    addValue(values, "bottom_size", bottom.width);
    bool written = writeText(inFolder(folders.numbersDir, "sky-mapping.dat"), skyMapping(sky)) &&
                   writeText(inFolder(folders.numbersDir, "cube-cross.dat"), crossLabels(side));
    if (folders.numbersOnly)
        return written;
    return writePicture(inFolder(folders.pixelsDir, "sky-texture.png"), sky) &&
           writePicture(inFolder(folders.pixelsDir, "cube-cross.png"), cross) &&
           writePicture(inFolder(folders.outDir, "bottom.png"), bottom) && written;
}
