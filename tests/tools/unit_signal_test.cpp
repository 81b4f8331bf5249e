#include <gtest/gtest.h>

#include "unit/signal.h"

namespace kalvira::unit {
namespace {

// A triangle of 100 Hz at 40 kSPS, 400 samples a cycle, swinging 300 around 512: it rises 3 a
// sample from 512 to 812 at sample 100, falls to 212 at sample 300 and rises again. Level, edge,
// the sample where it first crosses level * 4 on that edge, and its value.
using Crossing = std::tuple<int, bool, std::int64_t, int>;
class UnitTrigger : public ::testing::TestWithParam<Crossing> {};

TEST_P(UnitTrigger, RecordStartsAtTheFirstSamplePastTheCrossingOnTheChosenEdge) {
    const auto [level, falling, index, value] = GetParam();
    const SignalOptions triangle{Waveform::Triangle, 300, 512, 100, 0, 1};
    const auto record = generateRecord(
        triangle, {2, 0, static_cast<std::uint8_t>(level), 100, falling}, /*acquisition=*/1);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->samplesBeforeTrigger, index);
    EXPECT_EQ(record->samples[0], value);
    EXPECT_EQ(record->samples[1], value + (index < 100 || index >= 300 ? 3 : -3));
}
INSTANTIATE_TEST_SUITE_P(
    Edges, UnitTrigger,
    ::testing::Values(Crossing{150, false, 30, 602}, Crossing{200, false, 96, 800},
                      Crossing{100, false, 363, 401}, Crossing{150, true, 171, 599},
                      Crossing{200, true, 104, 800}, Crossing{100, true, 238, 398}));

}  // namespace
}  // namespace kalvira::unit
