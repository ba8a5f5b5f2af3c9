// render-figures: the guide's pictures that need the viewer's renderer,
// drawn by its own start-up, frame composition, programs and data files.
#pragma once

#include <string>
#include <vector>

#include "tools/pictures/picture.h"

// Where a run writes: figures into outDir, their numbers into numbersDir,
// the plain pixels that a plot draws over into pixelsDir. With numbersOnly
// only the numbers are written.
struct FigureFolders {
    std::string outDir;
    std::string numbersDir;
    std::string pixelsDir;
    bool numbersOnly;
};

// ---- Output (render_figures.cpp) -------------------------------------------
// The quoted values, one "key = value" line each (number_text.h).
void addValue(std::string& values, const char* key, double value);
// Each returns false, with a line on standard error, when the file cannot be
// written.
bool writeText(const std::string& path, const std::string& text);
bool writePicture(const std::string& path, const Picture& picture);

// ---- The reflection weight (render_figures_weight.cpp) ----------------------
// The water's vertex program run over a fan of angles from the vertical:
// reflection-weight.dat and the values quoted about it.
bool reflectionWeightFigure(const FigureFolders& folders, std::string& values);

// ---- The data pictures (render_figures_data.cpp) ----------------------------
// The sky texture and its mapping onto the dome, the environment faces as a
// cube cross, the bottom: decoded from the run folder by the viewer's own
// loaders.
bool dataPictures(const FigureFolders& folders, std::string& values);
