// render-figures OUTDIR [--numbers-only] [--clip-frames DIR]: the guide's
// pictures that need the viewer's renderer. Run in the viewer's run folder
// (its data files and shader sources) on an X display. Writes three frames
// of the fixed sea and the data pictures into OUTDIR, the numbers (the
// reflection weight's among them) and the values it quotes
// (render-values.txt) into OUTDIR/numbers, the plain pixels that plots
// draw over into OUTDIR/pixels and, given a folder, the frames of the moving
// sea that scripts/make-clip turns into the clip. With --numbers-only it
// writes the numbers alone.
#include <GL/glut.h>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "tools/figures/render_figures.h"
#include "tools/pictures/png_file.h"

namespace {

namespace fs = std::filesystem;

// The frames are composed at the window's size, the viewer's own, and
// scaled down by area averaging: the same frame, its edges smoothed.
constexpr int frameScaleDown = 2;
// The clip: about three seconds at about 15 frames a second, 480 x 384.
constexpr int clipWidth = 480;
constexpr int clipHeight = 384;
constexpr int clipFrameCount = 45;
constexpr int clipFrameMilliseconds = 67;

// One file per view of seaViews, in its order.
const char* const frameFiles[seaViewCount] = {"frame-shaded.png", "frame-unshaded.png",
                                              "frame-glint.png"};

Picture scaledFrame(const std::vector<unsigned char>& frame, int width, int height) {
    return Picture{width, height, rgbBytes,
                   scalePicture(frame.data(), windowWidth, windowHeight, rgbBytes, width, height)};
}

void drawFrames(FigureOutput& out) {
    for (int view = 0; view < seaViewCount; ++view) {
        const std::vector<unsigned char> frame =
            drawFixedSeaFrame(seaViews[view], fixedSeaWaveTime);
        writePicture(
            out, inFolder(out.outDir, frameFiles[view]),
            scaledFrame(frame, windowWidth / frameScaleDown, windowHeight / frameScaleDown));
    }
}

// The start view, frame after frame, each at the wave time that the viewer
// would reach that much later: its wave time is start minus now, so it
// falls as the clip plays. Frames of an earlier run are removed first, and
// the frames' duration goes beside them for the clip's maker.
void drawClip(FigureOutput& out, const std::string& clipDir) {
    if (!makeFolder(out, clipDir))
        return;
    for (const fs::directory_entry& entry : fs::directory_iterator(clipDir))
        if (entry.path().extension() == ".png")
            fs::remove(entry.path());
    bool written = saveText(out, inFolder(clipDir, "frame-milliseconds"),
                            std::to_string(clipFrameMilliseconds) + "\n");
    for (int k = 0; k < clipFrameCount && written; ++k) {
        const double t = fixedSeaWaveTimeAfter(k * clipFrameMilliseconds / 1000.0);
        char name[32];
        std::snprintf(name, sizeof name, "frame-%03d.png", k);
        written =
            writePicture(out, inFolder(clipDir, name),
                         scaledFrame(drawFixedSeaFrame(seaViews[0], t), clipWidth, clipHeight));
    }
}

bool windowIsTheViewers() {
    if (glutGet(GLUT_WINDOW_WIDTH) == windowWidth && glutGet(GLUT_WINDOW_HEIGHT) == windowHeight)
        return true;
    std::fprintf(stderr, "render-figures: the window is not %d x %d (a larger screen is needed)\n",
                 windowWidth, windowHeight);
    return false;
}

// The frames must show the water's programs, not the fallback drawn when
// they do not link.
bool programsUsable() {
    if (shaderProgramsUsable())
        return true;
    std::fprintf(stderr, "render-figures: the water's programs are not usable\n");
    return false;
}

bool drawEverything(FigureOutput& out, const FigureArguments& arguments) {
    bool done = dataPictures(out, arguments.numbersOnly);
    // The same values whatever is drawn: the check compares them with a
    // run that draws nothing.
    quoteValue(out, "clip_frames", clipFrameCount);
    quoteValue(out, "clip_frame_milliseconds", clipFrameMilliseconds);
    if (!arguments.numbersOnly)
        drawFrames(out);
    if (!arguments.numbersOnly && !arguments.clipDir.empty())
        drawClip(out, arguments.clipDir);
    // Last: it links the programs anew to record what they compute.
    return reflectionWeightFigure(out) && done;
}

} // namespace

bool writePicture(FigureOutput& out, const std::string& path, const Picture& picture) {
    std::string error;
    if (writePng(path, picture, error))
        return true;
    std::fprintf(stderr, "%s: cannot write %s: %s\n", out.tool, path.c_str(), error.c_str());
    out.failed = true;
    return false;
}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    FigureArguments arguments;
    if (!parseFigureArguments(argc, argv, arguments) || arguments.realSeaWind > 0.0) {
        std::fprintf(stderr, "usage: render-figures OUTDIR [--numbers-only] [--clip-frames DIR]\n");
        return 2;
    }
    FigureOutput out{"render-figures", arguments.outDir};
    if (!makeFolder(out, numbersFolder(out)))
        return 1;
    openWindow("render-figures", windowWidth, windowHeight);
    if (!windowIsTheViewers())
        return 1;
    // The start-up writes the rendering library's extension string on
    // standard output, as the viewer's does.
    initialise();
    if (!programsUsable())
        return 1;
    const bool done = drawEverything(out, arguments);
    saveValues(out, "render-values.txt", "Values quoted by the guide, written by render-figures.");
    return done && !out.failed ? 0 : 1;
}
