// The numbers files of figure-numbers, in the format both figure tools share.
#include <cstdlib>

#include "tools/figures/figures.h"
#include "tools/figures/number_text.h"

namespace {

void printNumber(FILE* file, double value) {
    std::fputs(numberText(value).c_str(), file);
}

[[noreturn]] void failWriting(const std::string& path) {
    std::fprintf(stderr, "figure-numbers: cannot write %s\n", path.c_str());
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
    std::fputs(valueLine(key, value).c_str(), stdout);
}

void writeValues(const FigureOutput& out) {
    FILE* file = openNumbers(out, "values.txt", "The values the guide quotes, from figure-numbers");
    for (const QuotedValue& v : out.values)
        std::fputs(valueLine(v.key, v.value).c_str(), file);
    closeNumbers(file, "values.txt");
}
