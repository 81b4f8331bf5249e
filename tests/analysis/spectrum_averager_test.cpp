#include "analysis/spectrum_averager.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace kalvira::analysis {
namespace {

Spectrum bins(std::vector<double> amplitude, double binHz = 10) {
    Spectrum spectrum;
    spectrum.sampleRateHz = 1000;
    spectrum.binHz = binHz;
    spectrum.amplitude = std::move(amplitude);
    return spectrum;
}

// 100 records of a sine with noise of its own in each: the hold of each bin is the highest and
// the lowest of the 100 spectra's, exactly as they read.
TEST(SpectrumAverager, PeakAndMinimumHoldOfAHundredRecordsAreEachBinsExtremes) {
    SpectrumAnalyser analyser;
    SpectrumAverager peak(Averaging{AveragingMode::PeakHold}),
        minimum(Averaging{AveragingMode::MinimumHold});
    std::vector<double> highest, lowest;
    std::uint32_t state = 7;
    for (int r = 0; r < 100; ++r) {
        std::vector<std::int16_t> record;
        for (int n = 0; n < 1000; ++n) {
            state = state * 1103515245u + 12345u;
            record.push_back(std::int16_t(512 + std::lround(300 * std::sin(0.3 * n)) +
                                          int(state >> 16) % 9 - 4));
        }
        const Spectrum spectrum = analyser.transform(record, 40000, SpectrumWindow::Hann);
        peak.add(spectrum);
        minimum.add(spectrum);
        if (r == 0) highest = lowest = spectrum.amplitude;
        for (std::size_t k = 0; k < highest.size(); ++k) {
            highest[k] = std::max(highest[k], spectrum.amplitude[k]);
            lowest[k] = std::min(lowest[k], spectrum.amplitude[k]);
        }
    }
    EXPECT_EQ(peak.result()->amplitude, highest);
    EXPECT_EQ(minimum.result()->amplitude, lowest);
    EXPECT_EQ(peak.count(), 100);
    EXPECT_NE(highest, lowest);
}

// Amplitudes 3, 4 then 0 in one bin. Linear over 2: the power's mean sqrt((9 + 16) / 2), then
// complete, the 0 left out. Exponential 1/2: 9, then 9 + (16 - 9) / 2 = 12.5, then
// 12.5 + (0 - 12.5) / 2 = 6.25, amplitude 2.5. Off: the last alone.
struct AveragingCase {
    Averaging averaging;
    double amplitude;
    int count;
    bool complete;
};
class SpectrumAveraging : public ::testing::TestWithParam<AveragingCase> {};

TEST_P(SpectrumAveraging, CombinesEachBinsPower) {
    SpectrumAverager averager(GetParam().averaging);
    for (const double a : {3.0, 4.0, 0.0}) averager.add(bins({a, 1}));
    EXPECT_DOUBLE_EQ(averager.result()->amplitude[0], GetParam().amplitude);
    EXPECT_DOUBLE_EQ(averager.result()->amplitude[1], 1);
    EXPECT_EQ(averager.count(), GetParam().count);
    EXPECT_EQ(averager.complete(), GetParam().complete);
    averager.add(bins({5, 1, 1}));  // another length restarts it
    EXPECT_EQ(std::pair(averager.count(), averager.result()->amplitude[0]), std::pair(1, 5.0));
    averager.reset();
    EXPECT_FALSE(averager.result());
}
INSTANTIATE_TEST_SUITE_P(
    Table, SpectrumAveraging,
    ::testing::Values(AveragingCase{{AveragingMode::Linear, 2}, std::sqrt(12.5), 2, true},
                      AveragingCase{{AveragingMode::Linear, 5}, std::sqrt(25.0 / 3), 3, false},
                      AveragingCase{{AveragingMode::Exponential, 2}, 2.5, 3, false},
                      AveragingCase{{AveragingMode::PeakHold}, 4, 3, false},
                      AveragingCase{{AveragingMode::MinimumHold}, 0, 3, false},
                      AveragingCase{{AveragingMode::Off}, 0, 1, false}));

TEST(SpectrumAverager, NamesReadBackAndNothingElseReads) {
    for (const Averaging a : {Averaging{AveragingMode::Linear, 2},
                              {AveragingMode::Exponential, 1000},
                              {AveragingMode::PeakHold},
                              {AveragingMode::MinimumHold},
                              {}}) {
        EXPECT_EQ(averagingNamed(averagingName(a)), a) << averagingName(a);
    }
    EXPECT_EQ(averagingName({AveragingMode::Linear, 16}), "linear:16");
    for (const char *bad : {"linear:1", "exp:1001", "linear:", "linear:x", "exp:10x", "exp:+5",
                            "linear:-2", "peak:3", "mean:4", "", "Peak"}) {
        EXPECT_FALSE(averagingNamed(bad)) << bad;
    }
}

}  // namespace
}  // namespace kalvira::analysis
