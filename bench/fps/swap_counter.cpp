// Counts a GL program's frames from outside it: preloaded into the process,
// it stands in for glXSwapBuffers, hands each call on to the real one and
// appends one line per swap to the file named by FPS_SWAP_LOG:
//
//   load <monotonic ns>                    when the library is loaded
//   first_swap_ms_after_exec <ms>          only if FPS_EXEC_NS was given
//   first_swap_ms_after_load <ms>
//   swap <monotonic ns>                    after every swap
//
// FPS_EXEC_NS is the wall-clock time (ns since the epoch) taken by the
// launcher just before exec, so start-up includes the dynamic loader too.
// One unbuffered write per swap: the line count is exact at any moment, so a
// script can mark a measuring window by counting lines without a shared clock.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

using SwapFunction = void (*)(Display*, GLXDrawable);

constexpr double nanosecondsPerMillisecond = 1e6;
constexpr long long nanosecondsPerSecond = 1000000000LL;
constexpr int lineSize = 96;

SwapFunction realSwap = nullptr;
int swapLog = -1;
long long loadTime = 0;
bool firstSwapSeen = false;

long long readClock(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return now.tv_sec * nanosecondsPerSecond + now.tv_nsec;
}

// A short write to a regular file only happens when the disk is full; the
// count would then be short, which the reader sees as fewer frames.
void writeLine(const char* line, int length) {
    if (swapLog >= 0 && length > 0)
        (void)!write(swapLog, line, static_cast<size_t>(length));
}

void writeTime(const char* key, long long nanoseconds) {
    char line[lineSize];
    writeLine(line, std::snprintf(line, sizeof line, "%s %lld\n", key, nanoseconds));
}

void writeMilliseconds(const char* key, long long nanoseconds) {
    char line[lineSize];
    writeLine(line, std::snprintf(line, sizeof line, "%s %.3f\n", key,
                                  static_cast<double>(nanoseconds) / nanosecondsPerMillisecond));
}

__attribute__((constructor)) void openSwapLog() {
    loadTime = readClock(CLOCK_MONOTONIC);
    const char* path = std::getenv("FPS_SWAP_LOG");
    if (path == nullptr || *path == '\0')
        return;
    swapLog = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (swapLog < 0) {
        std::perror(path);
        return;
    }
    writeTime("load", loadTime);
}

// Start-up ends when the first frame has been handed to the window system.
void recordFirstSwap(long long monotonicNow) {
    firstSwapSeen = true;
    const char* execTime = std::getenv("FPS_EXEC_NS");
    if (execTime != nullptr && *execTime != '\0') {
        long long launched = std::strtoll(execTime, nullptr, 10);
        writeMilliseconds("first_swap_ms_after_exec", readClock(CLOCK_REALTIME) - launched);
    }
    writeMilliseconds("first_swap_ms_after_load", monotonicNow - loadTime);
}

} // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    if (realSwap == nullptr)
        realSwap = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    if (realSwap == nullptr) {
        std::fprintf(stderr, "swap counter: no glXSwapBuffers to forward to\n");
        std::abort();
    }
    realSwap(display, drawable);
    long long now = readClock(CLOCK_MONOTONIC);
    if (!firstSwapSeen)
        recordFirstSwap(now);
    writeTime("swap", now);
}
