// A port that cannot be opened or that fails during a run, and a window closed during a run.
#include <gtest/gtest.h>

#include "run_fixture.h"

namespace kalvira::acquisition::testing {
namespace {

TEST_F(RunTest, APortThatCannotBeOpenedIsReportedByDeviceAndReasonAndNothingIsSent) {
    port.openError = "/dev/ttyS0: No such file or directory";
    run.start();
    EXPECT_EQ(host.messages, std::vector<std::string>{"/dev/ttyS0: No such file or directory"});
    EXPECT_TRUE(port.writes.empty());
    host.closeMessage();
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(host.enableCalls.size(), 6u + 8u);
}

TEST_F(RunTest, APortFailingMidRecordIsReportedOnceAndTheRunEnds) {
    host.MeresVege = -1;
    host.sampleScroll = 3;
    run.start();
    frameSentAndAnswered();
    blockDelivered(1, 1);
    port.breakDown("/dev/pts/7: Input/output error");
    port.breakDown("/dev/pts/7: Input/output error");
    tick(700);
    EXPECT_EQ(host.messages, std::vector<std::string>{"/dev/pts/7: Input/output error"});
    host.closeMessage();
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(host.MeresVege, -1);
    EXPECT_EQ(host.SampleData[1], kUntouched);
    EXPECT_EQ(host.enableCalls.size(), 6u + 8u);
}

TEST_F(RunTest, APortFailingWhileTheFrameLeavesIsReported) {
    run.start();
    port.breakDown("/dev/pts/7: Resource error");
    EXPECT_EQ(host.messages, std::vector<std::string>{"/dev/pts/7: Resource error"});
}

TEST_F(RunTest, APortFailingDuringThePauseIsReportedAndNoFrameFollows) {
    host.trigger = 1;
    host.sampleScroll = 1;
    run.start();
    recordDelivered(1, 1);
    port.breakDown("/dev/pts/7: Resource error");
    ASSERT_EQ(host.messages.size(), 1u);
    host.closeMessage();
    tick(5);
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(port.writes.size(), 2u);
    EXPECT_EQ(host.redraws, 1);
}

TEST_F(RunTest, APortFailureAfterTheRunIsIgnored) {
    host.sampleScroll = 1;
    run.start();
    recordDelivered(1, 1);
    port.breakDown("/dev/pts/7: Resource error");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunTest, ClosingTheWindowMidRunEndsItAtOnceAsStoppedWithThePortClosed) {
    host.MeresVege = -1;
    host.sampleScroll = 2;
    run.start();
    frameSentAndAnswered();
    blockDelivered(1, 1);
    run.abort();
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(host.StopGombLenyomva, -1);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.MeresVege, -1);
    tick(700);
    port.arrive(testBlock(1, 2));
    EXPECT_EQ(port.writes.size(), 2u);
}

TEST_F(RunTest, ClosingTheWindowDuringAnAcknowledgementDoesNotWaitForIt) {
    host.sampleScroll = 1;
    run.start();
    frameSentAndAnswered();
    port.arrive(testBlock(1, 1));
    run.abort();
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(host.redraws, 0);
}

TEST_F(RunTest, ClosingTheWindowOverAMessageEndsTheRunAndALateOkIsHarmless) {
    run.start();
    tick(15);
    ASSERT_TRUE(host.messageOpen());
    run.abort();
    EXPECT_EQ(run.state(), RunState::Idle);
    const std::size_t calls = host.enableCalls.size();
    host.closeMessage();
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(host.enableCalls.size(), calls);
}

TEST_F(RunTest, ANewRunAfterAFailureStartsAfresh) {
    host.sampleScroll = 1;
    run.start();
    tick(15);
    host.closeMessage();
    port.writes.clear();
    run.start();
    recordDelivered(1, 1);
    expectRecord(1, 100);
    EXPECT_EQ(host.messages.size(), 1u);
}

}  // namespace
}  // namespace kalvira::acquisition::testing
