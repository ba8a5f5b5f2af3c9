// render-figures OUTDIR [--numbers-only] [--clip-frames DIR]: the guide's
// pictures that need the viewer's renderer. Run in the viewer's run folder
// (its data files and shader sources) on an X display. Writes three frames
// of the fixed sea, the data pictures and the reflection weight's numbers
// into OUTDIR, the numbers into OUTDIR/numbers, the plain pixels that plots
// draw over into OUTDIR/pixels and, given a folder, the frames of the moving
// sea that scripts/make-clip turns into the clip. With --numbers-only it
// writes the numbers alone.
#include <GL/glut.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

#include "app/app_state.h"
#include "render/render_state.h"
#include "render/texture_support.h"
#include "tools/figures/number_text.h"
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

struct Arguments {
    FigureFolders folders;
    std::string clipDir;
};

bool parseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--numbers-only") == 0)
            arguments.folders.numbersOnly = true;
        else if (std::strcmp(argv[i], "--clip-frames") == 0 && i + 1 < argc)
            arguments.clipDir = argv[++i];
        else if (arguments.folders.outDir.empty() && argv[i][0] != '-')
            arguments.folders.outDir = argv[i];
        else
            return false;
    }
    const fs::path out = arguments.folders.outDir;
    arguments.folders.numbersDir = (out / "numbers").string();
    arguments.folders.pixelsDir = (out / "pixels").string();
    return !arguments.folders.outDir.empty();
}

bool makeFolder(const std::string& path) {
    std::error_code error;
    fs::create_directories(path, error);
    if (error)
        std::fprintf(stderr, "render-figures: cannot create %s: %s\n", path.c_str(),
                     error.message().c_str());
    return !error;
}

// Start-up writes the rendering library's extension string, a line of some
// thousands of characters, on standard output: it is kept out of the
// tool's own output.
void initialiseQuietly() {
    std::fflush(stdout);
    const int kept = dup(STDOUT_FILENO);
    std::FILE* sink = std::fopen("/dev/null", "w");
    if (sink != nullptr)
        dup2(fileno(sink), STDOUT_FILENO);
    initialise();
    std::fflush(stdout);
    dup2(kept, STDOUT_FILENO);
    close(kept);
    if (sink != nullptr)
        std::fclose(sink);
}

Picture scaledFrame(const std::vector<unsigned char>& frame, int width, int height) {
    return Picture{width, height, rgbBytes,
                   scalePicture(frame.data(), windowWidth, windowHeight, rgbBytes, width, height)};
}

bool drawFrames(const std::string& outDir) {
    bool written = true;
    for (int view = 0; view < seaViewCount; ++view) {
        const std::vector<unsigned char> frame =
            drawFixedSeaFrame(seaViews[view], fixedSeaWaveTime);
        written = writePicture((fs::path(outDir) / frameFiles[view]).string(),
                               scaledFrame(frame, windowWidth / frameScaleDown,
                                           windowHeight / frameScaleDown)) &&
                  written;
    }
    return written;
}

// The start view, frame after frame, each at the wave time that the viewer
// would reach that much later: its wave time is start minus now, so it
// falls as the clip plays. Frames of an earlier run are removed first, and
// the frames' duration goes beside them for the clip's maker.
bool drawClip(const std::string& clipDir) {
    if (!makeFolder(clipDir))
        return false;
    for (const fs::directory_entry& entry : fs::directory_iterator(clipDir))
        if (entry.path().extension() == ".png")
            fs::remove(entry.path());
    bool written = writeText((fs::path(clipDir) / "frame-milliseconds").string(),
                             std::to_string(clipFrameMilliseconds) + "\n");
    for (int k = 0; k < clipFrameCount && written; ++k) {
        const double t = fixedSeaWaveTimeAfter(k * clipFrameMilliseconds / 1000.0);
        char name[32];
        std::snprintf(name, sizeof name, "frame-%03d.png", k);
        written =
            writePicture((fs::path(clipDir) / name).string(),
                         scaledFrame(drawFixedSeaFrame(seaViews[0], t), clipWidth, clipHeight));
    }
    return written;
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

bool drawEverything(const Arguments& arguments, std::string& values) {
    const FigureFolders& folders = arguments.folders;
    bool done = dataPictures(folders, values);
    // The same values whatever is drawn: the check compares them with a
    // run that draws nothing.
    addValue(values, "clip_frames", clipFrameCount);
    addValue(values, "clip_frame_milliseconds", clipFrameMilliseconds);
    if (!folders.numbersOnly) {
        done = drawFrames(folders.outDir) && done;
        if (!arguments.clipDir.empty())
            done = drawClip(arguments.clipDir) && done;
    }
    // Last: it links the programs anew to record what they compute.
    return reflectionWeightFigure(folders, values) && done;
}

} // namespace

void addValue(std::string& values, const char* key, double value) {
    values += valueLine(key, value);
}

bool writeText(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    bool written = file != nullptr && std::fputs(text.c_str(), file) >= 0;
    written = file != nullptr && std::fclose(file) == 0 && written;
    if (!written)
        std::fprintf(stderr, "render-figures: cannot write %s\n", path.c_str());
    return written;
}

bool writePicture(const std::string& path, const Picture& picture) {
    std::string error;
    if (writePng(path, picture, error))
        return true;
    std::fprintf(stderr, "render-figures: cannot write %s: %s\n", path.c_str(), error.c_str());
    return false;
}

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    Arguments arguments{{"", "", "", false}, ""};
    if (!parseArguments(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: render-figures OUTDIR [--numbers-only] [--clip-frames DIR]\n");
        return 2;
    }
    const FigureFolders& folders = arguments.folders;
    if (!makeFolder(folders.numbersDir) || (!folders.numbersOnly && !makeFolder(folders.pixelsDir)))
        return 1;
    openWindow("render-figures", windowWidth, windowHeight);
    if (!windowIsTheViewers())
        return 1;
    initialiseQuietly();
    if (!programsUsable())
        return 1;
    std::string values = "# Values quoted by the guide, written by render-figures.\n";
    const bool done = drawEverything(arguments, values);
    const bool written =
        writeText((fs::path(folders.numbersDir) / "render-values.txt").string(), values);
    return done && written ? 0 : 1;
}
