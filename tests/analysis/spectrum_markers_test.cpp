#include "analysis/spectrum_markers.h"

#include <gtest/gtest.h>

namespace kalvira::analysis {
namespace {

// Bins 10 Hz apart, the DC lobe 0..2 (Hann) left out; peaks at 4 (5), 6 (7, the first of two),
// 9 (8), 11 (6, the last bin) and 13 (7 again).
Spectrum markedSpectrum() {
    Spectrum spectrum;
    spectrum.sampleRateHz = 280;
    spectrum.binHz = 10;
    spectrum.amplitude = {9, 0, 0, 0, 5, 1, 7, 7, 2, 8, 3, 6, 1, 7};
    return spectrum;
}

TEST(SpectrumMarkers, PeakThenNextPeakStepDownThePeaksHighestFirst) {
    const Spectrum spectrum = markedSpectrum();
    std::vector<std::size_t> order{*highestPeak(spectrum)};
    while (const auto next = nextPeak(spectrum, order.back())) order.push_back(*next);
    EXPECT_EQ(order, (std::vector<std::size_t>{9, 6, 13, 11, 4}));
    // From bin 7, no peak but level with 6 and 13: the one of its level after it in frequency.
    EXPECT_EQ(nextPeak(spectrum, 7), 13u);
    EXPECT_FALSE(nextPeak(spectrum, 8));  // nothing stands below its 2
}

TEST(SpectrumMarkers, AMarkerStandsOnTheNearestBinAndItsLinesNameIt) {
    const Spectrum spectrum = markedSpectrum();
    EXPECT_EQ(nearestBin(spectrum, 64.9), 6u);
    EXPECT_EQ(nearestBin(spectrum, -5), 0u);
    EXPECT_EQ(nearestBin(spectrum, 1e6), 13u);
    MarkerPlaces places;
    places[0] = 90;
    places[2] = 61;
    const auto lines = markerSettings(spectrum, places, SpectrumLevels());
    // 8 and 7 counts against 511.5: -36.115 and -37.275 dBFS.
    EXPECT_EQ(lines,
              (std::vector<std::pair<std::string, std::string>>{{"marker_m1_hz", "90"},
                                                                {"marker_m1_db", "-36.115"},
                                                                {"marker_m3_hz", "60"},
                                                                {"marker_m3_db", "-37.275"}}));
}

}  // namespace
}  // namespace kalvira::analysis
