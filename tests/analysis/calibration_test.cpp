#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analysis/calibration.h"
#include "analysis/record_measurements.h"

namespace kalvira::analysis {
namespace {

using Problem = CalibrationProblem;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Slopes and zeros exact in binary: 8 V over 1024 counts is 1/128 V a count.
TEST(CalibrationTest, IsMadeOrRefusedForItsReason) {
    const std::pair<CalibrationResult, CalibrationResult> table[] = {
        {calibrationFromPoints(0, -4, 1024, 4, 10), Calibration{1 / 128., 512, 10}},
        {calibrationFromPoints(1024, 4, 0, -4, 1), Calibration{1 / 128., 512, 1}},
        {calibrationFromPoints(256, 2, 512, 0, 1), Calibration{-1 / 128., 512, 1}},
        {calibrationFromPoints(128, 1, 256, 2, 100), Calibration{1 / 128., 0, 100}},
        {calibrationFromPoints(128, 1.5, 256, 2.5, 1), Problem::ZeroOutOfRange},
        {calibrationFromPoints(300, 1, 300, 2, 1), Problem::EqualCounts},
        {calibrationFromPoints(300, 1, 400, 1, 1), Problem::NoSlope},
        {makeCalibration(0.005, 32767, 1), Calibration{0.005, 32767, 1}},
        {makeCalibration(0.005, 32767.5, 1), Problem::ZeroOutOfRange},
        {makeCalibration(0, 512, 1), Problem::NoSlope},
        {makeCalibration(kInf, 512, 1), Problem::NoSlope},
        {makeCalibration(1e305, 512, 1), Problem::NoSlope},
        {makeCalibration(0.005, 512, 5), Problem::NoProbeFactor}};
    for (const auto &[made, expected] : table) EXPECT_EQ(made, expected) << &made - &table[0].first;
}

TEST(FormatVoltsTest, FourSignificantDigitsInVoltsOrMillivolts) {
    const std::pair<double, const char *> table[] = {
        {2.5, "2.500 V"},      {-1.2, "-1.200 V"}, {0.3125, "312.5 mV"},
        {12.3456, "12.35 V"},  {0.0, "0.000 V"},   {0.99996, "1.000 V"},
        {999.96, "1000 V"},    {12346, "12350 V"}, {0.000123456, "0.1235 mV"},
        {-0.005, "-5.000 mV"}, {kInf, "–"}};
    for (const auto &[volts, text] : table) EXPECT_EQ(formatVolts(volts), text) << volts;
    EXPECT_EQ(levelText(Calibration{2.5 / 512, 0, 1}, 512), "2.500 V (512)");
}

// 312 and 712 in turn, 100 samples each. About 412 the samples are -100 and +300 counts, rms
// sqrt(50000) = 223.607; about 511.5 they are 199.5 and 200.5, rms sqrt(40000.25).
TEST(InVoltsTest, LevelsReadAboutZeroVoltsWithTheirCounts) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < 300; ++i) samples.push_back(i % 100 < 50 ? 312 : 712);
    const std::tuple<Calibration, std::vector<std::string>, const char *> table[] = {
        {{0.01, 412, 1},
         {"min = -1.000 V (312)", "max = 3.000 V (712)", "p-p = 4.000 V (400)",
          "mean = 1.000 V (512.0)", "rms = 2.236 V (549.7)"},
         R"(,"min_v":-1,"max_v":3,"peak_to_peak_v":4,"mean_v":1,"rms_v":2.23607})"},
        {{-0.001, 511.5, 10},  // inverting: the lowest volts at the highest count
         {"min = -2.005 V (712)", "max = 1.995 V (312)", "p-p = 4.000 V (400)",
          "mean = -5.000 mV (512.0)", "rms = 2.000 V (549.7)"},
         R"(,"min_v":-2.005,"max_v":1.995,"peak_to_peak_v":4,"mean_v":-0.005,"rms_v":2.00001})"}};
    for (const auto &[calibration, lines, json] : table) {
        const RecordMeasurements m = measureRecord(samples, 1e-3, calibration);
        const auto shown = readoutLines(m);
        EXPECT_EQ(std::vector(shown.begin() + 2, shown.begin() + 7), lines);
        const std::string all = measurementsJson(m);
        EXPECT_EQ(all.substr(all.find(",\"min_v\"")), json);
    }
}

}  // namespace
}  // namespace kalvira::analysis
