// Plain-text numbers and the files of both figure tools.
#include "tools/figures/figure_output.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

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

NumbersFile numbersFile(const std::string& name, const std::string& description) {
    NumbersFile file{name, ""};
    addComment(file, description);
    return file;
}

void addComment(NumbersFile& file, const std::string& comment) {
    std::size_t begin = 0;
    for (std::size_t end; (end = comment.find('\n', begin)) != std::string::npos; begin = end + 1)
        file.text += "# " + comment.substr(begin, end - begin) + "\n";
    file.text += "# " + comment.substr(begin) + "\n";
}

void addRow(NumbersFile& file, const double* columns, int count) {
    for (int c = 0; c < count; ++c)
        file.text += (c > 0 ? " " : "") + numberText(columns[c]);
    file.text += "\n";
}

void addRow(NumbersFile& file, std::initializer_list<double> columns) {
    addRow(file, columns.begin(), static_cast<int>(columns.size()));
}

void addBlankLine(NumbersFile& file) {
    file.text += "\n";
}

void endIndex(NumbersFile& file) {
    file.text += "\n\n";
}

bool parseFigureArguments(int argc, char** argv, FigureArguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--numbers-only") == 0)
            arguments.numbersOnly = true;
        else if (std::strcmp(argv[i], "--clip-frames") == 0 && i + 1 < argc)
            arguments.clipDir = argv[++i];
        else if (std::strcmp(argv[i], "--real-sea-wind") == 0 && i + 1 < argc) {
            char* end = nullptr;
            arguments.realSeaWind = std::strtod(argv[++i], &end);
            if (*end != '\0' || !(arguments.realSeaWind > 0.0))
                return false;
        } else if (arguments.outDir.empty() && argv[i][0] != '-')
            arguments.outDir = argv[i];
        else
            return false;
    }
    return !arguments.outDir.empty();
}

std::string inFolder(const std::string& folder, const std::string& name) {
    return (std::filesystem::path(folder) / name).string();
}

std::string numbersFolder(const FigureOutput& out) {
    return inFolder(out.outDir, "numbers");
}

bool makeFolder(FigureOutput& out, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "%s: cannot make %s: %s\n", out.tool, folder.c_str(),
                     error.message().c_str());
        out.failed = true;
    }
    return !error;
}

bool saveText(FigureOutput& out, const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    bool written = file != nullptr && std::fputs(text.c_str(), file) >= 0;
    written = file != nullptr && std::fclose(file) == 0 && written;
    if (!written) {
        std::fprintf(stderr, "%s: cannot write %s\n", out.tool, path.c_str());
        out.failed = true;
    }
    return written;
}

bool saveNumbers(FigureOutput& out, const NumbersFile& file) {
    return saveText(out, inFolder(numbersFolder(out), file.name), file.text);
}

void quoteValue(FigureOutput& out, const std::string& key, double value) {
    out.values.push_back(QuotedValue{key, value});
}

bool saveValues(FigureOutput& out, const std::string& name, const std::string& description) {
    NumbersFile file = numbersFile(name, description);
    for (const QuotedValue& v : out.values)
        file.text += v.key + " = " + numberText(v.value) + "\n";
    return saveNumbers(out, file);
}
