// A steady clock in seconds with millisecond resolution.
#include <chrono>

#include "app/app_state.h"
#include "ocean/ocean_state.h"

double startTime = 0.0;

// Only differences of readings are used: the wave time and the frame
// counter's second. A steady clock never steps, so time-sync corrections, a
// date set by hand or a resume from sleep neither throw the sea to another
// moment nor stop the counter until the calendar has caught up. Whole
// seconds plus whole milliseconds, the resolution the wave clock and the
// frame counter were tuned for.
double clockSeconds() {
    using namespace std::chrono;
    long long milliseconds =
        duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch()).count();
    long long seconds = milliseconds / 1000;
    return static_cast<double>(seconds) + static_cast<double>(milliseconds % 1000) / 1000.0;
}

double waveTimeBetween(double start, double now) {
    return (start - now) * timeScale;
}

double waveTime(double now) {
    return waveTimeBetween(startTime, now);
}

// From a start at 0 rather than a clock reading, whose size would round the
// steps away from whole milliseconds.
double fixedSeaWaveTimeAfter(double runningSeconds) {
    return fixedSeaWaveTime + waveTimeBetween(0.0, runningSeconds);
}
