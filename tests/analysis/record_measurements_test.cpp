#include <gtest/gtest.h>

#include <array>
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

std::vector<std::int16_t> runs(std::initializer_list<std::pair<int, int>> parts) {
    std::vector<std::int16_t> samples;
    for (const auto &[value, n] : parts) samples.insert(samples.end(), n, value);
    return samples;
}

// Duty %, widths, rise and fall in s, whole periods. An edge of one sample takes 0.8 sample
// from 10 % to 90 %; the triangle (1 ms a sample) rises over 200/3 samples, 10-90 % in 160/3. A
// record that begins or ends inside an edge (400, 600) leaves that edge out.
using Figures = std::array<std::optional<double>, 6>;
struct PulseCase {
    const char *name;
    std::vector<std::int16_t> samples;
    double samplePeriodS;
    Figures figures;
};
constexpr double kEdge = 8e-5;
constexpr std::nullopt_t no = std::nullopt;
const Shape duty30 = [](int i) { return i % 100 < 30 ? 712 : 312; };
const PulseCase kPulseCases[] = {
    {"Square100Hz", record(square(312, 712, 50), 1000), 1e-4, {50, 5e-3, 5e-3, kEdge, kEdge, 9}},
    {"Duty30", record(duty30, 1000), 1e-4, {30, 3e-3, 7e-3, kEdge, kEdge, 8}},
    {"Triangle", record(triangle, 780), 1e-3, {50, 0.2 / 3, 0.2 / 3, 0.16 / 3, 0.16 / 3, 5}},
    {"OneEdge", runs({{312, 50}, {712, 50}}), 1e-4, {no, no, no, kEdge}},
    {"EdgeAtFirstSample", runs({{312, 1}, {712, 99}}), 1e-4, {no, no, no, kEdge}},
    {"EdgeAtLastSample", runs({{712, 99}, {312, 1}}), 1e-4, {no, no, no, no, kEdge}},
    {"EdgeCutAtFirstSample", runs({{400, 1}, {712, 50}, {312, 49}}), 1e-4, {no, no, no, no, kEdge}},
    {"EdgeCutAtLastSample", runs({{712, 50}, {312, 49}, {600, 1}}), 1e-4, {no, no, no, no, kEdge}},
    {"Flat", runs({{512, 100}}), 1e-4, {}},
};

class PulseTest : public ::testing::TestWithParam<PulseCase> {};
TEST_P(PulseTest, WidthsOverWholePeriodsAndEdgesThatAreWhole) {
    const PulseCase &c = GetParam();
    const RecordMeasurements m = measureRecord(c.samples, c.samplePeriodS);
    const Figures found{m.dutyCyclePercent, m.positiveWidthS, m.negativeWidthS,
                        m.riseTimeS,        m.fallTimeS,      m.periods};
    for (std::size_t k = 0; k < found.size(); ++k) {
        const double expected = c.figures[k].value_or(0);
        EXPECT_EQ(found[k].has_value(), c.figures[k].has_value()) << k;
        EXPECT_NEAR(found[k].value_or(0), expected, 1e-12 * expected) << k;
    }
}
INSTANTIATE_TEST_SUITE_P(Records, PulseTest, ::testing::ValuesIn(kPulseCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MeasurementsJsonTest, OneLineWithNullWhereNotDefined) {
    EXPECT_EQ(measurementsJson(measureRecord(record(square(312, 712, 50), 300), 25e-6)),
              R"({"min":312,"max":712,"peak_to_peak":400,"mean":512,"rms":549.676,)"
              R"("frequency_hz":400,"period_s":0.0025,"duty_cycle_percent":50,)"
              R"("positive_width_s":0.00125,"negative_width_s":0.00125,"rise_time_s":2e-05,)"
              R"("fall_time_s":2e-05,"periods":2})");
    EXPECT_EQ(measurementsJson(measureRecord(record(square(312, 712, 50, 40), 150), 1e-3)),
              R"({"min":312,"max":712,"peak_to_peak":400,"mean":552,"rms":585.751,)"
              R"("frequency_hz":null,"period_s":null,"duty_cycle_percent":null,)"
              R"("positive_width_s":null,"negative_width_s":null,"rise_time_s":0.0008,)"
              R"("fall_time_s":0.0008,"periods":null})");
}

struct ReadoutCase {
    std::optional<double> frequencyHz, periodS;
    const char *frequencyLine, *periodLine;
};
class ReadoutTest : public ::testing::TestWithParam<ReadoutCase> {};
TEST_P(ReadoutTest, UnitsFollowTheValue) {
    const ReadoutCase &c = GetParam();
    RecordMeasurements m;
    m.minimum = 312, m.maximum = 712, m.peakToPeak = 400, m.mean = 511.96, m.rms = 530.149;
    m.frequencyHz = c.frequencyHz, m.periodS = c.periodS;
    EXPECT_EQ(readoutLines(m),
              (std::vector<std::string>{c.frequencyLine, c.periodLine, "min = 312", "max = 712",
                                        "p-p = 400", "mean = 512.0", "rms = 530.1", "duty = –",
                                        "+width = –", "-width = –", "rise = –", "fall = –",
                                        "periods = –"}));
}
TEST(ReadoutTest, PulseLinesOfA100HzSquareWave) {
    const auto lines = readoutLines(measureRecord(record(square(312, 712, 50), 1000), 1e-4));
    EXPECT_EQ(
        std::vector(lines.end() - 6, lines.end()),
        (std::vector<std::string>{"duty = 50.0 %", "+width = 5.000 ms", "-width = 5.000 ms",
                                  "rise = 80.0 \u00b5s", "fall = 80.0 \u00b5s", "periods = 9"}));
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
