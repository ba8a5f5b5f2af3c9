// Opening a data file that a user may have replaced by anything with the same
// name: a FIFO, a directory, a device or a socket (or a link to one). Only a
// regular file is opened, and the open never blocks, so a pipe with no writer
// is refused at once instead of hanging start-up.
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "image/image.h"

int openRegularFile(const char* fileName) {
    if (fileName == nullptr)
        return -1;
    int descriptor = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    struct stat info;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(descriptor);
        return -1;
    }
    // Reads of a regular file never wait anyway; the flag only had to keep
    // the open itself from waiting.
    fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return descriptor;
}

std::FILE* openRegularFileStream(const char* fileName) {
    int descriptor = openRegularFile(fileName);
    if (descriptor < 0)
        return nullptr;
    std::FILE* file = fdopen(descriptor, "rb");
    if (file == nullptr)
        close(descriptor);
    return file;
}
