// Read-only access to a whole file through a memory mapping: the loader
// reads the file where it lies instead of copying it into a buffer.
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "image/dib_internal.h"

// Only regular files with at least one byte can be mapped.
bool mapWholeFile(const char* fileName, MappedFile& file) {
    file = MappedFile{nullptr, 0, -1};
    int descriptor = openRegularFile(fileName);
    if (descriptor < 0)
        return false;
    struct stat info;
    if (fstat(descriptor, &info) != 0 || info.st_size <= 0) {
        close(descriptor);
        return false;
    }
    size_t size = static_cast<size_t>(info.st_size);
    void* view = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, descriptor, 0);
    if (view == MAP_FAILED) {
        close(descriptor);
        return false;
    }
    file = MappedFile{static_cast<const unsigned char*>(view), size, descriptor};
    return true;
}

void unmapWholeFile(MappedFile& file) {
    if (file.data != nullptr)
        munmap(const_cast<unsigned char*>(file.data), file.size);
    if (file.descriptor >= 0)
        close(file.descriptor);
    file = MappedFile{nullptr, 0, -1};
}
