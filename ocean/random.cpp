// The program's own pseudo-random integers over 0..32767: the linear
// congruential generator of the C standard's sample rand, held here so that
// one seed draws the same sea on every machine and every C library.
#include <cstdint>

#include "ocean/ocean_state.h"

namespace {

constexpr std::uint32_t multiplier = 1103515245u;
constexpr std::uint32_t increment = 12345u;
// The low bits of the state cycle with short periods; the result takes
// fifteen bits from the upper half.
constexpr int resultShift = 16;

std::uint32_t randomState = 1u;

} // namespace

void seedRandom(unsigned int seed) {
    randomState = seed;
}

int nextRandom() {
    randomState = randomState * multiplier + increment;
    return static_cast<int>((randomState >> resultShift) % (randomMaximum + 1u));
}
