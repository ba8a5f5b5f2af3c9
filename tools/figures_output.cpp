// Plain-text numbers: six significant digits, so that the files are the same
// from build to build and compare within a small tolerance.
#include <cmath>
#include <cstdlib>

#include "tools/figures.h"

namespace {

// Below this a value is rounding noise of a quantity that is zero (an
// imaginary part the textbook pairing cancels): printed as 0, not as a
// different tiny number on every build.
constexpr double noiseLevel = 1e-12;

// Whole numbers (seeds, counts, bytes) in full, the rest to six digits.
constexpr double largestWholeNumber = 1e15;

void printNumber(FILE* file, double value) {
    if (std::fabs(value) < noiseLevel)
        value = 0.0;
    if (value == std::floor(value) && std::fabs(value) < largestWholeNumber)
        std::fprintf(file, "%.0f", value);
    else
        std::fprintf(file, "%.6g", value);
}

[[noreturn]] void failWriting(const std::string& path) {
    std::fprintf(stderr, "make-figures: cannot write %s\n", path.c_str());
    std::exit(1);
}

} // namespace

FILE* openNumbers(const FigureOutput& out, const char* fileName, const char* description) {
    const std::string path = out.numbersDir + "/" + fileName;
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        failWriting(path);
    std::fprintf(file, "# %s\n", description);
    return file;
}

void writeRow(FILE* file, const double* columns, int count) {
    for (int c = 0; c < count; ++c) {
        if (c > 0)
            std::fputc(' ', file);
        printNumber(file, columns[c]);
    }
    std::fputc('\n', file);
}

void writeRow(FILE* file, std::initializer_list<double> columns) {
    writeRow(file, columns.begin(), static_cast<int>(columns.size()));
}

void writeMatrix(FILE* file, const double (&field)[gridSize][gridSize]) {
    for (const auto& row : field)
        writeRow(file, row, gridSize);
}

void writeBlankLine(FILE* file) {
    std::fputc('\n', file);
}

void closeNumbers(FILE* file, const char* fileName) {
    const bool failed = std::ferror(file) != 0;
    if (std::fclose(file) != 0 || failed)
        failWriting(fileName);
}

void quoteValue(FigureOutput& out, const std::string& key, double value) {
    out.values.push_back(QuotedValue{key, value});
    std::printf("%s = ", key.c_str());
    printNumber(stdout, value);
    std::printf("\n");
}

// Each line is also a gnuplot assignment: the plots load the file to put
// the numbers into their titles.
void writeValues(const FigureOutput& out) {
    FILE* file =
        openNumbers(out, "values.txt", "The values the guide quotes, from tools/make-figures");
    for (const QuotedValue& v : out.values) {
        std::fprintf(file, "%s = ", v.key.c_str());
        printNumber(file, v.value);
        std::fputc('\n', file);
    }
    closeNumbers(file, "values.txt");
}
