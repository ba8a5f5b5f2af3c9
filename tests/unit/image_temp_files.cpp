#include "tests/unit/image_temp_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

std::string temporaryDirectory;
pid_t directoryOwner = 0;

// Child processes of death tests exit through here too; only the process
// that made the directory removes it.
void removeTemporaryDirectory() {
    if (getpid() != directoryOwner)
        return;
    std::error_code ignored;
    std::filesystem::remove_all(temporaryDirectory, ignored);
}

} // namespace

std::string imageTempDirectory() {
    if (temporaryDirectory.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base ? base : "/tmp") + "/image-test-XXXXXX";
        if (mkdtemp(&pattern[0]) != nullptr) {
            temporaryDirectory = pattern;
            directoryOwner = getpid();
            std::atexit(removeTemporaryDirectory);
        }
    }
    return temporaryDirectory;
}

std::string writeImageTempFile(const std::string& name, const Bytes& bytes) {
    std::string path = imageTempDirectory() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}
