// Plain-text numbers for both figure tools.
#include "tools/figures/number_text.h"

#include <cmath>
#include <cstdio>

namespace {

// Below this a value is rounding noise of a quantity that is zero (an
// imaginary part the textbook pairing cancels): printed as 0, not as a
// different tiny number on every build.
constexpr double noiseLevel = 1e-12;

// Whole numbers (seeds, counts, bytes) in full, the rest to six digits.
constexpr double largestWholeNumber = 1e15;

} // namespace

std::string numberText(double value) {
    if (std::fabs(value) < noiseLevel)
        value = 0.0;
    char text[32];
    if (value == std::floor(value) && std::fabs(value) < largestWholeNumber)
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

std::string valueLine(const std::string& key, double value) {
    return key + " = " + numberText(value) + "\n";
}
