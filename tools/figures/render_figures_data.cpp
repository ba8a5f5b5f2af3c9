// The pictures the viewer reads, decoded from its run folder by its own
// loaders: the sky texture with the dome's mapping, the six environment
// faces laid out as a cube cross, the bottom.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "image/image.h"
#include "ocean/ocean_state.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "tools/figures/render_figures.h"

namespace {

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
NumbersFile skyMapping(const Picture& sky) {
    NumbersFile file =
        numbersFile("sky-mapping.dat", "The sky dome's rings: ring s column angle_from_zenith_deg");
    for (int ring = 0; ring < skyDomeRings; ++ring) {
        const float* point = skyDome[ring][0];
        const double polar = std::atan2(std::hypot(point[0], point[1]), point[2]);
        addRow(file, {static_cast<double>(ring), skyDomeTextureS(ring),
                      skyDomeTextureS(ring) * sky.width, polar * degreesPerRadian});
    }
    endIndex(file);
    addComment(file, "Its points around: point t row azimuth_deg (from +x toward +y)");
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
        addRow(file, {static_cast<double>(j), skyDomeTextureT(j), skyDomeTextureT(j) * sky.height,
                      azimuth});
    }
    return file;
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
NumbersFile crossLabels(int side) {
    NumbersFile file = numbersFile(
        "cube-cross.dat", "The cube cross's faces: x y label (pixels from the bottom left)");
    for (int face = 0; face < cubeFaceCount; ++face) {
        const CrossCell& cell = crossCells[face];
        file.text += numberText(cell.column * side + side / 2) + " " +
                     numberText((crossRows - 1 - cell.row) * side + side / 2) + " \"" + cell.label +
                     ": " + environmentFaceFiles[face] + "\"\n";
    }
    return file;
}

} // namespace

bool dataPictures(FigureOutput& out, bool numbersOnly) {
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
    quoteValue(out, "sky_texture_width", sky.width);
    quoteValue(out, "sky_texture_height", sky.height);
    quoteValue(out, "sky_texture_horizon_column", skyDomeTextureS(skyDomeRings - 1) * sky.width);
    quoteValue(out, "environment_face_size", side);
    quoteValue(out, "bottom_size", bottom.width);
    saveNumbers(out, skyMapping(sky));
    saveNumbers(out, crossLabels(side));
    if (numbersOnly)
        return true;
    const std::string pixels = inFolder(out.outDir, "pixels");
    return makeFolder(out, pixels) && writePicture(out, inFolder(pixels, "sky-texture.png"), sky) &&
           writePicture(out, inFolder(pixels, "cube-cross.png"), cross) &&
           writePicture(out, inFolder(out.outDir, "bottom.png"), bottom);
}
