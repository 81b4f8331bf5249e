#include "analysis/figure_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/record_figures.h"

namespace kalvira::analysis {
namespace {

struct StatisticsCase {
    std::vector<double> values;
    double minimum, maximum, mean;
    std::optional<double> deviation;  // the sample standard deviation, from the maths
};

class RunningStatisticsTest : public ::testing::TestWithParam<StatisticsCase> {};

// Welford's update holds the mean and the spread to 1e-9 relative, where a sum of squares of
// values near 1e9 loses every digit of a spread of a few units.
TEST_P(RunningStatisticsTest, EqualsTheExactFiguresOfTheValues) {
    const StatisticsCase &c = GetParam();
    RunningStatistics statistics;
    for (const double value : c.values) statistics.add(value);
    EXPECT_EQ(statistics.count(), static_cast<std::int64_t>(c.values.size()));
    EXPECT_EQ(statistics.minimum(), c.minimum);
    EXPECT_EQ(statistics.maximum(), c.maximum);
    EXPECT_EQ(statistics.last(), c.values.back());
    EXPECT_NEAR(statistics.mean(), c.mean, std::fabs(c.mean) * 1e-15);
    ASSERT_EQ(statistics.standardDeviation().has_value(), c.deviation.has_value());
    if (c.deviation) {
        EXPECT_NEAR(*statistics.standardDeviation(), *c.deviation, *c.deviation * 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, RunningStatisticsTest,
    ::testing::Values(
        // Deviations 6, 3, 3, 6 about 1e9 + 10: (36 + 9 + 9 + 36) / 3 = 30.
        StatisticsCase{
            {1e9 + 4, 1e9 + 7, 1e9 + 13, 1e9 + 16}, 1e9 + 4, 1e9 + 16, 1e9 + 10, std::sqrt(30.0)},
        // 200.001 Hz ± 0.001 Hz: a variance of 0.000002 / 2 = 1e-6.
        StatisticsCase{{200.000, 200.001, 200.002}, 200.000, 200.002, 200.001, 0.001},
        StatisticsCase{{-3, 5}, -3, 5, 1, std::sqrt(32.0)},
        StatisticsCase{{512, 512, 512}, 512, 512, 512, 0.0},
        StatisticsCase{{7.5}, 7.5, 7.5, 7.5, std::nullopt}));

TEST(FigureStatisticsTest, AFigureNotDefinedForARecordIsLeftOutOfItsCountOnly) {
    FigureStatistics statistics;
    FigureValues first, second;
    first[indexOf(Figure::Frequency)] = 199.0;
    first[indexOf(Figure::Mean)] = 512.0;
    second[indexOf(Figure::Mean)] = 514.0;
    statistics.add(first);
    statistics.add(second);
    EXPECT_EQ(statistics.records, 2);
    EXPECT_EQ(statistics.of(Figure::Frequency).count(), 1);
    EXPECT_EQ(statistics.of(Figure::Mean).count(), 2);
    EXPECT_EQ(statistics.of(Figure::Mean).mean(), 513.0);
    EXPECT_EQ(statistics.of(Figure::Period).count(), 0);
}

// The figures of measureRecord always, in kFigures' order; the volts and Δref once defined.
TEST(FigureStatisticsTest, JsonHoldsEveryFigureOfTheRecordsWithNullWhereNoneWasCounted) {
    FigureStatistics statistics;
    FigureValues values;
    values[indexOf(Figure::Frequency)] = 199.0;
    statistics.add(values);
    values[indexOf(Figure::Frequency)] = 201.0;
    values[indexOf(Figure::DeltaRef)] = 0.125;
    statistics.add(values);
    const std::string json = statisticsJson(statistics);
    EXPECT_TRUE(json.starts_with(
        R"({"frequency_hz":{"min":199,"max":201,"mean":200,"std":1.414213562,"count":2},)"
        R"("period_s":{"min":null,)"))
        << json;
    EXPECT_NE(json.find(R"("periods":{"min":null,"max":null,"mean":null,"std":null,"count":0})"),
              std::string::npos);
    EXPECT_EQ(json.find("min_v"), std::string::npos);
    EXPECT_NE(
        json.find(R"("delta_ref":{"min":0.125,"max":0.125,"mean":0.125,"std":null,"count":1}})"),
        std::string::npos)
        << json;
}

struct TextCase {
    Figure figure;
    double value;
    const char *text;
};

class FigureTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(FigureTextTest, HasFourSignificantDigitsAndItsUnit) {
    EXPECT_EQ(figureText(GetParam().figure, GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, FigureTextTest,
                         ::testing::Values(TextCase{Figure::Frequency, 200.0, "200.0 Hz"},
                                           TextCase{Figure::Frequency, 12500.0, "12.50 kHz"},
                                           TextCase{Figure::Period, 0.005, "5.000 ms"},
                                           TextCase{Figure::RiseTime, 80e-6, "80.00 µs"},
                                           TextCase{Figure::Mean, 512.34, "512.3"},
                                           TextCase{Figure::Mean, 32767.0, "32767"},
                                           TextCase{Figure::Rms, 3.16227e-5, "3.162e-05"},
                                           TextCase{Figure::DutyCycle, 50.0, "50.00 %"},
                                           TextCase{Figure::Periods, 9.0, "9"},
                                           TextCase{Figure::Periods, 9.5, "9.500"},
                                           TextCase{Figure::MinimumVolts, -2.5, "-2.500 V"},
                                           TextCase{Figure::DeltaRef, 0.0, "0"}));

TEST(FigureValuesTest, TakeEachMeasurementAndTheDifferenceFromTheReference) {
    RecordMeasurements measured;
    measured.minimum = 212, measured.mean = 512.5, measured.frequencyHz = 200.0,
    measured.periods = 9;
    FigureValues values = figureValues(measured);
    EXPECT_EQ(values[indexOf(Figure::Minimum)], 212.0);
    EXPECT_EQ(values[indexOf(Figure::Mean)], 512.5);
    EXPECT_EQ(values[indexOf(Figure::Frequency)], 200.0);
    EXPECT_EQ(values[indexOf(Figure::Periods)], 9.0);
    EXPECT_EQ(values[indexOf(Figure::Period)], std::nullopt);
    EXPECT_EQ(values[indexOf(Figure::MinimumVolts)], std::nullopt);  // no calibration
    measured.volts = VoltLevels{-1.5, 212, 1.5, 812, 3.0, 0.25, 1.0};
    values = figureValues(measured, ReferenceDifference{3.0, 0.15});
    EXPECT_EQ(values[indexOf(Figure::MinimumVolts)], -1.5);
    EXPECT_EQ(values[indexOf(Figure::MeanVolts)], 0.25);
    EXPECT_EQ(values[indexOf(Figure::DeltaRef)], 3.0);
    EXPECT_EQ(values[indexOf(Figure::DeltaRefVolts)], 0.15);
}

}  // namespace
}  // namespace kalvira::analysis
