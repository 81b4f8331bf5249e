// The figures of one spectrum: the fundamental's level, THD, the harmonics table and the noise
// floor (declared in spectrum.h).
#include <algorithm>
#include <cmath>

#include "spectrum.h"
#include "spectrum_components.h"

namespace kalvira::analysis {

namespace {

// The orders 2..10 of the harmonics of f0 that stand below half the sample rate.
int highestHarmonic(const Spectrum &spectrum, double f0) {
    int order = 1;
    while (order < 10 && (order + 1) * f0 < spectrum.sampleRateHz / 2) ++order;
    return order;
}

// The lobes' bins, from centre - lobe to centre + lobe within the spectrum: the DC lobe, the
// fundamental's and each harmonic's.
std::vector<bool> componentBins(const Spectrum &spectrum, double f0) {
    const long bins = static_cast<long>(spectrum.amplitude.size());
    const int lobe = spectrum.lobeHalfWidth;
    std::vector<bool> marked(spectrum.amplitude.size(), false);
    const auto mark = [&](long centre) {
        for (long k = std::max(0L, centre - lobe); k <= std::min(bins - 1, centre + lobe); ++k)
            marked[static_cast<std::size_t>(k)] = true;
    };
    mark(0);
    for (int n = 1; n <= highestHarmonic(spectrum, f0); ++n)
        mark(std::lround(n * f0 / spectrum.binHz));
    return marked;
}

// THD from the power of each lobe, each bin counted once: squared amplitudes, in the same measure
// for every component, so that only their ratios matter.
std::optional<double> thdOf(const Spectrum &spectrum, double f0) {
    const auto &amplitude = spectrum.amplitude;
    const int bins = static_cast<int>(amplitude.size());
    const int lobe = spectrum.lobeHalfWidth;
    std::vector<bool> counted(amplitude.size(), false);
    for (int k = 0; k <= std::min(lobe, bins - 1); ++k) counted[static_cast<std::size_t>(k)] = true;
    const auto lobePower = [&](double frequencyHz) {
        const int centre = static_cast<int>(std::lround(frequencyHz / spectrum.binHz));
        double power = 0;
        for (int k = std::max(0, centre - lobe); k <= std::min(bins - 1, centre + lobe); ++k) {
            const auto i = static_cast<std::size_t>(k);
            if (counted[i]) continue;
            counted[i] = true;
            power += amplitude[i] * amplitude[i];
        }
        return power;
    };
    const double fundamental = lobePower(f0);
    double harmonics = 0;
    for (int n = 2; n <= highestHarmonic(spectrum, f0); ++n) harmonics += lobePower(n * f0);
    if (!(fundamental > 0)) return std::nullopt;
    return std::sqrt(harmonics / fundamental);
}

std::optional<double> medianOutside(const std::vector<double> &amplitude,
                                    const std::vector<bool> &excluded) {
    std::vector<double> rest;
    for (std::size_t k = 0; k < amplitude.size(); ++k) {
        if (!excluded[k]) rest.push_back(amplitude[k]);
    }
    if (rest.empty()) return std::nullopt;
    const auto middle = rest.begin() + static_cast<std::ptrdiff_t>(rest.size() / 2);
    std::nth_element(rest.begin(), middle, rest.end());
    if (rest.size() % 2 == 1) return *middle;
    return (*middle + *std::max_element(rest.begin(), middle)) / 2;
}

double dbcOf(double amplitude, double fundamental) {
    if (!(amplitude > 0 && fundamental > 0)) return -300.0;
    return std::max(-300.0, 20 * std::log10(amplitude / fundamental));
}

}  // namespace

SpectrumFigures spectrumFigures(const Spectrum &spectrum) {
    SpectrumFigures figures;
    if (!spectrum.fundamentalHz || spectrum.amplitude.size() < 3) return figures;
    const double f0 = *spectrum.fundamentalHz;
    figures.fundamentalHz = f0;
    const double fundamental = componentNear(spectrum, f0).value_or(SpectrumComponent{}).amplitude;
    figures.fundamentalDbfs = toDbfs(fundamental);
    if (const auto thd = thdOf(spectrum, f0)) {
        figures.thdPercent = *thd * 100;
        if (*thd > 0) figures.thdDb = 20 * std::log10(*thd);
    }
    figures.sinadDb = spectrum.sinadDb;
    if (figures.sinadDb) figures.enobBits = (*figures.sinadDb - 1.76) / 6.02;
    for (int n = 2; n <= highestHarmonic(spectrum, f0); ++n) {
        const double amplitude =
            componentNear(spectrum, n * f0).value_or(SpectrumComponent{}).amplitude;
        figures.harmonics.push_back({n, n * f0, amplitude, dbcOf(amplitude, fundamental)});
    }
    figures.noiseFloor = medianOutside(spectrum.amplitude, componentBins(spectrum, f0));
    return figures;
}

}  // namespace kalvira::analysis
