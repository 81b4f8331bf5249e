// STOP: noticed only at the top of an acquisition and in the two reception waits; it ends the
// run silently, with no acknowledgement and MeresVege as it was.
#include <gtest/gtest.h>

#include "run_fixture.h"

namespace kalvira::acquisition::testing {
namespace {

class RunStopTest : public RunTest {
protected:
    void SetUp() override {
        host.MeresVege = -1;
        host.sampleScroll = 3;
    }
    void expectEndedSilently() {
        EXPECT_EQ(run.state(), RunState::Idle);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(host.MeresVege, -1);
        EXPECT_FALSE(port.PortOpen());
        EXPECT_EQ(host.enableCalls.size(), 6u + 8u);
    }
    // Delivers the three blocks of the record and presses STOP while the last 0x55 is leaving.
    void stopDuringTheLastAcknowledgement() {
        run.start();
        frameSentAndAnswered();
        blockDelivered(1, 1);
        blockDelivered(1, 2);
        port.arrive(testBlock(1, 3));
        pressStop();
        port.drain();
    }
};

TEST_F(RunStopTest, WhileTheFrameIsLeavingItIsNoticedAtTheStartByteWait) {
    run.start();
    pressStop();
    tick(5);
    EXPECT_EQ(run.state(), RunState::Sending);
    port.drain();
    expectEndedSilently();
    EXPECT_EQ(port.wire.size(), 11u);
}

TEST_F(RunStopTest, WhileAwaitingTheStartByte) {
    run.start();
    port.drain();
    tick(40);
    pressStop();
    expectEndedSilently();
}

TEST_F(RunStopTest, WhileReceivingBlockOneEndsWithoutAcknowledgement) {
    run.start();
    frameSentAndAnswered();
    port.arrive(Bytes(150, 1));
    pressStop();
    expectEndedSilently();
    EXPECT_EQ(port.wire.size(), 11u);
    EXPECT_TRUE(host.commitLengths.empty());
    EXPECT_EQ(host.SampleData[1], kUntouched);
}

TEST_F(RunStopTest, WhileAwaitingALaterBlockAbandonsTheRecord) {
    run.start();
    frameSentAndAnswered();
    blockDelivered(1, 1);
    blockDelivered(1, 2);
    pressStop();
    expectEndedSilently();
    EXPECT_EQ(host.redraws, 0);
    EXPECT_EQ(host.SampleData[1], kUntouched);
}

TEST_F(RunStopTest, DuringAnAcknowledgementTheAckIsCompletedThenTheBlockWaitEndsTheRun) {
    run.start();
    frameSentAndAnswered();
    port.arrive(testBlock(1, 1));
    ASSERT_EQ(run.state(), RunState::Acknowledging);
    pressStop();
    EXPECT_EQ(run.state(), RunState::Acknowledging);
    port.drain();
    expectEndedSilently();
    EXPECT_EQ(port.wire.back(), 0x55);
}

TEST_F(RunStopTest, DuringTheLastAcknowledgementOfASingleRunTheRecordIsStillCommitted) {
    stopDuringTheLastAcknowledgement();
    EXPECT_EQ(host.redraws, 1);
    expectRecord(1, 300);
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunStopTest, DuringTheLastAcknowledgementOfAContinuousRunItEndsAfterThePause) {
    host.trigger = 1;
    stopDuringTheLastAcknowledgement();
    expectRecord(1, 300);
    EXPECT_EQ(run.state(), RunState::Pausing);
    tick(3);
    expectEndedSilently();
    EXPECT_EQ(port.writes.size(), 4u);  // no second frame
}

TEST_F(RunStopTest, DuringThePauseThePauseRunsOutAndNoFrameFollows) {
    host.trigger = 3;
    run.start();
    recordDelivered(1, 3);
    ASSERT_EQ(run.state(), RunState::Pausing);
    pressStop();
    EXPECT_EQ(run.state(), RunState::Pausing);
    tick(2);
    EXPECT_EQ(run.state(), RunState::Pausing);
    tick();
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(port.writes.size(), 4u);
    EXPECT_EQ(host.redraws, 1);
}

}  // namespace
}  // namespace kalvira::acquisition::testing
