// The hint for a newcomer who starts the viewer outside its data folder.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/desktop.h"
#include "render/texture_support.h"

namespace {

namespace fs = std::filesystem;

// What reportMissingData says in a folder holding just the files given (a
// name ending in "/" is a folder of that name).
std::string reportIn(const std::vector<std::string>& files) {
    const fs::path previous = fs::current_path();
    const fs::path folder =
        fs::temp_directory_path() / ("ocean-missing-data-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const std::string& file : files) {
        if (file.back() == '/')
            fs::create_directories(folder / file);
        else
            std::ofstream(folder / file) << "x";
    }
    fs::current_path(folder);
    testing::internal::CaptureStderr();
    reportMissingData();
    const std::string said = testing::internal::GetCapturedStderr();
    fs::current_path(previous);
    fs::remove_all(folder);
    return said;
}

// Any one of the eight pictures makes a data folder, whichever the others
// lack; without a picture file (shaders alone, folders in the pictures'
// names) the hint comes.
TEST(MissingData, AnyOnePictureMakesADataFolder) {
    std::vector<std::string> pictures = {skyImageFile, bottomImageFile};
    pictures.insert(pictures.end(), std::begin(environmentFaceFiles),
                    std::end(environmentFaceFiles));
    for (const std::string& picture : pictures)
        EXPECT_EQ(reportIn({picture}), "") << picture;
    for (const std::vector<std::string>& files :
         {std::vector<std::string>{}, {"v.cg", "f.cg"}, {"cloudy1.jpg/", "bottom.jpg/"}})
        EXPECT_NE(reportIn(files).find("build/data"), std::string::npos) << files.size();
}

} // namespace
