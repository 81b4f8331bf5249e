#pragma once

#include <optional>

#include "spectrum.h"

namespace kalvira::analysis {

// How much of a sine's amplitude a bin offsetBins from its frequency sees through the window, in
// a record of length samples: 1 at 0, falling across the main lobe (Hann: 0.849, -1.42 dB, half
// a bin off).
// Exact for the spectrum's periodic windows at any length, not only long records.
double windowResponse(SpectrumWindow window, double offsetBins, int length);

// A sine's place in a spectrum and its amplitude in counts.
struct SpectrumComponent {
    double frequencyHz = 0;
    double amplitude = 0;
};

// The sine nearest nearHz: the highest bin within one of nearHz's bin and its larger neighbour
// give its offset from that bin through the window's lobe shape (for Hann the ratio
// (1 + d) / (2 - d) the fundamental's frequency comes from), and so its frequency and its
// amplitude whatever the offset. Empty for a spectrum of fewer than 3 bins.
std::optional<SpectrumComponent> componentNear(const Spectrum &spectrum, double nearHz);

}  // namespace kalvira::analysis
