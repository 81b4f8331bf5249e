// The countdowns a run loads into TizedSec, and how long each wait lasts in Timer1 ticks.
#include <gtest/gtest.h>

#include <ostream>

#include "acquisition/run_countdowns.h"
#include "run_fixture.h"

namespace kalvira::acquisition::testing {
namespace {

struct FirstBlockCase {
    int rateCode;
    std::int16_t hundreds;
    std::int16_t tenths;
};

void PrintTo(const FirstBlockCase &c, std::ostream *os) {
    *os << "rate " << c.rateCode << ", " << c.hundreds << " hundreds";
}

class FirstBlockCountdownTest : public ::testing::TestWithParam<FirstBlockCase> {};

TEST_P(FirstBlockCountdownTest, IsTheRecordDurationPlusSixSecondsRoundedHalfToEven) {
    const FirstBlockCase &c = GetParam();
    EXPECT_EQ(firstBlockCountdown(c.rateCode, c.hundreds), c.tenths);
}

// Ties (x.5 tenths) go to the even neighbour: 60.5 gives 60, 61.5 gives 62, 62.5 gives 62.
INSTANTIATE_TEST_SUITE_P(Rates, FirstBlockCountdownTest,
                         ::testing::Values(FirstBlockCase{0, 50, 61}, FirstBlockCase{7, 160, 860},
                                           FirstBlockCase{0, 1, 60}, FirstBlockCase{0, 20, 60},
                                           FirstBlockCase{0, 60, 62}, FirstBlockCase{0, 100, 62},
                                           FirstBlockCase{0, 140, 64}, FirstBlockCase{0, 160, 64},
                                           FirstBlockCase{1, 10, 60}, FirstBlockCase{1, 30, 62},
                                           FirstBlockCase{2, 5, 60}, FirstBlockCase{2, 15, 62},
                                           FirstBlockCase{3, 50, 70}, FirstBlockCase{4, 1, 60},
                                           FirstBlockCase{4, 3, 62}, FirstBlockCase{4, 5, 62},
                                           FirstBlockCase{5, 1, 61}, FirstBlockCase{6, 160, 380},
                                           FirstBlockCase{7, 1, 65}));

TEST(LaterBlockCountdownTest, IsSixtySecondsPlusSix) {
    EXPECT_EQ(laterBlockCountdown(), 660);
}

TEST_F(RunTest, WaitsOfAContinuousAcquisitionLoadTheirCountdownsInOrder) {
    host.trigger = 1;
    host.sampleRate = 7;
    host.sampleScroll = 2;
    run.start();
    recordDelivered(1, 2);
    // frame, start byte, block 1 (2 x 0.5 s + 6 s), ack, block 2, ack, pause
    EXPECT_EQ(host.tizedSecLoads, (std::vector<std::int16_t>{15, 95, 70, 15, 660, 15, 3}));
    EXPECT_TRUE(host.timer1Enabled);
}

TEST_F(RunTest, TheStartByteWaitEndsAtTheTickThatBringsItsCountdownToZero) {
    run.start();
    port.drain();
    tick(94);
    EXPECT_EQ(run.state(), RunState::AwaitingStartByte);
    tick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"KALVIRA nem válaszol!"});
}

TEST_F(RunTest, TheCopiesOfABlockShareOneCountdown) {
    host.sampleScroll = 1;
    run.start();
    frameSentAndAnswered();
    ASSERT_EQ(host.TizedSec, 60);
    tick(30);
    port.arrive(corrupted(testBlock(1, 1)));
    tick(29);
    port.arrive(corrupted(testBlock(1, 1)));
    EXPECT_EQ(host.TizedSec, 1);
    tick();
    EXPECT_EQ(host.messages, std::vector<std::string>{"A kapcsolat megszakadt!"});
}

TEST_F(RunTest, TheCountdownOfBlockOneFollowsTheFrameNotTheBarMovedAfterIt) {
    host.sampleRate = 7;
    host.sampleScroll = 160;
    run.start();
    host.sampleScroll = 64;
    frameSentAndAnswered();
    EXPECT_EQ(host.TizedSec, 860);
}

}  // namespace
}  // namespace kalvira::acquisition::testing
