// libFuzzer entry over the JPEG loader, through a file as the viewer reads
// it: whatever the bytes, the loader must return a buffer of the shape it
// publishes, refuse the file, or end on a file it cannot decode, reading and
// writing only what belongs to it and giving back all it took.
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include <jpeglib.h>
#include <sanitizer/asan_interface.h>

#include "image/image.h"

namespace {

// Every code path is reached by small pictures; a large one only costs an
// allocation and passes over megabytes for nothing new.
constexpr uint64_t fuzzMaxSamples = 64 * 1024;

// The loader has released everything when it would end the process; here
// the input ends instead, back in the entry.
std::jmp_buf inputEnded;

// The input as a regular file in memory, under a name the loader opens.
int inputFile = -1;
std::string inputName;

bool writeInputFile(const uint8_t* data, size_t size) {
    if (inputFile < 0) {
        inputFile = memfd_create("jpeg-fuzz-input", 0);
        inputName = "/proc/self/fd/" + std::to_string(inputFile);
    }
    return inputFile >= 0 && ftruncate(inputFile, 0) == 0 &&
           pwrite(inputFile, data, size, 0) == static_cast<ssize_t>(size);
}

struct HeaderErrors {
    jpeg_error_mgr standard;
    std::jmp_buf failed;
};

void headerFailed(j_common_ptr decoder) {
    std::longjmp(reinterpret_cast<HeaderErrors*>(decoder->err)->failed, 1);
}

// Samples of the picture as its header declares it, 0 if the header does
// not read or the loader refuses its sides (it is then left to fail on it).
uint64_t declaredSamples(const uint8_t* data, size_t size) {
    jpeg_decompress_struct decoder;
    HeaderErrors errors;
    decoder.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = headerFailed;
    errors.standard.emit_message = [](j_common_ptr, int) {};
    jpeg_create_decompress(&decoder);
    uint64_t samples = 0;
    if (setjmp(errors.failed) == 0) {
        jpeg_mem_src(&decoder, data, static_cast<unsigned long>(size));
        jpeg_read_header(&decoder, TRUE);
        const JDIMENSION maxSide = jpegMaxSourceSide;
        if (decoder.image_width <= maxSide && decoder.image_height <= maxSide)
            samples = uint64_t{decoder.image_width} * decoder.image_height * decoder.num_components;
    }
    jpeg_destroy_decompress(&decoder);
    return samples;
}

// A picture the loader would accept the size of, but larger than the fuzzer
// cares to decode. Headers the loader refuses are decoded, to test refusing.
bool tooLargeToDecode(const uint8_t* data, size_t size) {
    return declaredSamples(data, size) > fuzzMaxSamples;
}

void checkDecodedBuffer(const unsigned char* buffer) {
    if (jpegImageHeight <= 0 || jpegImageHeight > imageMaxSide ||
        (jpegImageComponents != 1 && jpegImageComponents != 3) || jpegRowBytes <= 0 ||
        jpegRowBytes % jpegImageComponents != 0 ||
        jpegRowBytes / jpegImageComponents > imageMaxSide)
        __builtin_trap();
    // The block holds every byte the published shape promises.
    const size_t bytes = static_cast<size_t>(jpegRowBytes) * static_cast<size_t>(jpegImageHeight);
    if (__asan_region_is_poisoned(const_cast<unsigned char*>(buffer), bytes) != nullptr)
        __builtin_trap();
}

} // namespace

[[noreturn]] void endAfterUndecodableJpeg() {
    std::longjmp(inputEnded, 1);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (tooLargeToDecode(data, size))
        return -1; // not worth keeping in the corpus
    if (!writeInputFile(data, size))
        __builtin_trap();
    if (setjmp(inputEnded) != 0)
        return 0;
    unsigned char* buffer = loadJpegImage(inputName.c_str());
    if (buffer == nullptr)
        return 0;
    checkDecodedBuffer(buffer);
    std::free(buffer);
    return 0;
}
