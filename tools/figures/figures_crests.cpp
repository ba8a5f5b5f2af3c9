// Phase speed against group speed, seen in a wave group: two neighbouring
// wave vectors along x, evolved and transformed by the viewer's own step,
// one line of heights followed over time. The crests run at c, the
// envelope at about c/2; a crest and the envelope's top are followed where
// they really run.
#include <cmath>

#include "app/app_state.h"
#include "tools/figures/figures.h"

namespace {

// Two cells 8 and 9 steps out along x: waves 16 and 14.2 units long, eight
// crests to a group, one group to a patch.
constexpr int groupSteps[] = {8, 9};
constexpr double groupAmplitude = 1.0;
// 32 s of running time: the envelope moves about 80 units, the crests about
// 160, both well inside two patches drawn one after the other.
constexpr int steps = 257;
constexpr double interval = 0.125;
constexpr int shownPatches = 2;
// A crest is followed for half the span: it runs through its group at
// c - c/2 and would reach the calm between groups, where it is lost, later.
constexpr int crestSteps = steps / 2;
constexpr int lineLength = shownPatches * gridSize;

using Line = double[lineLength];

int wrapped(int n) {
    return ((n % lineLength) + lineLength) % lineLength;
}

// The heights and the envelope at wave time t, along the line j = 0 over two
// patches: each cell evolved alone, without a partner, so that the line
// holds two plain waves and no mirrored copy.
void synthesiseGroup(double t, Line& heights, Line& envelope) {
    clearField(heightField);
    for (int step : groupSteps) {
        const WaveVector& v = waveVectors[centreIndex + step][centreIndex];
        heightField[centreIndex + step][centreIndex] = evolvedCoefficient(
            Complex{groupAmplitude, 0.0}, Complex{0.0, 0.0}, angularFrequency(v), t);
    }
    synthesiseSurface();
    for (int n = 0; n < lineLength; ++n) {
        const int i = n % gridSize;
        heights[n] = latticeHeight(i, 0);
        envelope[n] = std::hypot(latticeHeight(i, 0), latticeImaginary(i, 0));
    }
}

// The peak of the parabola through a point and its two neighbours, as an
// offset from the point.
double peakOffset(const Line& line, int n) {
    const double a = line[wrapped(n - 1)];
    const double b = line[n];
    const double c = line[wrapped(n + 1)];
    const double curvature = a - 2.0 * b + c;
    return curvature < 0.0 ? 0.5 * (a - c) / curvature : 0.0;
}

// The highest point within one step of n.
int climb(const Line& line, int n) {
    int best = n;
    for (int d : {-1, 1})
        if (line[wrapped(n + d)] > line[best])
            best = wrapped(n + d);
    return best;
}

int highest(const Line& line) {
    int best = 0;
    for (int n = 1; n < lineLength; ++n)
        if (line[n] > line[best])
            best = n;
    return best;
}

struct Track {
    double sumT = 0, sumX = 0, sumTT = 0, sumTX = 0;
    int count = 0;
    int point = 0;
    int turns = 0;
};

// Moves the track to the line's maximum next to it and records its place,
// unwrapped across the two patches.
void step(Track& track, const Line& line, double t, NumbersFile& file) {
    const int next = climb(line, track.point);
    if (next == 0 && track.point == lineLength - 1)
        ++track.turns;
    if (next == lineLength - 1 && track.point == 0)
        --track.turns;
    track.point = next;
    const double x = (track.turns * lineLength + next + peakOffset(line, next)) * latticeSpacing;
    addRow(file, {t, x});
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

// What the dispersion relation predicts for the pair: the mean wave's phase
// speed, the pair's envelope speed and half the phase speed.
void quotePredictions(FigureOutput& out) {
    const WaveVector& a = waveVectors[centreIndex + groupSteps[0]][centreIndex];
    const WaveVector& b = waveVectors[centreIndex + groupSteps[1]][centreIndex];
    const double meanOmega = 0.5 * (angularFrequency(a) + angularFrequency(b));
    const double meanK = 0.5 * (a.kLength + b.kLength);
    quoteValue(out, "group_wavelength_1", 2.0 * pi / a.kLength);
    quoteValue(out, "group_wavelength_2", 2.0 * pi / b.kLength);
    quoteValue(out, "group_length", 2.0 * pi / (b.kLength - a.kLength));
    quoteValue(out, "group_phase_speed", meanOmega / meanK);
    quoteValue(out, "group_half_phase_speed", 0.5 * meanOmega / meanK);
    quoteValue(out, "group_envelope_speed",
               (angularFrequency(b) - angularFrequency(a)) / (b.kLength - a.kLength));
}

} // namespace

void writeCrestNumbers(FigureOutput& out) {
    quotePredictions(out);
    quoteValue(out, "group_steps", steps);
    quoteValue(out, "group_interval", interval);
    quoteValue(out, "group_line_length", lineLength);
    NumbersFile field =
        numbersFile("wave-group.dat", "Heights of a two-wave group along x over two patches; "
                                      "matrix, line m = running time m x group_interval, column "
                                      "n = x / 2");
    NumbersFile tracks = numbersFile("wave-group-tracks.dat",
                                     "running time, x (unwrapped): index 0 a crest, index 1 the "
                                     "envelope's top");
    static Line heights[steps];
    static Line envelopes[steps];
    for (int m = 0; m < steps; ++m) {
        synthesiseGroup(fixedSeaWaveTimeAfter(m * interval), heights[m], envelopes[m]);
        addRow(field, heights[m], lineLength);
    }
    saveNumbers(out, field);
    // The crest followed is the one at the envelope's top at the start.
    Track crest;
    Track group;
    crest.point = climb(heights[0], highest(envelopes[0]));
    group.point = highest(envelopes[0]);
    for (int m = 0; m <= crestSteps; ++m)
        step(crest, heights[m], m * interval, tracks);
    endIndex(tracks);
    for (int m = 0; m < steps; ++m)
        step(group, envelopes[m], m * interval, tracks);
    saveNumbers(out, tracks);
    quoteValue(out, "group_crest_speed", fittedSpeed(crest));
    quoteValue(out, "group_top_speed", fittedSpeed(group));
    // Deep water: d omega / d|k| = sqrt(g / |k|) / 2, half the phase speed.
    const WaveVector& peak = waveVectors[centreIndex + 2][centreIndex + 2];
    quoteValue(out, "peak_group_speed", 0.5 * angularFrequency(peak) / peak.kLength);
}
