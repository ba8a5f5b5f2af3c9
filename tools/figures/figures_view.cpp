// The normals and the ripple map they become, and the wedge of tiles seen
// from above, through the viewer's own encoding and culling.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/app_state.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "tools/figures/figures.h"
#include "tools/view_model/view_model.h"

namespace {

// Long enough to leave the 8 x 8 block on every side.
constexpr double edgeLength = 1500.0;
// Points tried per tile side when asking whether the eye sees any of it.
constexpr int samplesPerSide = 33;
// The pitches whose wasted tiles the guide tabulates, and their step.
constexpr int wastedPitchLowest = -30;
constexpr int wastedPitchHighest = 90;
constexpr int wastedPitchStep = 15;
// The quarter turns near which the wedge leaves its sliver.
constexpr double quarterTurn = 90.0;

double angleBetween(const Vector3d& a, const Vector3d& b) {
    const double dot = a.x * b.x + a.y * b.y + a.z * b.z;
    const double lengths =
        std::sqrt((a.x * a.x + a.y * a.y + a.z * a.z) * (b.x * b.x + b.y * b.y + b.z * b.z));
    return std::acos(std::fmin(1.0, dot / lengths)) * degreesPerRadian;
}

// The normal of the drawn, displaced surface by the same forward differences
// the viewer takes on the undisplaced lattice.
Vector3d drawnSurfaceNormal(int i, int j) {
    const Vector3d& p = renderGrid.positions[i][j];
    const Vector3d& px = renderGrid.positions[i + 1][j];
    const Vector3d& py = renderGrid.positions[i][j + 1];
    return crossProduct({px.x - p.x, px.y - p.y, heightScale * (px.z - p.z)},
                        {py.x - p.x, py.y - p.y, heightScale * (py.z - p.z)});
}

// Over the points whose normal the viewer computes (the last row and column
// are copies of the first).
void quoteNormalAngles(FigureOutput& out) {
    const Vector3d up = {0.0, 0.0, 1.0};
    double offSum = 0.0, offMax = 0.0, tiltSum = 0.0, tiltMax = 0.0;
    const int last = gridSize - 1;
    for (int i = 0; i < last; ++i) {
        for (int j = 0; j < last; ++j) {
            const double off = angleBetween(surfaceNormals[i][j], drawnSurfaceNormal(i, j));
            const double tilt = angleBetween(surfaceNormals[i][j], up);
            offSum += off;
            offMax = std::fmax(offMax, off);
            tiltSum += tilt;
            tiltMax = std::fmax(tiltMax, tilt);
        }
    }
    quoteValue(out, "normal_off_drawn_surface_mean_degrees", offSum / (last * last));
    quoteValue(out, "normal_off_drawn_surface_max_degrees", offMax);
    quoteValue(out, "normal_tilt_mean_degrees", tiltSum / (last * last));
    quoteValue(out, "normal_tilt_max_degrees", tiltMax);
}

void writeNormalMap(FigureOutput& out) {
    static unsigned char pixels[gridSize * gridSize * rgbBytes];
    encodeNormalMap(surfaceNormals, pixels);
    NumbersFile file =
        numbersFile("normal-map.dat", "column, row, red, green, blue bytes of the normal map as "
                                      "uploaded (row i = lattice row i); blocks of one row");
    int lowest[rgbBytes] = {255, 255, 255};
    int highest[rgbBytes] = {0, 0, 0};
    for (int row = 0; row < gridSize; ++row) {
        for (int column = 0; column < gridSize; ++column) {
            const unsigned char* texel = pixels + (row * gridSize + column) * rgbBytes;
            addRow(file, {static_cast<double>(column), static_cast<double>(row),
                          static_cast<double>(texel[0]), static_cast<double>(texel[1]),
                          static_cast<double>(texel[2])});
            for (int c = 0; c < rgbBytes; ++c) {
                lowest[c] = std::min(lowest[c], static_cast<int>(texel[c]));
                highest[c] = std::max(highest[c], static_cast<int>(texel[c]));
            }
        }
        addBlankLine(file);
    }
    saveNumbers(out, file);
    const char* channels[rgbBytes] = {"red", "green", "blue"};
    for (int c = 0; c < rgbBytes; ++c) {
        quoteValue(out, std::string("normal_map_") + channels[c] + "_min", lowest[c]);
        quoteValue(out, std::string("normal_map_") + channels[c] + "_max", highest[c]);
    }
}

// ---- The wedge -------------------------------------------------------------

Point2d eyeOverSea() {
    const Vector3d eye = eyePosition(viewer.cameraX, viewer.cameraY);
    return Point2d{eye.x, eye.y};
}

// Within the 90-degree horizontal field of view around the viewing
// direction: at most 90 degrees from both edge directions.
bool eyeSees(Point2d p) {
    const Point2d eye = eyeOverSea();
    const double dx = p.x - eye.x;
    const double dy = p.y - eye.y;
    return leftEdgeDir[0] * dx + leftEdgeDir[1] * dy >= 0.0 &&
           rightEdgeDir[0] * dx + rightEdgeDir[1] * dy >= 0.0;
}

bool eyeSeesTile(int tx, int ty) {
    for (int a = 0; a < samplesPerSide; ++a)
        for (int b = 0; b < samplesPerSide; ++b)
            if (eyeSees(Point2d{(tx + a / (samplesPerSide - 1.0)) * patchLength,
                                (ty + b / (samplesPerSide - 1.0)) * patchLength}))
                return true;
    return false;
}

struct WedgeCounts {
    int drawn;
    int culledInView;
    int drawnOutOfView;
};

WedgeCounts writeWedgeTiles(NumbersFile& file, const CandidateTiles& candidates) {
    WedgeCounts counts{candidates.visibleCount, 0, 0};
    for (int a = 0; a < tilesPerSide; ++a) {
        for (int b = 0; b < tilesPerSide; ++b) {
            const int tx = candidates.firstTileX + a;
            const int ty = candidates.firstTileY + b;
            const bool drawn = candidates.visible[a][b];
            const bool seen = eyeSeesTile(tx, ty);
            counts.culledInView += (!drawn && seen) ? 1 : 0;
            counts.drawnOutOfView += (drawn && !seen) ? 1 : 0;
            addRow(file, {(tx + 0.5) * patchLength, (ty + 0.5) * patchLength, patchLength / 2,
                          drawn ? 1.0 : 0.0, seen ? 1.0 : 0.0});
        }
    }
    return counts;
}

void writeEdges(NumbersFile& file, Point2d from) {
    for (const float* edge : {leftEdgeDir, rightEdgeDir}) {
        addRow(file, {from.x, from.y});
        addRow(file, {from.x + edgeLength * edge[0], from.y + edgeLength * edge[1]});
        addBlankLine(file);
    }
}

// The wedge's files: its tiles, its edges and the eye's, its points.
struct WedgeFiles {
    NumbersFile tiles;
    NumbersFile edges;
    NumbersFile points;
};

void writeWedgeView(FigureOutput& out, WedgeFiles& files, float viewHeading, const char* name) {
    viewer.heading = viewHeading;
    computeViewValues(viewer.cameraX, viewer.cameraY, viewer.heading);
    const CandidateTiles candidates =
        cullCandidateTiles(tileIndexOf(viewer.cameraX), tileIndexOf(viewer.cameraY));
    const WedgeCounts counts = writeWedgeTiles(files.tiles, candidates);
    const Point2d apex = {cullApex[0], cullApex[1]};
    writeEdges(files.edges, apex);
    writeEdges(files.edges, eyeOverSea());
    addRow(files.points, {apex.x, apex.y});
    addRow(files.points, {viewer.cameraX, viewer.cameraY});
    addRow(files.points, {eyeOverSea().x, eyeOverSea().y});
    for (NumbersFile* f : {&files.tiles, &files.edges, &files.points})
        endIndex(*f);
    const std::string view = name;
    quoteValue(out, view + "_heading", viewHeading);
    quoteValue(out, view + "_tiles_drawn", counts.drawn);
    quoteValue(out, view + "_tiles_culled_in_view", counts.culledInView);
    quoteValue(out, view + "_tiles_drawn_out_of_view", counts.drawnOutOfView);
}

// ---- The wedge against the eye's whole view, over every heading ------------

// Tiles drawn, tiles in view over a flat sea, and tiles drawn wholly outside
// it, over every half degree of heading at each pitch.
void writeWastedTiles(FigureOutput& out) {
    NumbersFile file = numbersFile("wasted-tiles.dat",
                                   "pitch; over every half degree of heading: mean tiles drawn, "
                                   "mean tiles in view, mean, least and most tiles drawn wholly "
                                   "out of view");
    const WaveBounds flat = {0.0, 0.0};
    for (int p = wastedPitchLowest; p <= wastedPitchHighest; p += wastedPitchStep) {
        double drawn = 0.0, inView = 0.0, wasted = 0.0;
        int least = tilesPerSide * tilesPerSide, most = 0;
        for (int step = 0; step < sweptHeadingSteps; ++step) {
            const ViewCulling c = cullingInView(step * sweptHeadingStep, p, flat);
            drawn += c.drawn;
            inView += c.inView;
            wasted += c.drawnOutOfView;
            least = std::min(least, c.drawnOutOfView);
            most = std::max(most, c.drawnOutOfView);
        }
        const double mean = 1.0 / sweptHeadingSteps;
        const double row[] = {static_cast<double>(p),
                              std::round(drawn * mean * 10) / 10,
                              std::round(inView * mean * 10) / 10,
                              std::round(wasted * mean * 10) / 10,
                              static_cast<double>(least),
                              static_cast<double>(most)};
        addRow(file, row, 6);
        const std::string key =
            "wasted_pitch_" + std::to_string(p < 0 ? -p : p) + (p < 0 ? "_up" : "") + "_";
        quoteValue(out, key + "drawn_mean", row[1]);
        quoteValue(out, key + "in_view_mean", row[2]);
        quoteValue(out, key + "out_of_view_mean", row[3]);
        quoteValue(out, key + "out_of_view_least", least);
        quoteValue(out, key + "out_of_view_most", most);
    }
    saveNumbers(out, file);
}

// The culled tiles in view over a flat sea, over every view the input allows;
// where and at what pitches those of a pixel or more lie.
void quoteSliver(FigureOutput& out) {
    const WaveBounds flat = {0.0, 0.0};
    int views = 0, sliverViews = 0, sliverTiles = 0, pixelViews = 0;
    double largest = 0.0, largestHeading = 0.0, largestPitch = 0.0, offQuarter = 0.0;
    double lowestPitch = quarterTurn, highestPitch = -quarterTurn;
    for (int step = 0; step < sweptHeadingSteps; ++step) {
        const double h = step * sweptHeadingStep;
        for (double p : sweptPitches()) {
            const ViewCulling c = cullingInView(static_cast<float>(h), p, flat);
            ++views;
            sliverViews += c.missing > 0 ? 1 : 0;
            sliverTiles += c.missing;
            if (c.largestMissingPixels < 1.0)
                continue;
            ++pixelViews;
            offQuarter =
                std::max(offQuarter, std::fabs(h - quarterTurn * std::round(h / quarterTurn)));
            lowestPitch = std::min(lowestPitch, p);
            highestPitch = std::max(highestPitch, p);
            if (c.largestMissingPixels > largest) {
                largest = c.largestMissingPixels;
                largestHeading = h;
                largestPitch = p;
            }
        }
    }
    quoteValue(out, "sweep_views", views);
    quoteValue(out, "sliver_views", sliverViews);
    quoteValue(out, "sliver_tiles", sliverTiles);
    quoteValue(out, "sliver_pixel_views", pixelViews);
    quoteValue(out, "sliver_pixel_heading_off_quarter_turn_most", offQuarter);
    quoteValue(out, "sliver_pixel_pitch_lowest", lowestPitch);
    quoteValue(out, "sliver_pixel_pitch_highest", highestPitch);
    quoteValue(out, "sliver_largest_pixels", std::round(largest * 10) / 10);
    quoteValue(out, "sliver_largest_heading", largestHeading);
    quoteValue(out, "sliver_largest_pitch", largestPitch);
}

} // namespace

void writeNormalNumbers(FigureOutput& out) {
    synthesiseFixedSea();
    quoteNormalAngles(out);
    writeNormalMap(out);
    quoteValue(out, "normal_map_scale", normalMapScale);
    quoteValue(out, "normal_map_repeats", normalMapRepeats);
}

void writeWedgeNumbers(FigureOutput& out) {
    viewer = ViewerState{};
    WedgeFiles files = {
        numbersFile("wedge-tiles.dat",
                    "Candidate tiles: centre x, centre y, half side, drawn, seen by the eye's "
                    "90-degree field of view; index 0 start view, 1 turned view"),
        numbersFile("wedge-edges.dat",
                    "Blocks of two points: the wedge's left and right edges "
                    "from the apex, then the eye's field of view; index per view"),
        numbersFile("wedge-points.dat", "Apex, camera, eye (x, y); index per view"),
    };
    writeWedgeView(out, files, viewer.heading, "start_view");
    // The glint frame's heading; its pitch does not enter the culling.
    writeWedgeView(out, files, seaViews[glintView].heading, "turned_view");
    for (const NumbersFile* f : {&files.tiles, &files.edges, &files.points})
        saveNumbers(out, *f);
    quoteValue(out, "cull_apex_pull_back", cullApexPullBack);
    quoteValue(out, "eye_x", eyeOverSea().x);
    quoteValue(out, "eye_y", eyeOverSea().y);
    writeWastedTiles(out);
    quoteSliver(out);
    const WaveBounds bounds = waveBounds();
    quoteValue(out, "wave_bound_seeds", waveBoundSeeds);
    quoteValue(out, "wave_bound_height", bounds.height);
    quoteValue(out, "wave_bound_shift", bounds.shift);
    // The bounds leave another seed's spectrum behind; the fixed sea's again.
    seedRandom(fixedSeaSeed);
    initWaveSpectrum();
    viewer = ViewerState{};
}
