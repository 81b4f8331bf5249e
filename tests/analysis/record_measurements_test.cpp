#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <tuple>

#include "analysis/record_measurements.h"

namespace kalvira::analysis {
namespace {

using Shape = std::function<int(int)>;
Shape square(int low, int high, int half, int phase = 0) {
    return [=](int i) { return (i + phase) % (2 * half) >= half ? high : low; };
}
// 3i mod 400: a triangle of 400/3 samples a period, its mid crossings between samples.
const Shape triangle = [](int i) { return 100 + 4 * std::abs(3 * i % 400 - 200); };
// 400 samples a period, amplitude 200, noise -10..10 from one LCG step of the index.
const Shape noisySine = [](int i) {
    const int noise = static_cast<int>((i * 1103515245u + 12345u) >> 16) % 21 - 10;
    return 512 + int(std::lround(200 * std::sin(2 * std::numbers::pi * i / 400))) + noise;
};
std::vector<std::int16_t> record(const Shape &shape, int length) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < length; ++i) samples.push_back(static_cast<std::int16_t>(shape(i)));
    return samples;
}

// Mean and rms exact but for double rounding (1e-9); frequency within a relative tolerance.
struct Case {
    const char *name;
    Shape shape;
    double samplePeriodS;
    int length, minimum, maximum;
    double mean, rms, frequencyTolerance;
    std::optional<double> frequencyHz;
};
const Case kCases[] = {
    {"Square3Periods", square(312, 712, 50), 25e-6, 300, 312, 712, 512, 549.676268362, 1e-12, 400},
    {"Triangle", triangle, 1e-3, 780, 100, 900, 492.97435897436, 543.71881873460, 1e-12, 7.5},
    {"NoisySine", noisySine, 1e-4, 16000, 302, 722, 512.0023125, 531.20952239912, 1e-3, 25},
    {"Constant", [](int) { return 500; }, 1e-3, 100, 500, 500, 500, 500, 0, std::nullopt},
    {"OneAndAHalf", square(312, 712, 50, 40), 1e-3, 150, 312, 712, 552, 585.75080025554, 0, {}},
    {"Full16000", square(0, 32767, 100), 1e-3, 16000, 0, 32767, 16383.5, 23169.76789914, 1e-12, 5},
    {"Empty", square(0, 1, 1), 1e-3, 0, 0, 0, 0, 0, 0, std::nullopt},
};

class MeasureTest : public ::testing::TestWithParam<Case> {};
TEST_P(MeasureTest, LevelsAndWholePeriods) {
    const Case &c = GetParam();
    const RecordMeasurements m = measureRecord(record(c.shape, c.length), c.samplePeriodS);
    EXPECT_EQ(std::tie(m.minimum, m.maximum, m.peakToPeak),
              std::tuple(c.minimum, c.maximum, c.maximum - c.minimum));
    EXPECT_NEAR(m.mean, c.mean, 1e-9);
    EXPECT_NEAR(m.rms, c.rms, 1e-9);
    ASSERT_EQ(m.frequencyHz.has_value(), c.frequencyHz.has_value());
    ASSERT_EQ(m.periodS.has_value(), c.frequencyHz.has_value());
    if (!c.frequencyHz) return;
    EXPECT_NEAR(*m.frequencyHz, *c.frequencyHz, *c.frequencyHz * c.frequencyTolerance);
    EXPECT_NEAR(*m.periodS, 1 / *c.frequencyHz, c.frequencyTolerance / *c.frequencyHz);
}
INSTANTIATE_TEST_SUITE_P(Records, MeasureTest, ::testing::ValuesIn(kCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MeasurementsJsonTest, OneLineWithNullWithoutFrequency) {
    EXPECT_EQ(measurementsJson(measureRecord(record(square(312, 712, 50), 300), 25e-6)),
              R"({"min":312,"max":712,"peak_to_peak":400,"mean":512,"rms":549.676,)"
              R"("frequency_hz":400,"period_s":0.0025})");
    EXPECT_EQ(measurementsJson(measureRecord(record(square(312, 712, 50, 40), 150), 1e-3)),
              R"({"min":312,"max":712,"peak_to_peak":400,"mean":552,"rms":585.751,)"
              R"("frequency_hz":null,"period_s":null})");
}

struct ReadoutCase {
    std::optional<double> frequencyHz, periodS;
    const char *frequencyLine, *periodLine;
};
class ReadoutTest : public ::testing::TestWithParam<ReadoutCase> {};
TEST_P(ReadoutTest, UnitsFollowTheValue) {
    const ReadoutCase &c = GetParam();
    EXPECT_EQ(readoutLines({312, 712, 400, 511.96, 530.149, c.frequencyHz, c.periodS}),
              (std::vector<std::string>{c.frequencyLine, c.periodLine, "min = 312", "max = 712",
                                        "p-p = 400", "mean = 512.0", "rms = 530.1"}));
}
INSTANTIATE_TEST_SUITE_P(
    Units, ReadoutTest,
    ::testing::Values(ReadoutCase{400.0, 0.0025, "f = 400.0 Hz", "T = 2.500 ms"},
                      ReadoutCase{12500.0, 80e-6, "f = 12.500 kHz", "T = 80.0 \u00b5s"},
                      ReadoutCase{0.4, 2.5, "f = 0.4 Hz", "T = 2.500 s"},
                      ReadoutCase{999.96, 0.99999e-3, "f = 1.000 kHz", "T = 1.000 ms"},
                      ReadoutCase{1.0 / 0.9999996, 0.9999996, "f = 1.0 Hz", "T = 1.000 s"},
                      ReadoutCase{std::nullopt, std::nullopt, "f = \u2013", "T = \u2013"}));

}  // namespace
}  // namespace kalvira::analysis
