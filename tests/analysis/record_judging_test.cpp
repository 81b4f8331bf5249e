#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/figure_limits.h"
#include "analysis/record_mask.h"
#include "analysis/record_verdict.h"
#include "analysis/reference_difference.h"

namespace kalvira::analysis {
namespace {

using Samples = std::vector<std::int16_t>;

struct BandCase {
    double level;
    std::int32_t time;
    std::vector<double> lower, upper;
};

class MaskBandTest : public ::testing::TestWithParam<BandCase> {};

// The reference 0, 10, 20, 30, 40, 30: each sample's band spans its neighbours within ±time.
TEST_P(MaskBandTest, SpansTheReferenceWithinTheTimeWidenedByTheLevel) {
    const MaskBand band =
        maskBand(Samples{0, 10, 20, 30, 40, 30}, GetParam().level, GetParam().time);
    EXPECT_EQ(band.lower, GetParam().lower);
    EXPECT_EQ(band.upper, GetParam().upper);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MaskBandTest,
    ::testing::Values(
        BandCase{0, 0, {0, 10, 20, 30, 40, 30}, {0, 10, 20, 30, 40, 30}},
        BandCase{1.5, 0, {-1.5, 8.5, 18.5, 28.5, 38.5, 28.5}, {1.5, 11.5, 21.5, 31.5, 41.5, 31.5}},
        BandCase{1, 1, {-1, -1, 9, 19, 29, 29}, {11, 21, 31, 41, 41, 41}},
        BandCase{0, 2, {0, 0, 0, 10, 20, 30}, {20, 30, 40, 40, 40, 40}},
        BandCase{0, 1000, {0, 0, 0, 0, 0, 0}, {40, 40, 40, 40, 40, 40}}));

TEST(MaskFailuresTest, AreTheSamplesOutsideTheBandEitherSideOverTheSamplesBothHave) {
    const MaskBand band = maskBand(Samples{0, 10, 20, 30}, 1, 1);  // -1..11, -1..21, 9..31, 19..31
    EXPECT_EQ(maskFailures(band, Samples{-1, 21, 9, 31}), std::vector<std::int32_t>{});
    EXPECT_EQ(maskFailures(band, Samples{-2, 22, 8, 32}), (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(maskFailures(band, Samples{12, 0}), std::vector<std::int32_t>{0});  // shorter
    EXPECT_EQ(maskFailures(band, Samples{0, 0, 20, 30, 999}), std::vector<std::int32_t>{});
}

// 0.01 V a count through a probe of 10: 0.1 V a count.
TEST(MaskLevelTest, ReadsCountsOrVoltsAndTurnsVoltsIntoCountsByTheCalibration) {
    const Calibration calibration{0.01, 512, 10};
    EXPECT_EQ(levelInCounts({8, false, 0}, std::nullopt), 8.0);
    EXPECT_EQ(levelInCounts({0.5, true, 0}, calibration), 5.0);
    EXPECT_EQ(levelInCounts({0.5, true, 0}, std::nullopt), std::nullopt);
    EXPECT_EQ(levelInCounts({0.5, true, 0}, Calibration{-0.01, 512, 10}), 5.0);  // inverting
    const auto level = [](const char *text) { return parseMaskLevel(text); };
    EXPECT_EQ(level("8"), (MaskTolerance{8, false, 0}));
    EXPECT_EQ(level("2.5"), (MaskTolerance{2.5, false, 0}));
    EXPECT_EQ(level("0.05V"), (MaskTolerance{0.05, true, 0}));
    EXPECT_EQ(level("50mV"), (MaskTolerance{0.05, true, 0}));
    for (const char *bad : {"", "-1", "x", "V", "mV", "1e400", "5 V", "nan"})
        EXPECT_EQ(level(bad), std::nullopt) << bad;
}

// Differences 3, 4 over the two samples both have: √((9 + 16) / 2).
TEST(ReferenceDifferenceTest, IsTheRmsOfTheDifferenceOverTheSamplesBothHave) {
    EXPECT_EQ(referenceDifference(Samples{1, 2, 3}, Samples{1, 2, 3}),
              (ReferenceDifference{0, {}}));
    EXPECT_EQ(referenceDifference(Samples{0, 0, 7}, Samples{3, 4})->counts, std::sqrt(12.5));
    EXPECT_EQ(referenceDifference(Samples{32767}, Samples{0})->counts, 32767.0);
    EXPECT_EQ(referenceDifference(Samples{}, Samples{1}), std::nullopt);
    const auto volts = referenceDifference(Samples{10}, Samples{0}, Calibration{-0.01, 512, 10});
    EXPECT_DOUBLE_EQ(volts->volts.value(), 1.0);
}

struct LimitCase {
    const char *text;
    LimitResult result;
};

class ParseLimitTest : public ::testing::TestWithParam<LimitCase> {};

TEST_P(ParseLimitTest, ReadsAFiguresKeyAndTwoNumbers) {
    EXPECT_EQ(parseLimit(GetParam().text), GetParam().result) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseLimitTest,
    ::testing::Values(
        LimitCase{"frequency_hz=195..205", FigureLimit{Figure::Frequency, 195, 205}},
        LimitCase{"duty_cycle_percent=45..55", FigureLimit{Figure::DutyCycle, 45, 55}},
        LimitCase{"min=-5..1e3", FigureLimit{Figure::Minimum, -5, 1000}},
        LimitCase{"rise_time_s=1.5e-5..2.5e-5", FigureLimit{Figure::RiseTime, 1.5e-5, 2.5e-5}},
        LimitCase{"mean=512..512", FigureLimit{Figure::Mean, 512, 512}},
        LimitCase{"frequency=195..205", LimitProblem::UnknownFigure},
        LimitCase{"frequency_hz=205..195", LimitProblem::LowAboveHigh},
        LimitCase{"frequency_hz=a..205", LimitProblem::NotNumbers},
        LimitCase{"frequency_hz=195..", LimitProblem::NotNumbers},
        LimitCase{"frequency_hz=1..inf", LimitProblem::NotNumbers},
        LimitCase{"frequency_hz=1..2..3", LimitProblem::NotNumbers},
        LimitCase{"frequency_hz=195", LimitProblem::NoRange},
        LimitCase{"195..205", LimitProblem::NoRange}));

TEST(VerdictTest, FailsAFigureOutsideItsLimitsOrUndefinedAndSamplesOutsideTheMask) {
    const std::vector<FigureLimit> limits{{Figure::Frequency, 195, 205}, {Figure::Mean, 500, 520}};
    FigureValues values;
    values[indexOf(Figure::Mean)] = 520;  // both ends belong to the range
    values[indexOf(Figure::Frequency)] = 195;
    EXPECT_TRUE(judgeRecord(limits, values, std::nullopt, {}).passed());
    values[indexOf(Figure::Mean)] = 520.001;
    EXPECT_EQ(judgeRecord(limits, values, std::nullopt, {}).figuresOutside,
              std::vector<Figure>{Figure::Mean});
    values[indexOf(Figure::Frequency)].reset();  // no frequency cannot be within 195..205
    EXPECT_EQ(judgeRecord(limits, values, std::nullopt, {}).figuresOutside,
              (std::vector<Figure>{Figure::Frequency, Figure::Mean}));

    const MaskBand band = maskBand(Samples{100, 100, 100}, 2, 0);
    const Verdict masked = judgeRecord({}, values, &band, Samples{100, 103, 97});
    EXPECT_TRUE(masked.tested);
    EXPECT_EQ(masked.samplesOutside, (std::vector<std::int32_t>{1, 2}));
    // A mask that cannot be applied tests nothing: the record neither passes nor fails by it.
    const Verdict untested = judgeRecord({}, values, MaskProblem::OtherRate, Samples{100});
    EXPECT_EQ(std::tuple(untested.tested, untested.passed(), untested.maskProblem),
              std::tuple(false, true, std::optional(MaskProblem::OtherRate)));
    EXPECT_TRUE(judgeRecord(limits, values, MaskProblem::NoReference, {}).tested);
}

}  // namespace
}  // namespace kalvira::analysis
