// A run's exchange with the unit when all goes well: frames, acknowledgements, the record
// committed, single and continuous operation.
#include <gtest/gtest.h>

#include "run_fixture.h"

namespace kalvira::acquisition::testing {
namespace {

Bytes frameWithAcks(Bytes frame, int acks) {
    frame.insert(frame.end(), static_cast<std::size_t>(acks), 0x55);
    return frame;
}

TEST_F(RunTest, InitialSettingsSendTheirFrameAndOneRecordOf5000Samples) {
    run.start();
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(port.writes[0],
              (Bytes{0x00, 0x64, 0x88, 0x13, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
    recordDelivered(1, 50);
    expectRecord(1, 5000);
    EXPECT_EQ(host.SampleData[5001], kUntouched);
    EXPECT_EQ(run.state(), RunState::Idle);
}

TEST_F(RunTest, SingleRecordOfOneBlockSendsOneFrameAndOneAcknowledgement) {
    host.sampleScroll = 1;
    run.start();
    recordDelivered(1, 1);

    EXPECT_EQ(port.wire,
              frameWithAcks({0x00, 0x64, 0x64, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC9}, 1));
    expectRecord(1, 100);
    EXPECT_EQ(host.SampleData[101], kUntouched);
    EXPECT_EQ(host.commitLengths, std::vector<std::size_t>{100});
    EXPECT_EQ(host.redraws, 1);
    EXPECT_EQ(host.meresVegeAtRedraw, std::vector<std::int16_t>{-1});
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunTest, SingleRecordOf16000SamplesTakes160BlocksAnd160Acknowledgements) {
    host.sampleScroll = 160;
    host.trigger = 2;
    host.trigEdge = 1;
    run.start();
    recordDelivered(2, 160);

    const Bytes frame{0x20, 0x64, 0x80, 0x3E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x42};
    EXPECT_EQ(port.wire, frameWithAcks(frame, 160));
    expectRecord(2, 16000);
    EXPECT_EQ(host.SampleData[16001], kUntouched);
    EXPECT_EQ(host.SampleData[16002], kUntouched);
    EXPECT_EQ(host.redraws, 1);
    EXPECT_EQ(run.state(), RunState::Idle);
}

TEST_F(RunTest, EachAcknowledgementIsOneWriteOfTheSingleByte0x55) {
    host.sampleScroll = 3;
    run.start();
    recordDelivered(1, 3);
    ASSERT_EQ(port.writes.size(), 4u);
    for (std::size_t i = 1; i < 4; ++i) EXPECT_EQ(port.writes[i], Bytes{0x55});
}

struct FrameCase {
    int trigger, sampleRate, trigEdge, com1;
    std::int16_t trigLevel, sampleScroll;
    Bytes frame;
    std::int16_t portNumber;
};

class RunFrameTest : public RunTest, public ::testing::WithParamInterface<FrameCase> {};

TEST_P(RunFrameTest, FrameIsBuiltFromTheSettingsAtStart) {
    const FrameCase &c = GetParam();
    host.trigger = c.trigger;
    host.sampleRate = c.sampleRate;
    host.trigEdge = c.trigEdge;
    host.com1 = c.com1;
    host.trigLevel = c.trigLevel;
    host.sampleScroll = c.sampleScroll;
    run.start();
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(port.writes[0], c.frame);
    EXPECT_EQ(port.portNumber(), c.portNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RunFrameTest,
    ::testing::Values(
        FrameCase{3, 4, 1, 0, 100, 50, {0x34, 0x64, 0x88, 0x13, 0, 0, 0, 0, 0, 0, 0x33}, 1},
        FrameCase{1, 7, 0, 1, 254, 160, {0x17, 0xFE, 0x80, 0x3E, 1, 0, 0, 0, 0, 0, 0xD4}, 2},
        FrameCase{2, 0, 1, 1, 1, 1, {0x20, 0x01, 0x64, 0x00, 0, 0, 0, 0, 0, 0, 0x85}, 2},
        FrameCase{0, 3, 0, 0, 128, 128, {0x03, 0x80, 0x00, 0x32, 1, 0, 0, 0, 0, 0, 0xB6}, 1}));

TEST_F(RunTest, ClosedPortIsNumberedConfiguredEmptiedThenOpenedBeforeTheFrame) {
    host.com1 = 1;
    host.sampleScroll = 1;
    run.start();
    EXPECT_EQ(port.calls,
              (std::vector<std::string>{"CommPort 2", "Settings 115200,n,8,1", "RThreshold 0",
                                        "InputLen 100", "OutBufferCount 0", "InBufferCount 0",
                                        "PortOpen true", "Output 11"}));
    recordDelivered(1, 1);
    EXPECT_EQ(port.calls.back(), "PortOpen false");
}

TEST_F(RunTest, ContinuousRunSendsTheNextFrameAfterAPauseOfThreeTicksOnTheOpenPort) {
    host.trigger = 1;
    host.sampleScroll = 2;
    run.start();
    recordDelivered(1, 2);
    expectRecord(1, 200);
    EXPECT_EQ(run.state(), RunState::Pausing);
    EXPECT_EQ(host.TizedSec, 3);
    EXPECT_TRUE(port.PortOpen());

    const std::size_t callsBefore = port.calls.size();
    tick(2);
    EXPECT_EQ(port.writes.size(), 3u);  // frame and two acknowledgements so far
    tick();
    ASSERT_EQ(port.writes.size(), 4u);
    EXPECT_EQ(port.writes[3], port.writes[0]);
    // The open port keeps its number and is configured and emptied again, not reopened.
    EXPECT_EQ(std::vector<std::string>(port.calls.begin() + callsBefore, port.calls.end()),
              (std::vector<std::string>{"Settings 115200,n,8,1", "RThreshold 0", "InputLen 100",
                                        "OutBufferCount 0", "InBufferCount 0", "Output 11"}));
    EXPECT_EQ(port.opens, 1);

    recordDelivered(2, 2);
    expectRecord(2, 200);
    EXPECT_EQ(host.redraws, 2);
    EXPECT_EQ(run.state(), RunState::Pausing);
}

TEST_F(RunTest, TriggerLevelAndEdgeChangedMidRunAreCarriedByTheNextFrame) {
    host.trigger = 3;
    host.sampleScroll = 1;
    run.start();
    host.trigLevel = 200;
    host.trigEdge = 1;
    recordDelivered(1, 1);
    tick(3);
    ASSERT_EQ(port.writes.size(), 3u);
    EXPECT_EQ(port.writes[0], (Bytes{0x30, 0x64, 0x64, 0x00, 0x01, 0, 0, 0, 0, 0, 0xF9}));
    EXPECT_EQ(port.writes[2], (Bytes{0x30, 0xC8, 0x64, 0x00, 0x00, 0, 0, 0, 0, 0, 0x5C}));
}

// The redraw's record length limit can lower SampleScroll while a record is on its way. The
// acquisition still takes every block its frame asked for; the next frame asks for fewer.
TEST_F(RunTest, RecordLengthLoweredMidRunTakesEffectWithTheNextFrame) {
    host.trigger = 1;
    host.sampleRate = 7;
    host.sampleScroll = 160;
    run.start();
    frameSentAndAnswered();
    EXPECT_EQ(host.TizedSec, 860);  // the countdown of the 16000 samples asked for
    for (int b = 1; b <= 160; ++b) {
        if (b == 10) host.sampleScroll = 64;
        blockDelivered(3, b);
    }
    EXPECT_EQ(host.commitLengths, std::vector<std::size_t>{16000});
    expectRecord(3, 16000);
    EXPECT_EQ(std::count(port.wire.begin(), port.wire.end(), 0x55), 160);

    tick(3);
    ASSERT_EQ(port.writes.size(), 162u);
    EXPECT_EQ(port.writes.back(), (Bytes{0x17, 0x64, 0x00, 0x19, 0x01, 0, 0, 0, 0, 0, 0x95}));
    recordDelivered(4, 64);
    EXPECT_EQ(host.commitLengths, (std::vector<std::size_t>{16000, 6400}));
}

}  // namespace
}  // namespace kalvira::acquisition::testing
