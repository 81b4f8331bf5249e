#include "analysis/spectrum.h"
#include "analysis/spectrum_levels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <tuple>

namespace kalvira::analysis {
namespace {

// A record of `length` samples of offset + amplitude * sin(2 pi f t), rounded to whole counts.
std::vector<std::int16_t> sine(double rateHz, int length, double frequencyHz, double amplitude,
                               double offset = 511.5) {
    std::vector<std::int16_t> samples;
    for (int n = 0; n < length; ++n) {
        const double phase = 2 * std::numbers::pi * frequencyHz * n / rateHz + 0.3;
        samples.push_back(std::int16_t(std::lround(offset + amplitude * std::sin(phase))));
    }
    return samples;
}

// Frequencies on a bin, half way between two (the Hann estimate's hardest case) and elsewhere:
// the fundamental reads within a tenth of a bin, and 1 kHz at 40 kSPS within 0.1 Hz.
using FrequencyCase = std::tuple<double, int, double, double>;  // rate, length, Hz, tolerance
class SpectrumFrequency : public ::testing::TestWithParam<FrequencyCase> {};

TEST_P(SpectrumFrequency, IsInterpolatedBetweenBins) {
    const auto [rate, length, frequency, tolerance] = GetParam();
    SpectrumAnalyser analyser;
    for (const SpectrumWindow window : kSpectrumWindows) {
        const auto figures =
            spectrumFigures(analyser.transform(sine(rate, length, frequency, 400), rate, window));
        ASSERT_TRUE(figures.fundamentalHz) << windowName(window);
        EXPECT_NEAR(*figures.fundamentalHz, frequency, tolerance) << windowName(window);
    }
}
INSTANTIATE_TEST_SUITE_P(Table, SpectrumFrequency,
                         ::testing::Values(FrequencyCase{40000, 16000, 1000, 0.1},
                                           FrequencyCase{40000, 16000, 1001.25, 0.1},
                                           FrequencyCase{40000, 1100, 1000, 3.6},
                                           FrequencyCase{200, 300, 13.1, 0.067}));

// The worst scalloping of each window, half a bin off: a full-scale sine (0..1023) on a bin reads
// 0 dBFS, half a bin off no lower than the window allows.
using LevelCase = std::pair<SpectrumWindow, double>;  // the window, its worst loss in dB
class SpectrumLevel : public ::testing::TestWithParam<LevelCase> {};

TEST_P(SpectrumLevel, AFullScaleSineReadsZeroDbfsWithinTheWindowsScalloping) {
    SpectrumAnalyser analyser;
    const double bin = 40000.0 / 8000;
    for (const double offBin : {0.0, 0.5}) {
        const auto figures = spectrumFigures(analyser.transform(
            sine(40000, 8000, (200 + offBin) * bin, 511.5), 40000, GetParam().first));
        ASSERT_TRUE(figures.fundamentalDbfs);
        EXPECT_LE(*figures.fundamentalDbfs, 0.02) << offBin;
        EXPECT_GE(*figures.fundamentalDbfs, offBin == 0 ? -0.02 : -GetParam().second) << offBin;
    }
}
INSTANTIATE_TEST_SUITE_P(Table, SpectrumLevel,
                         ::testing::Values(LevelCase{SpectrumWindow::Rectangular, 3.93},
                                           LevelCase{SpectrumWindow::Hann, 1.5},
                                           LevelCase{SpectrumWindow::Hamming, 1.76},
                                           LevelCase{SpectrumWindow::BlackmanHarris, 0.83},
                                           LevelCase{SpectrumWindow::FlatTop, 0.1}));

// The level read through each window's lobe, a sine of 400 counts at bin 200 + offset of 8000:
// 20 log10(400 / 511.5) = -2.1355 dBFS within 0.05 dB wherever it falls between two bins.
class SpectrumCorrectedLevel : public ::testing::TestWithParam<SpectrumWindow> {};

TEST_P(SpectrumCorrectedLevel, ASinesLevelIsTheSameAtAnyOffsetFromABin) {
    SpectrumAnalyser analyser;
    for (const double offset : {0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.75, 0.9}) {
        const auto f = spectrumFigures(
            analyser.transform(sine(40000, 8000, (200 + offset) * 5, 400), 40000, GetParam()));
        EXPECT_NEAR(f.fundamentalDbfs.value_or(0), 20 * std::log10(400 / 511.5), 0.05) << offset;
    }
}
INSTANTIATE_TEST_SUITE_P(Table, SpectrumCorrectedLevel, ::testing::ValuesIn(kSpectrumWindows));

// The triangle of 500 Hz, 412..612, at 40 kSPS: 80 samples a period, 62.5 bins of 5000, half a
// bin off. Its fundamental is 8 / pi^2 x 100 counts, -16.00 dBFS; the levels it and its odd
// harmonics have as sampled (aliases included) come from one period's own DFT. The rectangle
// reads the fundamental alone: a harmonic 19 dB down sits in the fundamental's skirt, -52 dB
// at 125 bins.
TEST(Spectrum, TheTrianglesFundamentalAndHarmonicsReadTheirLevelsHalfABinOff) {
    std::vector<std::int16_t> triangle;
    for (int n = 0; n < 5000; ++n)
        triangle.push_back(std::int16_t(412 + 5 * std::abs(n % 80 - 40)));
    const auto sampledAmplitude = [&](int order) {
        std::complex<double> sum;
        for (int n = 0; n < 80; ++n)
            sum += double(triangle[std::size_t(n)]) *
                   std::polar(1.0, -2 * std::numbers::pi * order * n / 80);
        return 2 * std::abs(sum) / 80;
    };
    EXPECT_NEAR(toDbfs(sampledAmplitude(1)),
                20 * std::log10(800 / std::pow(std::numbers::pi, 2) / 511.5), 0.005);
    SpectrumAnalyser analyser;
    for (const SpectrumWindow window : kSpectrumWindows) {
        const auto f = spectrumFigures(analyser.transform(triangle, 40000, window));
        EXPECT_NEAR(f.fundamentalDbfs.value_or(0), toDbfs(sampledAmplitude(1)), 0.05)
            << windowName(window);
        ASSERT_EQ(f.harmonics.size(), 9u);
        for (const HarmonicLevel &h : f.harmonics) {
            EXPECT_DOUBLE_EQ(h.frequencyHz, h.order * *f.fundamentalHz);
            if (h.order % 2 == 0 || window == SpectrumWindow::Rectangular) continue;
            EXPECT_NEAR(h.dbc, 20 * std::log10(sampledAmplitude(h.order) / sampledAmplitude(1)),
                        0.05)
                << windowName(window) << " " << h.order;
        }
    }
}

// 100 Hz at 40 kSPS, 200 samples at 812 then 200 at 212: odd harmonics at 1/n of the
// fundamental, THD over 3, 5, 7 and 9 of sqrt(1/9 + 1/25 + 1/49 + 1/81) = 42.88 %.
TEST(Spectrum, ASquareWavesOddHarmonicsStandAtOneNthAndItsThdIs42Point9Percent) {
    std::vector<std::int16_t> square;
    for (int n = 0; n < 16000; ++n) square.push_back(n % 400 < 200 ? 812 : 212);
    SpectrumAnalyser analyser;
    const Spectrum spectrum = analyser.transform(square, 40000, SpectrumWindow::Hann);
    const auto levelAt = [&](double hz) {
        return toDbfs(spectrum.amplitude[static_cast<std::size_t>(hz / spectrum.binHz)]);
    };
    EXPECT_NEAR(levelAt(100), toDbfs(4 / std::numbers::pi * 300), 0.01);
    for (const int n : {3, 5, 7, 9}) {
        EXPECT_NEAR(levelAt(100 * n) - levelAt(100), 20 * std::log10(1.0 / n), 0.01) << n;
    }
    EXPECT_LT(levelAt(200), -200);
    const SpectrumFigures figures = spectrumFigures(spectrum);
    EXPECT_NEAR(*figures.thdPercent, 42.88, 0.05);
    EXPECT_NEAR(*figures.thdDb, 20 * std::log10(0.4288), 0.01);
    // SINAD, (1200 / pi)^2 / 2 against the rest of 300^2: 6.313 dB, with every window, the mean
    // kept too, and in 2000 samples, where the fundamental 5 bins from DC shares the DC lobe.
    for (const auto &[length, removeDc] : {std::pair{16000, true}, {16000, false}, {2000, true}}) {
        for (const SpectrumWindow window : kSpectrumWindows) {
            const auto f = spectrumFigures(analyser.transform(
                std::span(square).first(std::size_t(length)), 40000, window, removeDc));
            EXPECT_NEAR(f.sinadDb.value_or(0), 6.313, 0.001)
                << length << windowName(window) << removeDc;
        }
    }
}

// A full-scale sine (A = 511.5) rounded to counts: an error even over one count, SINAD
// 10 log10((A^2 / 2) / (1 / 12)) = 61.96 dB = 6.02 x 10 + 1.76, ENOB 10, estimated from 16000
// errors under Blackman-Harris weights (5790 samples' worth) to 0.894 / sqrt(5790) = 1.2 %, 0.05
// dB: 3 sigma is 0.15 dB. Any window; on a bin (997 periods, prime to 16000) and half a bin off.
TEST(Spectrum, ARoundedFullScaleSinesSinadIsThatOfItsRoundingNoise) {
    SpectrumAnalyser analyser;
    for (const double periods : {997.0, 997.5}) {
        const auto record = sine(40000, 16000, periods * 2.5, 511.5);
        for (const SpectrumWindow window : kSpectrumWindows) {
            const auto f = spectrumFigures(analyser.transform(record, 40000, window));
            EXPECT_NEAR(f.sinadDb.value_or(0), 10 * std::log10(6 * 511.5 * 511.5), 0.15)
                << periods << " periods, " << windowName(window);
            EXPECT_NEAR(f.enobBits.value_or(0), 10, 0.15 / 6.02);
        }
    }
}

// Bins of 10 Hz to 500 Hz, the fundamental at 100 Hz: the Hann lobes 0..2, 8..12, 18..22,
// 28..32 and 38..42 (500 Hz is no harmonic below half the rate) stand at 1000, the 28 others at
// their bin's number. Their median is that of 3..7, 13..17, 23..27, 33..37 and 43..50: (26 +
// 27) / 2; the CSV says it, 20 log10(26.5 / 511.5) = -25.712 dBFS.
TEST(Spectrum, TheNoiseFloorIsTheMedianOfTheBinsOutsideEveryLobe) {
    Spectrum spectrum;
    spectrum.sampleRateHz = 1000;
    spectrum.binHz = 10;
    spectrum.fundamentalHz = 100;
    for (int k = 0; k <= 50; ++k) {
        const int fromLobe = std::min(k % 10, 10 - k % 10);
        spectrum.amplitude.push_back(k <= 2 || (k >= 8 && k <= 42 && fromLobe <= 2) ? 1000 : k);
    }
    const SpectrumFigures figures = spectrumFigures(spectrum);
    EXPECT_EQ(figures.noiseFloor, 26.5);
    EXPECT_EQ(figures.harmonics.size(), 3u);
    EXPECT_NE(
        spectrumCsv({&spectrum, 1}, {}, SpectrumLevels()).find("\n# noise_floor_db=-25.712\n"),
        std::string::npos);
}

// A constant record, one of fewer than two periods, and a too short one: no fundamental, and
// JSON with null, never NaN.
TEST(Spectrum, NoFundamentalLeavesEveryFigureNull) {
    SpectrumAnalyser analyser;
    for (const auto &record : {std::vector<std::int16_t>(500, 512), sine(1000, 500, 2.6, 300),
                               std::vector<std::int16_t>(1, 7)}) {
        for (const bool removeDc : {true, false}) {
            const auto figures =
                spectrumFigures(analyser.transform(record, 1000, SpectrumWindow::Hann, removeDc));
            EXPECT_EQ(spectrumFiguresJsonFields(figures),
                      ",\"fundamental_hz\":null,\"fundamental_dbfs\":null,\"thd_percent\":null,"
                      "\"sinad_db\":null,\"enob_bits\":null,\"noise_floor_dbfs\":null");
        }
    }
}

// Every record length the unit gives: all its samples, one bin per fs / N and none added, so a
// sine of exactly 7 periods stands on bin 7 alone.
TEST(Spectrum, EveryRecordLengthIsTransformedWholeWithoutPadding) {
    SpectrumAnalyser analyser;
    for (int length = 100; length <= 16000; length += 100) {
        const double rate = 40000;
        const Spectrum s = analyser.transform(sine(rate, length, 7 * rate / length, 400), rate,
                                              SpectrumWindow::Rectangular);
        ASSERT_EQ(s.amplitude.size(), std::size_t(length / 2 + 1)) << length;
        EXPECT_DOUBLE_EQ(s.binHz, rate / length);
        EXPECT_NEAR(s.amplitude[7], 400, 1.0) << length;
        EXPECT_LT(std::max(s.amplitude[6], s.amplitude[8]), 4.0) << length;
    }
}

// 0.01 V a count through a probe of 10 (inverting, so the sign goes): full scale, 511.5 counts
// peak, is 51.15 V peak, 36.17 V RMS, 31.17 dBV, under a top of 40 dBV.
TEST(SpectrumLevels, ReadInDbvAndVoltsWithACalibrationAndInDbfsWithout) {
    const SpectrumLevels volts(Calibration{-0.01, 512, 10}), counts;
    EXPECT_NEAR(volts.db(kFullScaleAmplitude), 31.1666, 1e-4);
    EXPECT_NEAR(volts.dbFromDbfs(-20), 11.1666, 1e-4);
    EXPECT_DOUBLE_EQ(volts.linear(kFullScaleAmplitude), 51.15);
    EXPECT_EQ(volts.topDb(), 40);
    EXPECT_EQ(volts.db(0), -300);
    EXPECT_NEAR(counts.db(kFullScaleAmplitude / 10), -20, 1e-12);
    EXPECT_EQ(counts.topDb(), 0);
    EXPECT_EQ(counts.linear(3), 3);
}

}  // namespace
}  // namespace kalvira::analysis
