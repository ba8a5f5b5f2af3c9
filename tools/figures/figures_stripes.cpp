// What the viewer's pairing of cells does to the sea, measured over many
// wave times beside the textbook pairing: the heights' variance at every
// lattice point, its profile along the wind, the share of the complex field
// that reaches the drawn heights, and the mirrored cells' frequencies.
#include <cmath>

#include "app/app_state.h"
#include "tools/figures/figures.h"

namespace {

// Enough samples, spaced at no simple ratio to the waves' periods, for the
// variance at a point to settle to a few per cent.
constexpr int sampleCount = 600;
constexpr double sampleInterval = 0.37;
// Cells with less than this share of the strongest cell's energy are left
// out of the largest frequency error worth quoting.
constexpr double energeticShare = 0.01;

struct Moments {
    double sum[gridSize][gridSize];
    double sumSquares[gridSize][gridSize];
};

struct StripeTally {
    Moments viewer;
    Moments textbook;
    double viewerRe2;
    double viewerIm2;
    double textbookIm2;
    double lowestJacobian;
};

// Adds one instant's heights; returns the sum of the squared imaginary parts.
double addHeights(Moments& m, const double (&height)[gridSize][gridSize],
                  const double (&imaginary)[gridSize][gridSize]) {
    double im2 = 0.0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            m.sum[i][j] += height[i][j];
            m.sumSquares[i][j] += height[i][j] * height[i][j];
            im2 += imaginary[i][j] * imaginary[i][j];
        }
    }
    return im2;
}

double addViewerHeights(Moments& m) {
    static double height[gridSize][gridSize];
    static double imaginary[gridSize][gridSize];
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            height[i][j] = latticeHeight(i, j);
            imaginary[i][j] = latticeImaginary(i, j);
        }
    }
    return addHeights(m, height, imaginary);
}

void tallyStripes(StripeTally& tally) {
    tally.lowestJacobian = 1.0;
    for (int n = 0; n < sampleCount; ++n) {
        const double t = fixedSeaWaveTimeAfter(n * sampleInterval);
        simulationStep(t);
        tally.viewerIm2 += addViewerHeights(tally.viewer);
        tally.lowestJacobian = std::fmin(tally.lowestJacobian, lowestJacobian());
        const TextbookSea& textbook = textbookSeaOfViewerDraws(t);
        tally.textbookIm2 += addHeights(tally.textbook, textbook.height, textbook.imaginary);
    }
    tally.viewerRe2 = summarise(tally.viewer.sumSquares).sum;
}

void variances(const Moments& m, double (&variance)[gridSize][gridSize]) {
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const double mean = m.sum[i][j] / sampleCount;
            variance[i][j] = m.sumSquares[i][j] / sampleCount - mean * mean;
        }
    }
}

// The variance averaged along each line i + j = n.
void profileAlongWind(const double (&variance)[gridSize][gridSize],
                      double (&profile)[diagonalCount]) {
    int count[diagonalCount] = {};
    for (double& p : profile)
        p = 0.0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            profile[i + j] += variance[i][j];
            ++count[i + j];
        }
    }
    for (int n = 0; n < diagonalCount; ++n)
        profile[n] /= count[n];
}

int lowestIn(const double (&profile)[diagonalCount], int first, int last) {
    int lowest = first;
    for (int n = first; n <= last; ++n)
        if (profile[n] < profile[lowest])
            lowest = n;
    return lowest;
}

void writeProfiles(FigureOutput& out, const double (&viewer)[diagonalCount],
                   const double (&textbook)[diagonalCount]) {
    NumbersFile file = numbersFile("calm-stripes-profile.dat",
                                   "n = i + j, distance along the wind, x + y, variance viewer, "
                                   "variance textbook pairing");
    for (int n = 0; n < diagonalCount; ++n)
        addRow(file, {static_cast<double>(n), alongWind(n * latticeSpacing, 0.0),
                      n * latticeSpacing, viewer[n], textbook[n]});
    saveNumbers(out, file);
}

void quoteStripes(FigureOutput& out, const double (&viewer)[diagonalCount],
                  const double (&textbook)[diagonalCount], double viewerMean, double textbookMean) {
    const int half = diagonalCount / 2;
    const int first = lowestIn(viewer, 0, half);
    const int second = lowestIn(viewer, half + 1, diagonalCount - 1);
    quoteValue(out, "calm_stripe_first_x_plus_y", first * latticeSpacing);
    quoteValue(out, "calm_stripe_second_x_plus_y", second * latticeSpacing);
    quoteValue(out, "calm_stripe_period_along_wind",
               alongWind(second * latticeSpacing, 0.0) - alongWind(first * latticeSpacing, 0.0));
    quoteValue(out, "calm_stripe_variance_over_mean", viewer[first] / viewerMean);
    quoteValue(out, "textbook_lowest_variance_over_mean",
               textbook[lowestIn(textbook, 0, diagonalCount - 1)] / textbookMean);
}

// A mirrored cell (63 - i, 63 - j) turns at the frequency of cell (i, j).
// Only the mirrored rows.
void quoteMirroredFrequencies(FigureOutput& out) {
    const Cell peak = strongestCell();
    const double strongest = expectedEnergy(peak.i, peak.j);
    double largest = 0.0;
    double largestEnergetic = 0.0;
    double weighted = 0.0;
    double weights = 0.0;
    double errorAtPeak = 0.0;
    for (int i = 0; mirrored(i); ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const int mi = gridSize - 1 - i;
            const int mj = gridSize - 1 - j;
            const double own = angularFrequency(waveVectors[mi][mj]);
            if (own == 0.0)
                continue;
            const double error = std::fabs(angularFrequency(waveVectors[i][j]) / own - 1.0);
            const double energy = expectedEnergy(i, j) + expectedEnergy(mi, mj);
            if (expectedEnergy(mi, mj) == strongest)
                errorAtPeak = error;
            largest = std::fmax(largest, error);
            if (energy >= energeticShare * strongest)
                largestEnergetic = std::fmax(largestEnergetic, error);
            weighted += energy * error * error;
            weights += energy;
        }
    }
    quoteValue(out, "mirrored_frequency_error_at_peak", errorAtPeak);
    quoteValue(out, "mirrored_frequency_error_max", largest);
    quoteValue(out, "mirrored_frequency_error_max_energetic", largestEnergetic);
    quoteValue(out, "energetic_share_of_strongest_cell", energeticShare);
    quoteValue(out, "mirrored_frequency_error_rms_energy_weighted", std::sqrt(weighted / weights));
}

} // namespace

void writeCalmStripeNumbers(FigureOutput& out) {
    static StripeTally tally;
    tally = StripeTally{};
    tallyStripes(tally);
    static double viewer[gridSize][gridSize];
    static double textbook[gridSize][gridSize];
    variances(tally.viewer, viewer);
    variances(tally.textbook, textbook);
    const std::string layout = ", over the sampled wave times; matrix, line i = lattice row i";
    saveMatrix(out, "calm-stripes-viewer.dat", "Height variance, the viewer's pairing" + layout,
               viewer);
    saveMatrix(out, "calm-stripes-textbook.dat",
               "Height variance, the textbook pairing (not the viewer's)" + layout, textbook);
    double viewerProfile[diagonalCount];
    double textbookProfile[diagonalCount];
    profileAlongWind(viewer, viewerProfile);
    profileAlongWind(textbook, textbookProfile);
    writeProfiles(out, viewerProfile, textbookProfile);

    const double viewerMean = summarise(viewer).sum / (gridSize * gridSize);
    const double textbookMean = summarise(textbook).sum / (gridSize * gridSize);
    quoteValue(out, "stripe_samples", sampleCount);
    quoteValue(out, "stripe_sample_interval", sampleInterval);
    quoteValue(out, "drawn_height_variance", viewerMean);
    quoteValue(out, "textbook_height_variance", textbookMean);
    quoteValue(out, "drawn_over_textbook_variance", viewerMean / textbookMean);
    quoteValue(out, "drawn_over_expected_variance", viewerMean / expectedHeightVariance());
    quoteValue(out, "textbook_over_expected_variance", textbookMean / expectedHeightVariance());
    quoteValue(out, "real_part_share_over_time",
               tally.viewerRe2 / (tally.viewerRe2 + tally.viewerIm2));
    quoteValue(out, "textbook_imaginary_rms_over_time",
               std::sqrt(tally.textbookIm2 / (sampleCount * gridSize * gridSize)));
    quoteValue(out, "jacobian_min_over_time", tally.lowestJacobian);
    quoteStripes(out, viewerProfile, textbookProfile, viewerMean, textbookMean);
    quoteMirroredFrequencies(out);
}
