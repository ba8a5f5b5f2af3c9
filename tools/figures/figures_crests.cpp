// The streaks of the space-time figure, measured where they are: the
// highest crests followed step by step along the wind, each with the speed
// fitted to its track.
#include <cmath>

#include "tools/figures/figures.h"

namespace {

// A crest is followed for this long: about half the strongest wave's
// period, before the group it runs through takes it away.
constexpr int crestSteps = 40;
constexpr int followedCrests = 3;
// Crests followed lie at least this many points apart: about one strongest
// wavelength, 16 points, in all.
constexpr int crestHalfSpacing = 8;

using Line = AlongWindHeights;

int wrapped(int n) {
    return ((n % gridSize) + gridSize) % gridSize;
}

// The peak of the parabola through a point and its two neighbours, as an
// offset from the point: where between lattice points the maximum lies.
double peakOffset(const Line& line, int n) {
    const double a = line[wrapped(n - 1)];
    const double b = line[n];
    const double c = line[wrapped(n + 1)];
    const double curvature = a - 2.0 * b + c;
    return curvature < 0.0 ? 0.5 * (a - c) / curvature : 0.0;
}

// The highest point within one step of n, and whether it is a maximum.
int climb(const Line& line, int n, bool& isPeak) {
    int best = n;
    for (int d : {-1, 1})
        if (line[wrapped(n + d)] > line[best])
            best = wrapped(n + d);
    isPeak = line[best] >= line[wrapped(best - 1)] && line[best] >= line[wrapped(best + 1)];
    return best;
}

struct Track {
    double sumT = 0, sumX = 0, sumTT = 0, sumTX = 0;
    int count = 0;
};

void addPoint(Track& track, double t, double x) {
    track.sumT += t;
    track.sumX += x;
    track.sumTT += t * t;
    track.sumTX += t * x;
    ++track.count;
}

double fittedSpeed(const Track& t) {
    const double n = t.count;
    return (n * t.sumTX - t.sumT * t.sumX) / (n * t.sumTT - t.sumT * t.sumT);
}

// Follows the maximum of the lines from the start for up to `count` steps,
// writing running time and unwrapped distance along the wind; stops where
// the maximum is lost.
Track follow(NumbersFile& file, const std::vector<Line>& lines, int start, int count) {
    Track track;
    int n = start;
    int turns = 0;
    for (int m = 0; m < count && m < sweepSteps; ++m) {
        bool isPeak = false;
        const int next = climb(lines[m], n, isPeak);
        if (!isPeak)
            break;
        turns += (next == 0 && n == gridSize - 1) ? 1 : (next == gridSize - 1 && n == 0) ? -1 : 0;
        n = next;
        const double u = (turns * gridSize + n + peakOffset(lines[m], n)) * latticeSpacing;
        const double x = alongWind(u, u);
        addRow(file, {m * sweepInterval, x});
        addPoint(track, m * sweepInterval, x);
    }
    endIndex(file);
    return track;
}

// The highest crests at the start, at least a strongest wavelength apart.
void highestPeaks(const Line& line, int (&peaks)[followedCrests]) {
    bool taken[gridSize] = {};
    for (int& p : peaks) {
        p = -1;
        for (int n = 0; n < gridSize; ++n)
            if (!taken[n] && (p < 0 || line[n] > line[p]))
                p = n;
        for (int d = -crestHalfSpacing; d <= crestHalfSpacing; ++d)
            taken[wrapped(p + d)] = true;
    }
}

} // namespace

void writeCrestNumbers(FigureOutput& out) {
    const std::vector<Line> heights = sweepAlongWind();
    NumbersFile file = numbersFile("crest-tracks.dat",
                                   "running time, distance along the wind (unwrapped) of followed "
                                   "crests; index per crest");
    int peaks[followedCrests];
    highestPeaks(heights[0], peaks);
    for (int c = 0; c < followedCrests; ++c) {
        const Track track = follow(file, heights, peaks[c], crestSteps);
        const std::string suffix = "_" + std::to_string(c + 1);
        quoteValue(out, "crest_speed" + suffix, fittedSpeed(track));
        quoteValue(out, "crest_followed_seconds" + suffix, (track.count - 1) * sweepInterval);
    }
    saveNumbers(out, file);
    // Deep water: d omega / d|k| = sqrt(g / |k|) / 2, half the phase speed.
    const WaveVector& peak = waveVectors[centreIndex + 2][centreIndex + 2];
    quoteValue(out, "peak_group_speed", 0.5 * angularFrequency(peak) / peak.kLength);
}
