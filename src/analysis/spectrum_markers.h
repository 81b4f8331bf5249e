#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "spectrum.h"
#include "spectrum_levels.h"

namespace kalvira::analysis {

// M1..M5, as indices 0..4.
inline constexpr int kMarkerCount = 5;

// Where each marker stands, in Hz: the frequency of the bin it was put on, so that it stays there
// across records; empty while not placed.
using MarkerPlaces = std::array<std::optional<double>, kMarkerCount>;

// The bin nearest a frequency, within the spectrum (which has bins).
std::size_t nearestBin(const Spectrum &spectrum, double frequencyHz);

// A peak is a bin above the one before and not below the one after (the first of a flat top),
// past the DC lobe. The highest one; empty when there is none.
std::optional<std::size_t> highestPeak(const Spectrum &spectrum);
// The peak next below the level at bin `from` in the order highest first, equal levels in order
// of frequency; empty when there is none below.
std::optional<std::size_t> nextPeak(const Spectrum &spectrum, std::size_t from);

// The "# key=value" lines of the markers placed, for the spectrum's CSV: marker_m1_hz and
// marker_m1_db, the bin's frequency and level in the levels' unit, for each one.
std::vector<std::pair<std::string, std::string>> markerSettings(const Spectrum &spectrum,
                                                                const MarkerPlaces &places,
                                                                const SpectrumLevels &levels);

}  // namespace kalvira::analysis
