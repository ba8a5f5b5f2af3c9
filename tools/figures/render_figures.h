// render-figures: the guide's pictures that need the viewer's renderer,
// drawn by its own start-up, frame composition, programs and data files.
#pragma once

#include <string>

#include "tools/figures/figure_output.h"
#include "tools/pictures/picture.h"

// A PNG file; false, with a line on standard error, when it cannot be
// written (render_figures.cpp).
bool writePicture(FigureOutput& out, const std::string& path, const Picture& picture);

// The water's vertex program run over a fan of angles from the vertical:
// reflection-weight.dat and the values quoted about it
// (render_figures_weight.cpp).
bool reflectionWeightFigure(FigureOutput& out);

// The sky texture and its mapping onto the dome, the environment faces as a
// cube cross, the bottom: decoded from the run folder by the viewer's own
// loaders; the pictures themselves unless numbersOnly
// (render_figures_data.cpp).
bool dataPictures(FigureOutput& out, bool numbersOnly);
