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

}  // namespace
}  // namespace kalvira::unit
