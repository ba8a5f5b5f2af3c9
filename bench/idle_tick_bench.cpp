// The window-free part of one idle tick: the simulation step and the
// normal-map encode that comes before the texture upload, as a whole and in
// the pieces of the step, so a profile of the running viewer can be read
// against them. Built with FFTW, its transform of the same spectrum runs as a
// peer of ours.
#include <benchmark/benchmark.h>
#include <cstring>
#ifdef OCEAN_FFTW_PEER
#include <fftw3.h>
#endif

#include "ocean/ocean_state.h"
#include "render/render_state.h"
#include "render/texture_support.h"

namespace {

constexpr unsigned int benchSeed = 1u;
// Wave time moves on by one frame of a 60 Hz display per iteration, so the
// trigonometry does not see the same arguments every time.
constexpr double tickSeconds = 1.0 / 60.0;
constexpr int normalMapBytes = gridSize * gridSize * rgbBytes;

unsigned char normalMap[normalMapBytes];
Complex savedHeights[gridSize][gridSize];

void prepare() {
    seedRandom(benchSeed);
    initWaveSpectrum();
    simulationStep(0.0);
}

void idleTick(benchmark::State& state) {
    prepare();
    double t = 0.0;
    for (auto _ : state) {
        simulationStep(t);
        encodeNormalMap(surfaceNormals, normalMap);
        benchmark::DoNotOptimize(normalMap);
        t -= tickSeconds;
    }
}

void evolve(benchmark::State& state) {
    prepare();
    double t = 0.0;
    for (auto _ : state) {
        evolveSpectrum(t);
        benchmark::DoNotOptimize(heightField);
        t -= tickSeconds;
    }
}

// The two displacement transforms with their spectra and scaling.
void displacement(benchmark::State& state) {
    prepare();
    evolveSpectrum(-1.0);
    for (auto _ : state) {
        computeDisplacement();
        benchmark::DoNotOptimize(displacementX);
    }
}

// An unscaled inverse grows the data 4096-fold, so each transform starts
// from a fresh copy of the evolved spectrum; the copy is timed with it.
template <typename Transform>
void timeHeightTransform(benchmark::State& state, Transform transform) {
    prepare();
    evolveSpectrum(-1.0);
    std::memcpy(savedHeights, heightField, sizeof savedHeights);
    for (auto _ : state) {
        std::memcpy(heightField, savedHeights, sizeof heightField);
        transform();
        benchmark::DoNotOptimize(heightField);
    }
}

void heightTransform(benchmark::State& state) {
    timeHeightTransform(state, [] { fft2D(heightField, gridSize, gridSize, -1); });
}

#ifdef OCEAN_FFTW_PEER
// Planning with FFTW_MEASURE overwrites the array, so it comes before the
// spectrum is laid down.
void heightTransformFftw(benchmark::State& state) {
    fftw_complex* cells = reinterpret_cast<fftw_complex*>(&heightField[0][0]);
    fftw_plan plan =
        fftw_plan_dft_2d(gridSize, gridSize, cells, cells, FFTW_BACKWARD, FFTW_MEASURE);
    timeHeightTransform(state, [plan] { fftw_execute(plan); });
    fftw_destroy_plan(plan);
}
#endif

void normalsAndGrid(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        computeNormals(heightField);
        buildRenderGrid();
        benchmark::DoNotOptimize(renderGrid);
    }
}

void normalMapEncode(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        encodeNormalMap(surfaceNormals, normalMap);
        benchmark::DoNotOptimize(normalMap);
    }
}

} // namespace

BENCHMARK(idleTick)->Unit(benchmark::kMicrosecond);
BENCHMARK(evolve)->Unit(benchmark::kMicrosecond);
BENCHMARK(displacement)->Unit(benchmark::kMicrosecond);
BENCHMARK(heightTransform)->Unit(benchmark::kMicrosecond);
#ifdef OCEAN_FFTW_PEER
BENCHMARK(heightTransformFftw)->Unit(benchmark::kMicrosecond);
#endif
BENCHMARK(normalsAndGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(normalMapEncode)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
