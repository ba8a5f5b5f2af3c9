// The FFT engine beside FFTW, and one whole simulation step, measured in the
// same run: the ratio of the two transforms, and what the step would cost
// with FFTW's transform in place of ours (the step less its three transforms
// plus three of FFTW's). The step is timed as the viewer runs it, so the
// figure cannot drift from the code.
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fftw3.h>
#include <random>

#include "ocean/ocean_state.h"

namespace {

enum Measured { oursFft, fftwFft, oursStep, measuredCount };

// Inverse transforms in one step: the two displacements and the heights.
constexpr int transformsPerStep = 3;

// Seconds per iteration of the last (final) run of each benchmark.
double secondsPerIteration[measuredCount];

Complex fftInput[gridSize][gridSize];
Complex fftWork[gridSize][gridSize];

fftw_plan workPlan;

// A representative time: a few seconds into the run.
constexpr double stepTime = -3.7;

// Planning with FFTW_MEASURE overwrites the array, so it comes before any
// data is laid down.
void prepare() {
    fftw_complex* cells = reinterpret_cast<fftw_complex*>(&fftWork[0][0]);
    workPlan = fftw_plan_dft_2d(gridSize, gridSize, cells, cells, FFTW_BACKWARD, FFTW_MEASURE);
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

void printRatio(const char* label, Measured ours, Measured fftw) {
    if (secondsPerIteration[ours] > 0.0 && secondsPerIteration[fftw] > 0.0)
        std::printf("%s: %.2f (%.2f us / %.2f us)\n", label,
                    secondsPerIteration[ours] / secondsPerIteration[fftw],
                    secondsPerIteration[ours] * 1e6, secondsPerIteration[fftw] * 1e6);
}

// Both transform timings include the same copy of the input, which the step
// does not make; the difference between them is the transforms' alone.
void printStepWithFftw() {
    double step = secondsPerIteration[oursStep];
    double saved =
        transformsPerStep * (secondsPerIteration[oursFft] - secondsPerIteration[fftwFft]);
    if (step > 0.0 && step - saved > 0.0)
        std::printf("step/step with fftw ratio: %.2f (%.2f us / %.2f us)\n", step / (step - saved),
                    step * 1e6, (step - saved) * 1e6);
}

} // namespace

BENCHMARK(fft2dOurs);
BENCHMARK(fft2dFftw);
BENCHMARK(stepOurs);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    prepare();
    benchmark::RunSpecifiedBenchmarks();
    printRatio("fft2D/fftw ratio", oursFft, fftwFft);
    printStepWithFftw();
    fftw_destroy_plan(workPlan);
    benchmark::Shutdown();
    return 0;
}
