#include <gtest/gtest.h>

#include "unit/signal.h"

namespace kalvira::unit {
namespace {

// A triangle of 100 Hz at 40 kSPS rises 3 a sample from 512 to 812 at sample 100, falls to 212 at
// 300, rises again. Level, edge, the first sample past level * 4 on that edge, and its value.
using Crossing = std::tuple<int, bool, std::int64_t, int>;
class UnitTrigger : public ::testing::TestWithParam<Crossing> {};

TEST_P(UnitTrigger, RecordStartsAtTheFirstSamplePastTheCrossingOnTheChosenEdge) {
    const auto [level, falling, index, value] = GetParam();
    const auto record = generateRecord({Waveform::Triangle, 300, 512, 100, 0, 1},
                                       {2, 0, static_cast<std::uint8_t>(level), 100, falling}, 1);
    EXPECT_EQ(std::pair(record.value().samplesBeforeTrigger, int{record.value().samples[0]}),
              std::pair(index, value));
}
INSTANTIATE_TEST_SUITE_P(Edges, UnitTrigger,
                         ::testing::Values(Crossing{200, false, 96, 800},
                                           Crossing{100, false, 363, 401},
                                           Crossing{200, true, 104, 800},
                                           Crossing{100, true, 238, 398}));

// Samples 50..54 of a record of 100 from the triangle of 100 Hz at 40 kSPS (400 samples a
// cycle). Record 1 starts at 512 rising 3 a sample: 659, 662 .. 671. Record 2 starts 0.381966
// cycle on, falling: sample i at 512 + 300 (2 - 4 (0.381966 + i / 400)), 507, 504, 501, 498, 495.
// The spike throws samples 51..53 to 0 from 512 and above, to 1023 below.
using Glitch = std::tuple<int, int, std::vector<int>>;  // every K-th, acquisition, samples
class UnitGlitch : public ::testing::TestWithParam<Glitch> {};

TEST_P(UnitGlitch, EveryKthRecordHasThreeSamplesMidRecordAtTheFarEndOfTheRange) {
    const auto &[every, acquisition, middle] = GetParam();
    const auto record = generateRecord({Waveform::Triangle, 300, 512, 100, 0, 1, every},
                                       {0, 0, 100, 100, false}, acquisition);
    EXPECT_EQ(std::vector<int>(record->samples.begin() + 49, record->samples.begin() + 54), middle);
}
INSTANTIATE_TEST_SUITE_P(Table, UnitGlitch,
                         ::testing::Values(Glitch{1, 1, {659, 0, 0, 0, 671}},
                                           Glitch{2, 1, {659, 662, 665, 668, 671}},
                                           Glitch{2, 2, {507, 1023, 1023, 1023, 495}},
                                           Glitch{0, 2, {507, 504, 501, 498, 495}}));

}  // namespace
}  // namespace kalvira::unit
