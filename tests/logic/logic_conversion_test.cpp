#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "logic/logic_conversion.h"

namespace kalvira::logic {
namespace {

using Samples = std::vector<std::int16_t>;
using Levels = std::vector<std::uint8_t>;

// Record 100..900: mid level 500, span 800, hysteresis 80 (rise above 540, fall below 460).
const Samples kRecord{100, 900, 530, 470, 459, 539, 541, 100};

struct ResolveCase {
    ThresholdChoice choice;
    std::optional<analysis::Calibration> calibration;
    std::variant<LogicThreshold, ThresholdProblem> expected;
};

TEST(ResolveThresholdTest, DefaultsComeFromTheRecordAndChoicesInVoltsGoToCounts) {
    const analysis::Calibration rising{1 / 128., 512, 10};   // 10/128 V a count at the tip
    const analysis::Calibration falling{-1 / 128., 512, 1};  // inverting input
    const double kNan = std::numeric_limits<double>::quiet_NaN();
    const ResolveCase table[] = {
        {{}, {}, LogicThreshold{500, 80, false}},
        {{{}, {}, false, true}, {}, LogicThreshold{500, 80, true}},
        {{300, {}, false, false}, {}, LogicThreshold{300, 80, false}},
        {{{}, 0, false, false}, {}, LogicThreshold{500, 0, false}},
        {{300, 12, false, false}, {}, LogicThreshold{300, 12, false}},
        {{5, 2.5, true, false}, rising, LogicThreshold{576, 32, false}},
        {{{}, {}, true, false}, rising, LogicThreshold{500, 80, false}},
        {{-1, 0.5, true, false}, falling, LogicThreshold{640, 64, true}},
        {{-1, 0.5, true, true}, falling, LogicThreshold{640, 64, false}},
        {{5, {}, true, false}, {}, ThresholdProblem::VoltsWithoutCalibration},
        {{kNan, {}, false, false}, {}, ThresholdProblem::NotFinite},
        {{{}, std::numeric_limits<double>::infinity(), false, false},
         {},
         ThresholdProblem::NotFinite},
        {{{}, -1, false, false}, {}, ThresholdProblem::NegativeHysteresis},
    };
    for (const auto &row : table) {
        EXPECT_EQ(resolveThreshold(kRecord, row.choice, row.calibration), row.expected)
            << &row - table;
    }
}

TEST(ResolveThresholdTest, AnEmptyOrFlatRecordHasNoBand) {
    EXPECT_EQ(resolveThreshold({}, {}, {}),
              (std::variant<LogicThreshold, ThresholdProblem>(LogicThreshold{0, 0, false})));
    const Samples flat(5, 700);
    EXPECT_EQ(resolveThreshold(flat, {}, {}),
              (std::variant<LogicThreshold, ThresholdProblem>(LogicThreshold{700, 0, false})));
    EXPECT_EQ(toLogic(flat, {700, 0, false}), Levels(5, 1));
}

struct LogicCase {
    Samples samples;
    LogicThreshold threshold;
    Levels expected;
};

TEST(ToLogicTest, TheLevelChangesOnlyBeyondTheBand) {
    const LogicCase table[] = {
        // The band 460..540 holds the level: 530 and 470 change nothing, 459 falls, 541 rises.
        {kRecord, {500, 80, false}, {0, 1, 1, 1, 0, 0, 1, 0}},
        {kRecord, {500, 80, true}, {1, 0, 0, 0, 1, 1, 0, 1}},
        // Without a band every crossing counts; on the level itself the level holds.
        {{499, 501, 500, 499, 500, 501}, {500, 0, false}, {0, 1, 1, 0, 0, 1}},
        // The first sample: high from the level up, even inside the band.
        {{500, 470, 459}, {500, 80, false}, {1, 1, 0}},
        {{499, 530, 541}, {500, 80, false}, {0, 0, 1}},
        // Exactly on an edge of the band is inside it.
        {{100, 540, 541, 460, 459}, {500, 80, false}, {0, 0, 1, 1, 0}},
        {{-32768, 32767, 0}, {0.5, 1, false}, {0, 1, 1}},
        {{}, {500, 80, false}, {}},
    };
    for (const auto &row : table)
        EXPECT_EQ(toLogic(row.samples, row.threshold), row.expected) << &row - table;
}

}  // namespace
}  // namespace kalvira::logic
