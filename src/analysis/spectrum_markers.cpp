#include "spectrum_markers.h"

#include <algorithm>
#include <cmath>

#include "number_text.h"

namespace kalvira::analysis {

namespace {

// Peaks in order: higher first, then lower in frequency.
bool before(const std::vector<double> &a, std::size_t x, std::size_t y) {
    return a[x] > a[y] || (a[x] == a[y] && x < y);
}

std::vector<std::size_t> peaksOf(const Spectrum &spectrum) {
    const auto &a = spectrum.amplitude;
    std::vector<std::size_t> peaks;
    for (std::size_t k = static_cast<std::size_t>(spectrum.lobeHalfWidth) + 1; k < a.size(); ++k) {
        if (a[k] > a[k - 1] && (k + 1 == a.size() || a[k] >= a[k + 1])) peaks.push_back(k);
    }
    return peaks;
}

}  // namespace

std::size_t nearestBin(const Spectrum &spectrum, double frequencyHz) {
    if (spectrum.amplitude.empty() || !(spectrum.binHz > 0) || !std::isfinite(frequencyHz))
        return 0;
    const double bin = std::clamp(std::round(frequencyHz / spectrum.binHz), 0.0,
                                  static_cast<double>(spectrum.amplitude.size() - 1));
    return static_cast<std::size_t>(bin);
}

std::optional<std::size_t> highestPeak(const Spectrum &spectrum) {
    const std::vector<std::size_t> peaks = peaksOf(spectrum);
    if (peaks.empty()) return std::nullopt;
    return *std::min_element(peaks.begin(), peaks.end(), [&](std::size_t x, std::size_t y) {
        return before(spectrum.amplitude, x, y);
    });
}

std::optional<std::size_t> nextPeak(const Spectrum &spectrum, std::size_t from) {
    if (from >= spectrum.amplitude.size()) return std::nullopt;
    std::optional<std::size_t> next;
    for (const std::size_t k : peaksOf(spectrum)) {
        if (before(spectrum.amplitude, from, k) && (!next || before(spectrum.amplitude, k, *next)))
            next = k;
    }
    return next;
}

std::vector<std::pair<std::string, std::string>> markerSettings(const Spectrum &spectrum,
                                                                const MarkerPlaces &places,
                                                                const SpectrumLevels &levels) {
    std::vector<std::pair<std::string, std::string>> lines;
    if (spectrum.amplitude.empty()) return lines;
    for (int m = 0; m < kMarkerCount; ++m) {
        if (!places[static_cast<std::size_t>(m)]) continue;
        const std::size_t bin = nearestBin(spectrum, *places[static_cast<std::size_t>(m)]);
        const std::string key = "marker_m" + std::to_string(m + 1);
        std::string hz, db;
        appendNumber(hz, static_cast<double>(bin) * spectrum.binHz);
        appendLevel(db, levels.db(spectrum.amplitude[bin]));
        lines.emplace_back(key + "_hz", hz);
        lines.emplace_back(key + "_db", db);
    }
    return lines;
}

}  // namespace kalvira::analysis
