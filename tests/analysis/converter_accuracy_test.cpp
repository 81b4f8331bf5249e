#include "analysis/sine_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "analysis/spectrum.h"

namespace kalvira::analysis {
namespace {

constexpr double kRate = 40000;

// An ideal converter of `bits` bits, codes 0..2^bits - 1, taking a sine of the given share of its
// full scale about mid-scale: every sample rounded to its nearest code.
// With a second harmonic of the given share of the full scale added.
std::vector<std::int16_t> quantisedSine(int bits, double share, int length, double periods,
                                        double phase = 0.7, double secondShare = 0) {
    const double half = (std::ldexp(1.0, bits) - 1) / 2;
    std::vector<std::int16_t> codes;
    for (int n = 0; n < length; ++n) {
        const double x = 2 * std::numbers::pi * periods * n / length;
        codes.push_back(std::int16_t(std::lround(half + share * half * std::sin(x + phase) +
                                                 secondShare * half * std::sin(2 * x + 1.1))));
    }
    return codes;
}

std::optional<SineFit> fitOf(const std::vector<std::int16_t> &codes, int bits) {
    SpectrumAnalyser analyser;
    const auto start = analyser.transform(codes, kRate, SpectrumWindow::Hann).fundamentalHz;
    return start ? fitSine(codes, kRate, *start, std::ldexp(1.0, bits)) : std::nullopt;
}

// Rounding to codes leaves an error even over one code, 1 / sqrt 12 RMS, so an ideal N-bit
// converter's full-scale sine reads ENOB N; a sine of half the scale reads N as well, where the
// FFT's (SINAD - 1.76) / 6.02 drops a bit, 6.02 dB of signal gone. The FFT's ENOB agrees within
// 0.2 bit at full scale. 1279.37 periods in 16000 samples: not coherent.
class SineFitEnob : public ::testing::TestWithParam<int> {};

TEST_P(SineFitEnob, AnIdealConvertersSineReadsItsBitsAtFullAndHalfScale) {
    const int bits = GetParam();
    SpectrumAnalyser analyser;
    for (const double share : {1.0, 0.5}) {
        const auto codes = quantisedSine(bits, share, 16000, 1279.37);
        const auto fit = fitOf(codes, bits);
        ASSERT_TRUE(fit && fit->enobBits) << share;
        EXPECT_NEAR(*fit->enobBits, bits, 0.1) << share;
        EXPECT_NEAR(fit->nad, 1 / std::sqrt(12.0), 0.01) << share;
        EXPECT_NEAR(fit->amplitude, share * (std::ldexp(1.0, bits) - 1) / 2, 0.02) << share;
        const auto fft = spectrumFigures(analyser.transform(codes, kRate, SpectrumWindow::Hann));
        EXPECT_NEAR(fft.enobBits.value_or(0), *fit->enobBits + std::log2(share), 0.2) << share;
    }
}
INSTANTIATE_TEST_SUITE_P(Table, SineFitEnob, ::testing::Values(8, 10, 12));

// A second harmonic of 1/1000 of the fundamental, -60 dBc, in 10 and 12 bits: -60 +- 0.3 dBc in
// the harmonics table with every window but the rectangle, whose skirt 1279 bins from the
// fundamental is -62 dB.
TEST(IdealConverter, AMinusSixtyDbcSecondHarmonicReadsItsLevel) {
    SpectrumAnalyser analyser;
    for (const int bits : {10, 12}) {
        const auto codes = quantisedSine(bits, 0.999, 16000, 1279.37, 0.7, 0.000999);
        for (const SpectrumWindow window : kSpectrumWindows) {
            if (window == SpectrumWindow::Rectangular) continue;
            const auto f = spectrumFigures(analyser.transform(codes, kRate, window));
            ASSERT_FALSE(f.harmonics.empty());
            EXPECT_EQ(f.harmonics[0].order, 2);
            EXPECT_NEAR(f.harmonics[0].dbc, -60, 0.3) << bits << windowName(window);
        }
    }
}

// 50.3 periods of a full-scale 10-bit sine in 5000 samples: the fit's frequency within 1 ppm,
// from the FFT's start and from one 0.3 bin off; its phase and offset as made; the record's own
// fit agrees, its FSR 1024 counts.
TEST(SineFit, ATenBitSineOfFiftyPeriodsReadsItsFrequencyWithinOnePpm) {
    const auto codes = quantisedSine(10, 1, 5000, 50.3, 0.7);
    const double frequency = 50.3 / 5000 * kRate;
    const auto fit = fitOf(codes, 10);
    ASSERT_TRUE(fit);
    EXPECT_NEAR(fit->frequencyHz, frequency, frequency * 1e-6);
    const auto offStart = fitSine(codes, kRate, frequency + 0.3 * kRate / 5000);
    ASSERT_TRUE(offStart);
    EXPECT_NEAR(offStart->frequencyHz, frequency, frequency * 1e-6);
    EXPECT_NEAR(fit->phaseRad, 0.7 - std::numbers::pi / 2,
                1e-3);  // sin(x + 0.7) = cos(x + 0.7 - pi/2)
    EXPECT_NEAR(fit->offset, 511.5, 0.01);
    SpectrumAnalyser analyser;
    const auto record = recordSineFit(codes, kRate, analyser);
    ASSERT_TRUE(record);
    EXPECT_DOUBLE_EQ(record->frequencyHz, fit->frequencyHz);
    EXPECT_DOUBLE_EQ(record->enobBits.value_or(0), fit->enobBits.value_or(1));
}

// Fewer than 5 periods: no figure, null in the JSON; 5.1 periods already fit.
TEST(SineFit, FewerThanFivePeriodsGiveNoFit) {
    SpectrumAnalyser analyser;
    EXPECT_FALSE(recordSineFit(quantisedSine(10, 1, 2000, 4.9), kRate, analyser));
    EXPECT_FALSE(fitSine(quantisedSine(10, 1, 2000, 5.1), kRate, 4.9 / 2000 * kRate));
    EXPECT_TRUE(recordSineFit(quantisedSine(10, 1, 2000, 5.1), kRate, analyser));
    EXPECT_EQ(sineFitJsonFields(std::nullopt),
              ",\"sinefit_frequency_hz\":null,\"sinefit_amplitude\":null,\"sinefit_nad\":null,"
              "\"sinefit_sinad_db\":null,\"sinefit_enob_bits\":null");
}

}  // namespace
}  // namespace kalvira::analysis
