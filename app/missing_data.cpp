// One line for a newcomer who started the viewer away from its data files:
// each missing file has named itself, and none of them says where the data
// is or how the viewer is meant to be started.
#include <cstdio>
#include <sys/stat.h>

#include "app/desktop.h"
#include "render/texture_support.h"

namespace {

constexpr const char* missingDataText =
    "No data files in this folder: the build lays them out in build/data, where make run starts "
    "the viewer; an install puts them in share/ocean-viewer, where the launcher ocean-viewer "
    "starts it\n";

bool isRegularFile(const char* name) {
    struct stat status;
    return stat(name, &status) == 0 && S_ISREG(status.st_mode);
}

// The pictures stand for all the data files: the shader sources are
// reported by the shader layer itself, and a folder without one picture is
// no data folder.
bool anyPicturePresent() {
    if (isRegularFile(skyImageFile) || isRegularFile(bottomImageFile))
        return true;
    for (const char* face : environmentFaceFiles)
        if (isRegularFile(face))
            return true;
    return false;
}

} // namespace

void reportMissingData() {
    if (anyPicturePresent())
        return;
    std::fputs(missingDataText, stderr);
    std::fflush(stderr);
}
