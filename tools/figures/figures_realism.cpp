// The drawn sea beside the sea its wind raises on a real ocean: its height,
// peak and steepness against the fully developed sea of Pierson and
// Moskowitz and the fetch-limited growth of JONSWAP, and its energy by
// wavelength against Pierson-Moskowitz. Measurement only: the viewer's
// spectrum, step and constants are used as they are.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "tools/figures/figures.h"

namespace {

// ---- Published relations ----------------------------------------------------
// W. J. Pierson and L. Moskowitz, J. Geophys. Res. 69 (1964) 5181: the fully
// developed sea's frequency spectrum
//   S(w) = alpha g^2 / w^5 exp(-beta (g / (U w))^4),
// U the wind at 19.5 m above the sea, the height of the ships' anemometers
// their records came from.
constexpr double pmAlpha = 8.1e-3; // Phillips' constant
constexpr double pmBeta = 0.74;
constexpr double pmWindHeight = 19.5;
// Later use, the Beaufort scale and JONSWAP give the wind at 10 m.
constexpr double standardWindHeight = 10.0;
// The neutral logarithmic profile U(z) = U10 (1 + sqrt(Cd) / kappa ln(z / 10))
// carries the 10 m wind up to 19.5 m; Cd = 1.2e-3 for 4 to 11 m/s at 10 m
// (W. G. Large and S. Pond, J. Phys. Oceanogr. 11 (1981) 324).
constexpr double vonKarman = 0.4;
constexpr double dragCoefficient = 1.2e-3;
// K. Hasselmann et al., Dtsch. Hydrogr. Z., Ergänzungsheft A8, no. 12 (1973):
// a sea growing over a fetch x, in chi = g x / U10^2, has the energy
// g^2 E / U10^4 = 1.6e-7 chi and the peak frequency f U10 / g = 3.5 chi^-0.33.
constexpr double jonswapEnergyGrowth = 1.6e-7;
constexpr double jonswapPeakFactor = 3.5;
constexpr double jonswapPeakExponent = -0.33;
// J. H. Michell, Phil. Mag. 36 (1893) 430: the steepest wave that does not
// break, height over length 0.142, about 1/7.
constexpr double breakingSteepness = 0.142;
// The Beaufort scale as the World Meteorological Organization describes it to
// mariners: the lowest 10 m wind of each force 0 ... 12 in m/s, and the
// probable wave height of each in the open sea and the probable maximum, in
// metres (force 12 lists no maximum: its probable height stands in).
constexpr double beaufortLowestWind[] = {0.0,  0.3,  1.6,  3.4,  5.5,  8.0, 10.8,
                                         13.9, 17.2, 20.8, 24.5, 28.5, 32.7};
constexpr double beaufortProbableHeight[] = {0.0, 0.1, 0.2, 0.6, 1.0,  2.0, 3.0,
                                             4.0, 5.5, 7.0, 9.0, 11.5, 14.0};
constexpr double beaufortProbableMaximum[] = {0.0, 0.1, 0.3,  1.0,  1.5,  2.5, 4.0,
                                              5.5, 7.5, 10.0, 12.5, 16.0, 14.0};
constexpr int beaufortHighestForce = 12;

// ---- How this tool measures ------------------------------------------------
// The significant wave height is four standard deviations of the surface.
constexpr double significantHeightPerRms = 4.0;
// Directions over which the viewer's spectrum is summed around a circle of
// |k|: the sum of a smooth periodic function converges fast.
constexpr int directionSteps = 720;
// The energy-by-wavelength figure's range and resolution.
constexpr double plotShortestWavelength = 2.0;
constexpr double plotLongestWavelength = 400.0;
constexpr int plotSamples = 240;
// Where the drawn energy is compared with the real sea's, besides the peak,
// the damping's crossover and the grid's shortest: half the patch, the
// second-longest wave along an axis.
constexpr double halfPatchWavelength = patchLength / 2.0;
constexpr double metresPerKilometre = 1000.0;

double waveNumberOf(double wavelength) {
    return 2.0 * pi / wavelength;
}

// The 10 m wind's speed at 19.5 m over the 10 m wind's.
double windProfileFactor() {
    return 1.0 +
           std::sqrt(dragCoefficient) / vonKarman * std::log(pmWindHeight / standardWindHeight);
}

int beaufortForce(double wind10) {
    int force = 0;
    while (force < beaufortHighestForce && wind10 >= beaufortLowestWind[force + 1])
        ++force;
    return force;
}

// ---- Pierson-Moskowitz, from the wind at 19.5 m ----------------------------
// The spectrum integrates to alpha U^4 / (4 beta g^2).
double pmSignificantHeight(double wind) {
    return significantHeightPerRms * std::sqrt(pmAlpha / (4.0 * pmBeta)) * wind * wind / gravity;
}

// Where dS/dw = 0: w = (4 beta / 5)^(1/4) g / U.
double pmPeakFrequency(double wind) {
    return std::pow(0.8 * pmBeta, 0.25) * gravity / wind;
}

double deepWaterWavelength(double omega) {
    return 2.0 * pi * gravity / (omega * omega);
}

// Energy per unit angular frequency, S(w).
double pmFrequencyDensity(double omega, double wind) {
    const double ratio = gravity / (wind * omega);
    return pmAlpha * gravity * gravity / std::pow(omega, 5.0) *
           std::exp(-pmBeta * ratio * ratio * ratio * ratio);
}

// Energy per unit wave number, S(w) dw/dk with w = sqrt(g k).
double pmDensity(double k, double wind) {
    return pmFrequencyDensity(std::sqrt(gravity * k), wind) * 0.5 * std::sqrt(gravity / k);
}

// The share of the energy below w is exp(-beta (g / (U w))^4).
double pmShareLongerThan(double wavelength, double wind) {
    const double ratio = gravity / (wind * std::sqrt(gravity * waveNumberOf(wavelength)));
    return std::exp(-pmBeta * ratio * ratio * ratio * ratio);
}

// The wind whose peak wavelength is the given length.
double pmWindForPeakWavelength(double wavelength) {
    const double omega = std::sqrt(2.0 * pi * gravity / wavelength);
    return std::pow(0.8 * pmBeta, 0.25) * gravity / omega;
}

// ---- JONSWAP's growth with fetch, from the wind at 10 m ---------------------
double jonswapFetchForHeight(double height, double wind10) {
    const double rms = height / significantHeightPerRms;
    const double energy = gravity * gravity * rms * rms / std::pow(wind10, 4.0);
    return energy / jonswapEnergyGrowth * wind10 * wind10 / gravity;
}

double jonswapFetchForPeakPeriod(double period, double wind10) {
    const double nu = wind10 / (period * gravity);
    return std::pow(nu / jonswapPeakFactor, 1.0 / jonswapPeakExponent) * wind10 * wind10 / gravity;
}

// ---- The viewer's sea ------------------------------------------------------
// The mirror step leaves the drawn heights half the variance of real heights
// from the same spectrum: each cell's expected energy once, not twice.
double expectedDrawnVariance() {
    return heightScale * heightScale * expectedHeightVariance() / 2.0;
}

// The drawn heights' variance per unit wave number at |k|: the viewer's own
// spectrum summed around the circle of radius |k|, over the cells' area, each
// cell's expected energy drawn once.
double drawnDensity(double k) {
    const double wind[2] = {windVelocityX, windVelocityY};
    const double cell = 2.0 * pi / patchLength;
    double sum = 0.0;
    for (int n = 0; n < directionSteps; ++n) {
        const double theta = 2.0 * pi * n / directionSteps;
        const double wave[2] = {k * std::cos(theta), k * std::sin(theta)};
        sum += waveSpectrum(waveAmplitude, wave, wind);
    }
    const double perCell = heightScale * heightScale * sum * (2.0 * pi / directionSteps) * k;
    return perCell / (cell * cell);
}

// The same variance per unit angular frequency, like S(w): the density by
// wave number times dk/dw = 2 w / g.
double drawnFrequencyDensity(double omega) {
    return drawnDensity(omega * omega / gravity) * 2.0 * omega / gravity;
}

// Where a density with one peak between low and high peaks: golden-section
// search, to far below the decimals quoted.
double peakOf(const std::function<double(double)>& density, double low, double high) {
    const double shrink = (std::sqrt(5.0) - 1.0) / 2.0;
    while (high - low > 1e-9 * high) {
        const double a = high - shrink * (high - low);
        const double b = low + shrink * (high - low);
        if (density(a) < density(b))
            low = a;
        else
            high = b;
    }
    return (low + high) / 2.0;
}

// Far from both cut-offs the drawn density is h^2 A pi / (k^3 dk^2), the
// squared cosine averaging 1/2 around the circle, and Pierson-Moskowitz's
// alpha / (2 k^3): the same k^-3, at this ratio.
double drawnTailOverPm() {
    const double cell = 2.0 * pi / patchLength;
    return 2.0 * pi * heightScale * heightScale * waveAmplitude / (pmAlpha * cell * cell);
}

// How many of the strongest cells hold half the expected energy.
int cellsHoldingHalfTheEnergy() {
    std::vector<double> energies;
    double total = 0.0;
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            energies.push_back(expectedEnergy(i, j));
            total += energies.back();
        }
    }
    std::sort(energies.begin(), energies.end(), std::greater<double>());
    double held = 0.0;
    int count = 0;
    while (held < total / 2.0)
        held += energies[count++];
    return count;
}

// A value figure-numbers has quoted already.
double quotedValue(const FigureOutput& out, const std::string& key) {
    for (const QuotedValue& v : out.values)
        if (v.key == key)
            return v.value;
    std::fprintf(stderr, "figure-numbers: %s is needed before the real sea's numbers\n",
                 key.c_str());
    std::exit(1);
}

// ---- Single waves by zero up-crossings --------------------------------------
struct ProfilePoint {
    double along; // distance along the wind, displaced as drawn
    double height;
};

struct Wave {
    double height;
    double length;
};

// The mirror step leaves the zero wave number a coefficient, so the drawn
// sea's mean level is not quite 0.
double meanDrawnHeight() {
    double sum = 0.0;
    for (int i = 0; i < gridSize; ++i)
        for (int j = 0; j < gridSize; ++j)
            sum += latticeHeight(i, j);
    return heightScale * sum / (gridSize * gridSize);
}

// The drawn points (n, (n + m) mod 64) of the fixed sea, a line along the
// wind that closes on itself after 64 points, (n, n) for m = 0; heights from
// the mean level.
std::vector<ProfilePoint> lineAlongWind(int m, double meanLevel) {
    std::vector<ProfilePoint> line;
    for (int n = 0; n < gridSize; ++n) {
        const int j = (n + m) % gridSize;
        const double wrap = n + m >= gridSize ? patchLength : 0.0;
        const Point2d& p = displacedPositions[n][j];
        line.push_back(
            {(p.x + p.y + wrap) / std::sqrt(2.0), heightScale * latticeHeight(n, j) - meanLevel});
    }
    return line;
}

// Each wave runs from one up-crossing of the mean level to the next, found
// between lattice points by linear interpolation; its height is its highest
// point less its lowest.
std::vector<Wave> upCrossingWaves(const std::vector<ProfilePoint>& line) {
    const int count = static_cast<int>(line.size());
    const double loop = patchLength * std::sqrt(2.0);
    std::vector<double> crossings;
    std::vector<int> firstPoint;
    for (int n = 0; n < count; ++n) {
        const ProfilePoint& a = line[n];
        ProfilePoint b = line[(n + 1) % count];
        if (n + 1 == count)
            b.along += loop;
        if (a.height < 0.0 && b.height >= 0.0) {
            crossings.push_back(a.along + (b.along - a.along) * -a.height / (b.height - a.height));
            firstPoint.push_back(n + 1);
        }
    }
    std::vector<Wave> waves;
    const int crossingCount = static_cast<int>(crossings.size());
    for (int c = 0; c < crossingCount; ++c) {
        const int next = (c + 1) % crossingCount;
        const double end = crossings[next] + (next <= c ? loop : 0.0);
        double highest = 0.0;
        double lowest = 0.0;
        for (int n = firstPoint[c]; n < firstPoint[next] + (next <= c ? count : 0); ++n) {
            highest = std::fmax(highest, line[n % count].height);
            lowest = std::fmin(lowest, line[n % count].height);
        }
        waves.push_back({highest - lowest, end - crossings[c]});
    }
    return waves;
}

Wave steepestWave(const std::vector<Wave>& waves) {
    Wave steepest{0.0, 1.0};
    for (const Wave& w : waves)
        if (w.height / w.length > steepest.height / steepest.length)
            steepest = w;
    return steepest;
}

// ---- The numbers, in the order the guide gives them --------------------------
// The formula's wind is read both ways: as given at 19.5 m, and as the 10 m
// wind carried up to 19.5 m (the keys ending in _wind_at_10m).
void quoteWind(FigureOutput& out, double wind) {
    quoteValue(out, "real_sea_wind", wind);
    quoteValue(out, "pm_alpha", pmAlpha);
    quoteValue(out, "pm_beta", pmBeta);
    quoteValue(out, "pm_wind_height", pmWindHeight);
    quoteValue(out, "von_karman", vonKarman);
    quoteValue(out, "drag_coefficient", dragCoefficient);
    quoteValue(out, "pm_height_factor", pmSignificantHeight(1.0) * gravity);
    quoteValue(out, "pm_peak_frequency_factor", pmPeakFrequency(1.0) / gravity);
    quoteValue(out, "wind_profile_factor", windProfileFactor());
    quoteValue(out, "wind_at_19_5m_if_read_at_10m", wind * windProfileFactor());
    quoteValue(out, "wind_at_10m_if_read_at_19_5m", wind / windProfileFactor());
    const int force = beaufortForce(wind);
    quoteValue(out, "beaufort_force", force);
    quoteValue(out, "beaufort_force_wind_at_19_5m", beaufortForce(wind / windProfileFactor()));
    quoteValue(out, "beaufort_force_lowest_wind", beaufortLowestWind[force]);
    if (force < beaufortHighestForce)
        quoteValue(out, "beaufort_next_force_lowest_wind", beaufortLowestWind[force + 1]);
    quoteValue(out, "beaufort_probable_wave_height", beaufortProbableHeight[force]);
    quoteValue(out, "beaufort_probable_maximum_wave_height", beaufortProbableMaximum[force]);
}

void quoteHeights(FigureOutput& out, double wind) {
    const double drawnRms = quotedValue(out, "drawn_height_rms");
    const double expectedRms = std::sqrt(expectedDrawnVariance());
    quoteValue(out, "drawn_significant_height", significantHeightPerRms * drawnRms);
    quoteValue(out, "expected_drawn_height_rms", expectedRms);
    quoteValue(out, "expected_significant_height", significantHeightPerRms * expectedRms);
    const double pm = pmSignificantHeight(wind);
    const double pm10 = pmSignificantHeight(wind * windProfileFactor());
    quoteValue(out, "pm_significant_height", pm);
    quoteValue(out, "pm_significant_height_wind_at_10m", pm10);
    quoteValue(out, "pm_matching_height_scale",
               heightScale * pm / (significantHeightPerRms * expectedRms));
    quoteValue(out, "pm_matching_height_scale_wind_at_10m",
               heightScale * pm10 / (significantHeightPerRms * expectedRms));
    quoteValue(out, "jonswap_fetch_km_for_expected_height",
               jonswapFetchForHeight(significantHeightPerRms * expectedRms, wind) /
                   metresPerKilometre);
    quoteValue(out, "jonswap_fetch_km_for_pm_height",
               jonswapFetchForHeight(pm10, wind) / metresPerKilometre);
}

// Peak against peak, like for like: the drawn sea's expected variance by
// angular frequency against S(w), and by wave number against S(w) dw/dk,
// each peak found the same way. The strongest cell of the grid is a third
// kind of peak, quoted earlier as peak_wavelength.
void quotePeaks(FigureOutput& out, double wind) {
    const double lowFrequency = 0.3;
    const double highFrequency = 3.0;
    for (const bool at10m : {false, true}) {
        const std::string suffix = at10m ? "_wind_at_10m" : "";
        const double u = at10m ? wind * windProfileFactor() : wind;
        const double omega = pmPeakFrequency(u);
        const double found =
            peakOf([u](double w) { return pmFrequencyDensity(w, u); }, lowFrequency, highFrequency);
        if (std::fabs(found / omega - 1.0) > 1e-6) {
            std::fprintf(stderr, "figure-numbers: the peak search misses S(w)'s peak\n");
            std::exit(1);
        }
        quoteValue(out, "pm_peak_wavelength" + suffix, deepWaterWavelength(omega));
        quoteValue(out, "pm_peak_period" + suffix, 2.0 * pi / omega);
        const double k =
            peakOf([u](double q) { return pmDensity(q, u); }, lowFrequency * lowFrequency / gravity,
                   highFrequency * highFrequency / gravity);
        quoteValue(out, "pm_wave_number_peak_wavelength" + suffix, 2.0 * pi / k);
    }
    const double omega = peakOf(drawnFrequencyDensity, lowFrequency, highFrequency);
    const double k = peakOf(drawnDensity, lowFrequency * lowFrequency / gravity,
                            highFrequency * highFrequency / gravity);
    const double wavelength = deepWaterWavelength(omega);
    quoteValue(out, "drawn_frequency_peak_wavelength", wavelength);
    quoteValue(out, "drawn_frequency_peak_period", 2.0 * pi / omega);
    quoteValue(out, "drawn_wave_number_peak_wavelength", 2.0 * pi / k);
    quoteValue(out, "drawn_peak_shorter_than_pm",
               1.0 - wavelength / quotedValue(out, "pm_peak_wavelength"));
    quoteValue(out, "drawn_peak_shorter_than_pm_wind_at_10m",
               1.0 - wavelength / quotedValue(out, "pm_peak_wavelength_wind_at_10m"));
    quoteValue(out, "drawn_wave_number_peak_shorter_than_pm",
               1.0 - 2.0 * pi / k / quotedValue(out, "pm_wave_number_peak_wavelength"));
    quoteValue(out, "jonswap_fetch_km_for_drawn_peak",
               jonswapFetchForPeakPeriod(2.0 * pi / omega, wind) / metresPerKilometre);
    quoteValue(out, "cells_holding_half_the_energy", cellsHoldingHalfTheEnergy());
    quoteValue(out, "deep_water_depth", wavelength / 2.0);
}

void quoteSteepness(FigureOutput& out, double wind) {
    const double drawn = significantHeightPerRms * quotedValue(out, "drawn_height_rms") /
                         quotedValue(out, "drawn_frequency_peak_wavelength");
    const double real = pmSignificantHeight(wind) / deepWaterWavelength(pmPeakFrequency(wind));
    quoteValue(out, "drawn_typical_steepness", drawn);
    quoteValue(out, "drawn_typical_steepness_one_in", 1.0 / drawn);
    quoteValue(out, "pm_typical_steepness", real);
    quoteValue(out, "pm_typical_steepness_one_in", 1.0 / real);

    const double meanLevel = meanDrawnHeight();
    quoteValue(out, "drawn_mean_level", meanLevel);
    const std::vector<Wave> alongDiagonal = upCrossingWaves(lineAlongWind(0, meanLevel));
    const Wave steepest = steepestWave(alongDiagonal);
    quoteValue(out, "up_crossing_waves", static_cast<double>(alongDiagonal.size()));
    quoteValue(out, "steepest_wave_height", steepest.height);
    quoteValue(out, "steepest_wave_length", steepest.length);
    quoteValue(out, "steepest_wave_steepness", steepest.height / steepest.length);
    quoteValue(out, "steepest_wave_steepness_one_in", steepest.length / steepest.height);
    std::vector<Wave> all;
    for (int m = 0; m < gridSize; ++m) {
        const std::vector<Wave> line = upCrossingWaves(lineAlongWind(m, meanLevel));
        all.insert(all.end(), line.begin(), line.end());
    }
    const Wave steepestAnywhere = steepestWave(all);
    quoteValue(out, "up_crossing_waves_all_lines", static_cast<double>(all.size()));
    quoteValue(out, "steepest_wave_steepness_all_lines",
               steepestAnywhere.height / steepestAnywhere.length);
    quoteValue(out, "steepest_wave_steepness_all_lines_one_in",
               steepestAnywhere.length / steepestAnywhere.height);
    quoteValue(out, "breaking_steepness", breakingSteepness);
    quoteValue(out, "breaking_steepness_one_in", 1.0 / breakingSteepness);
}

void quoteEnergyRatio(FigureOutput& out, double wind, const std::string& name, double wavelength) {
    const double k = waveNumberOf(wavelength);
    quoteValue(out, "energy_ratio_wavelength_" + name, wavelength);
    quoteValue(out, "energy_ratio_" + name, drawnDensity(k) / pmDensity(k, wind));
}

// The drawn energy by wavelength: the viewer's spectrum as a density, and
// the cells of this seed gathered into rings one grid step wide; beside them
// Pierson-Moskowitz for both readings of the wind.
void writeEnergyByWavelength(FigureOutput& out, double wind) {
    NumbersFile file = numbersFile(
        "realism-spectrum.dat",
        "wavelength, |k|, drawn heights' variance per unit |k| (x 0.1 applied) expected, "
        "Pierson-Moskowitz for the wind at 19.5 m, at 10 m, ratio drawn / PM at 19.5 m; then, "
        "after two blank lines, rings of cells one grid step wide, at their energy-weighted |k|: "
        "wavelength, |k|, drawn |h0|^2, expected, per unit |k|");
    double largestRatio = 0.0;
    double largestAt = 0.0;
    for (int s = 0; s < plotSamples; ++s) {
        const double wavelength =
            plotShortestWavelength *
            std::pow(plotLongestWavelength / plotShortestWavelength, s / (plotSamples - 1.0));
        const double k = waveNumberOf(wavelength);
        const double drawn = drawnDensity(k);
        const double ratio = drawn / pmDensity(k, wind);
        addRow(file, {wavelength, k, drawn, pmDensity(k, wind),
                      pmDensity(k, wind * windProfileFactor()), ratio});
        if (ratio > largestRatio) {
            largestRatio = ratio;
            largestAt = wavelength;
        }
    }
    endIndex(file);
    // A ring is placed at its cells' |k| weighted by their expected energy,
    // not at its nominal radius: the first ring's energy is all in the
    // diagonal cells, 90.5 m waves, almost none at the patch's 128 m.
    const double cell = 2.0 * pi / patchLength;
    std::vector<double> drawn(gridSize, 0.0);
    std::vector<double> expected(gridSize, 0.0);
    std::vector<double> weightedK(gridSize, 0.0);
    for (int i = 0; i < gridSize; ++i) {
        for (int j = 0; j < gridSize; ++j) {
            const double k = waveVectors[i][j].kLength;
            const int ring = static_cast<int>(std::lround(k / cell));
            if (ring >= gridSize)
                continue;
            const Complex& h0 = initialSpectrum[i][j];
            const double energy = heightScale * heightScale * expectedEnergy(i, j);
            drawn[ring] += heightScale * heightScale * (h0.re * h0.re + h0.im * h0.im);
            expected[ring] += energy;
            weightedK[ring] += energy * k;
        }
    }
    for (int ring = 1; ring < gridSize; ++ring) {
        if (expected[ring] > 0.0) {
            const double k = weightedK[ring] / expected[ring];
            addRow(file, {2.0 * pi / k, k, drawn[ring] / cell, expected[ring] / cell});
        }
    }
    saveNumbers(out, file);

    quoteValue(out, "drawn_tail_over_pm", drawnTailOverPm());
    quoteEnergyRatio(out, wind, "half_patch", halfPatchWavelength);
    quoteEnergyRatio(out, wind, "peak", quotedValue(out, "drawn_wave_number_peak_wavelength"));
    quoteValue(out, "energy_ratio_largest", largestRatio);
    quoteValue(out, "energy_ratio_largest_wavelength", largestAt);
    quoteEnergyRatio(out, wind, "damping_crossover",
                     quotedValue(out, "damping_crossover_wavelength"));
    quoteEnergyRatio(out, wind, "shortest", quotedValue(out, "shortest_wavelength"));
}

void quoteWhatThePatchHolds(FigureOutput& out, double wind) {
    quoteValue(out, "pm_energy_longer_than_patch_per_million",
               1e6 * pmShareLongerThan(patchLength, wind));
    const double limit = pmWindForPeakWavelength(patchLength);
    quoteValue(out, "pm_peak_fits_patch_below_wind", limit);
    quoteValue(out, "pm_peak_fits_patch_below_wind_at_10m", limit / windProfileFactor());
    quoteValue(out, "sideways_to_vertical_rms",
               quotedValue(out, "displacement_rms") / quotedValue(out, "drawn_height_rms"));
}

} // namespace

void writeRealismNumbers(FigureOutput& out, double wind) {
    synthesiseFixedSea();
    quoteWind(out, wind);
    quoteHeights(out, wind);
    quotePeaks(out, wind);
    quoteSteepness(out, wind);
    writeEnergyByWavelength(out, wind);
    quoteWhatThePatchHolds(out, wind);
}
