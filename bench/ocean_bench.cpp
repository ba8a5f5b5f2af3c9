// The FFT engine and one whole simulation step, each beside the same work
// done with FFTW, and the two ratios (ours / FFTW) measured in the same run.
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fftw3.h>
#include <random>

#include "ocean/ocean_state.h"

namespace {

enum Measured { oursFft, fftwFft, oursStep, fftwStep, measuredCount };

// Seconds per iteration of the last (final) run of each benchmark.
double secondsPerIteration[measuredCount];

Complex fftInput[gridSize][gridSize];
Complex fftWork[gridSize][gridSize];

fftw_plan workPlan;
fftw_plan heightPlan;
fftw_plan displacementXPlan;
fftw_plan displacementYPlan;

// A representative time: a few seconds into the run.
constexpr double stepTime = -3.7;

fftw_plan inverseInPlace(Complex (&data)[gridSize][gridSize]) {
    fftw_complex* cells = reinterpret_cast<fftw_complex*>(&data[0][0]);
    return fftw_plan_dft_2d(gridSize, gridSize, cells, cells, FFTW_BACKWARD, FFTW_MEASURE);
}

// Planning with FFTW_MEASURE overwrites the arrays, so it comes before any
// data is laid down.
void prepare() {
    workPlan = inverseInPlace(fftWork);
    heightPlan = inverseInPlace(heightField);
    displacementXPlan = inverseInPlace(displacementX);
    displacementYPlan = inverseInPlace(displacementY);
    std::mt19937 engine(1);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (auto& row : fftInput)
        for (auto& c : row)
            c = Complex{value(engine), value(engine)};
    seedRandom(1u);
    initWaveSpectrum();
}

// Runs the timed loop and records its wall time per iteration. An unscaled
// inverse grows the data 4096-fold, so every iteration starts from a fresh
// copy of the input; both transforms pay the same copy.
template <typename Body> void timeLoop(benchmark::State& state, Measured slot, Body body) {
    auto start = std::chrono::steady_clock::now();
    for (auto _ : state)
        body();
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    secondsPerIteration[slot] = elapsed.count() / static_cast<double>(state.iterations());
}

void fft2dOurs(benchmark::State& state) {
    timeLoop(state, oursFft, [] {
        std::memcpy(fftWork, fftInput, sizeof fftWork);
        fft2D(fftWork, gridSize, gridSize, -1);
        benchmark::DoNotOptimize(fftWork);
    });
}

void fft2dFftw(benchmark::State& state) {
    timeLoop(state, fftwFft, [] {
        std::memcpy(fftWork, fftInput, sizeof fftWork);
        fftw_execute(workPlan);
        benchmark::DoNotOptimize(fftWork);
    });
}

void stepOurs(benchmark::State& state) {
    timeLoop(state, oursStep, [] {
        simulationStep(stepTime);
        benchmark::DoNotOptimize(renderGrid);
    });
}

// The same step as simulationStep with FFTW's transform in place of ours.
void stepFftw(benchmark::State& state) {
    timeLoop(state, fftwStep, [] {
        evolveSpectrum(stepTime);
        buildDisplacementSpectra();
        fftw_execute(displacementXPlan);
        fftw_execute(displacementYPlan);
        scaleDisplacements();
        fftw_execute(heightPlan);
        correctHeightsAndPlacePoints();
        computeNormals(heightField);
        buildRenderGrid();
        benchmark::DoNotOptimize(renderGrid);
    });
}

void printRatio(const char* label, Measured ours, Measured fftw) {
    if (secondsPerIteration[ours] > 0.0 && secondsPerIteration[fftw] > 0.0)
        std::printf("%s: %.2f (%.2f us / %.2f us)\n", label,
                    secondsPerIteration[ours] / secondsPerIteration[fftw],
                    secondsPerIteration[ours] * 1e6, secondsPerIteration[fftw] * 1e6);
}

} // namespace

BENCHMARK(fft2dOurs);
BENCHMARK(fft2dFftw);
BENCHMARK(stepOurs);
BENCHMARK(stepFftw);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    printRatio("fft2D/fftw ratio", oursFft, fftwFft);
    printRatio("step/fftw step ratio", oursStep, fftwStep);
    fftw_destroy_plan(workPlan);
    fftw_destroy_plan(heightPlan);
    fftw_destroy_plan(displacementXPlan);
    fftw_destroy_plan(displacementYPlan);
    benchmark::Shutdown();
    return 0;
}
