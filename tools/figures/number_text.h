// What both figure tools write: numbers as plain text, the same from build
// to build, so that the committed copies compare within a small tolerance.
#pragma once

#include <string>

// Whole numbers (seeds, counts, sizes) in full, the rest to six significant
// digits; rounding noise of a quantity that is zero as 0.
std::string numberText(double value);
// One "key = value" line of a values file; each is also a gnuplot
// assignment, so the plots load the file to put the numbers in their titles.
std::string valueLine(const std::string& key, double value);
