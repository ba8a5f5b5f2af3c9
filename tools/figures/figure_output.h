// What both figure tools write: numbers as plain text, the same from build
// to build, so that the committed copies compare within a small tolerance.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// Whole numbers (seeds, counts, sizes) in full, the rest to six significant
// digits; rounding noise of a quantity that is zero as 0.
std::string numberText(double value);

// A file of the numbers folder, made in memory and saved whole: comment
// lines, rows of numbers and the blank lines that part gnuplot's blocks.
struct NumbersFile {
    std::string name;
    std::string text;
};
// Begun with a comment that says what it holds; "# " begins each line.
NumbersFile numbersFile(const std::string& name, const std::string& description);
void addComment(NumbersFile& file, const std::string& comment);
void addRow(NumbersFile& file, std::initializer_list<double> columns);
void addRow(NumbersFile& file, const double* columns, int count);
// One blank line ends a block of rows; two end one of gnuplot's indexes.
void addBlankLine(NumbersFile& file);
void endIndex(NumbersFile& file);

struct QuotedValue {
    std::string key; // lower_snake_case, a valid gnuplot variable name
    double value;
};

// A run of a figure tool: where it writes (the figures in outDir, their
// numbers in outDir/numbers), the values quoted so far, and whether a file
// could not be written, which ends the tool with status 1.
struct FigureOutput {
    const char* tool;
    std::string outDir;
    std::vector<QuotedValue> values = {};
    bool failed = false;
};

// The tools' arguments: OUTDIR [--numbers-only] [--clip-frames DIR]
// [--real-sea-wind M_PER_S]; 0 for the wind: the viewer's own.
struct FigureArguments {
    std::string outDir;
    bool numbersOnly = false;
    std::string clipDir;
    double realSeaWind = 0.0;
};
bool parseFigureArguments(int argc, char** argv, FigureArguments& arguments);

std::string inFolder(const std::string& folder, const std::string& name);
std::string numbersFolder(const FigureOutput& out);
// Each returns false when it cannot do its job, says so on standard error
// and marks the run failed.
bool makeFolder(FigureOutput& out, const std::string& folder);
bool saveText(FigureOutput& out, const std::string& path, const std::string& text);
bool saveNumbers(FigureOutput& out, const NumbersFile& file);

// Each value is saved as a "key = value" line, which is also a gnuplot
// assignment: the plots load the values file to put the numbers in their
// titles.
void quoteValue(FigureOutput& out, const std::string& key, double value);
bool saveValues(FigureOutput& out, const std::string& name, const std::string& description);
