// Failures of the link: each shows its message, leaves MeresVege as its table says, never touches
// SampleData or draws, and ends the run once the message is closed.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "run_fixture.h"

namespace kalvira::acquisition::testing {
namespace {

enum class Failure {
    FrameNotSent,
    NoAnswer,
    WrongStartByte,
    FirstBlockLate,
    LaterBlockLate,
    ThirdCopyBad,
    AckNotSent,
    LastAckNotSent,
};

struct FailureCase {
    Failure failure;
    const char *name;
    const char *message;
    std::int16_t meresVegeAfter;  // MeresVege was -1 before the run
};

void PrintTo(const FailureCase &c, std::ostream *os) {
    *os << c.name;
}

class RunFailureTest : public RunTest, public ::testing::WithParamInterface<FailureCase> {
protected:
    // Drives the run to the brink of the failure and returns the last step, which fails it.
    std::function<void()> approach(Failure failure) {
        host.sampleScroll = 3;  // block 1: 60 tenths at 40 kSPS
        run.start();
        switch (failure) {
            case Failure::FrameNotSent:
                tick(14);
                return [this] { tick(); };
            case Failure::NoAnswer:
                port.drain();
                tick(94);
                return [this] { tick(); };
            case Failure::WrongStartByte:
                port.drain();
                return [this] { port.arrive({0x55, 0xAA}); };
            case Failure::FirstBlockLate:
                frameSentAndAnswered();
                port.arrive(Bytes(200, 0));
                tick(59);
                return [this] { tick(); };
            case Failure::LaterBlockLate:
                frameSentAndAnswered();
                blockDelivered(1, 1);
                tick(659);
                return [this] { tick(); };
            case Failure::ThirdCopyBad:
                frameSentAndAnswered();
                port.arrive(corrupted(testBlock(1, 1)));
                port.arrive(corrupted(testBlock(1, 1)));
                return [this] { port.arrive(corrupted(testBlock(1, 1))); };
            case Failure::AckNotSent:
                frameSentAndAnswered();
                port.arrive(testBlock(1, 1));
                tick(14);
                return [this] { tick(); };
            case Failure::LastAckNotSent:
                frameSentAndAnswered();
                blockDelivered(1, 1);
                blockDelivered(1, 2);
                port.arrive(testBlock(1, 3));
                tick(14);
                return [this] { tick(); };
        }
        return [] {};
    }
};

TEST_P(RunFailureTest, ShowsItsMessageThenEndsTheRunWhenItIsClosed) {
    const FailureCase &c = GetParam();
    host.MeresVege = -1;
    const auto lastStep = approach(c.failure);
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(host.messages.empty()) << "failed too early";

    lastStep();
    EXPECT_EQ(host.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(run.state(), RunState::Reporting);
    tick(20);  // the run waits for OK, whatever the clock does
    EXPECT_EQ(run.state(), RunState::Reporting);

    host.closeMessage();
    EXPECT_EQ(run.state(), RunState::Idle);
    EXPECT_EQ(host.MeresVege, c.meresVegeAfter);
    EXPECT_EQ(host.redraws, 0);
    EXPECT_TRUE(host.commitLengths.empty());
    EXPECT_EQ(host.SampleData[1], kUntouched);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(host.enableCalls.size(), 6u + 8u);
}

INSTANTIATE_TEST_SUITE_P(
    Link, RunFailureTest,
    ::testing::Values(
        FailureCase{Failure::FrameNotSent, "FrameNotSent", "COM port hiba!", -1},
        FailureCase{Failure::NoAnswer, "NoAnswer", "KALVIRA nem válaszol!", -1},
        FailureCase{Failure::WrongStartByte, "WrongStartByte", "KALVIRA hibás válasz!", 0},
        FailureCase{Failure::FirstBlockLate, "FirstBlockLate", "A kapcsolat megszakadt!", 0},
        FailureCase{Failure::LaterBlockLate, "LaterBlockLate", "A kapcsolat megszakadt!", 0},
        FailureCase{Failure::ThirdCopyBad, "ThirdCopyBad", "Kapcsolat nem megfelelő!", -1},
        FailureCase{Failure::AckNotSent, "AckNotSent", "Nyugta adás hiba!", -1},
        FailureCase{Failure::LastAckNotSent, "LastAckNotSent", "Nyugta adás hiba!", -1}),
    [](const ::testing::TestParamInfo<FailureCase> &info) { return info.param.name; });

class WrongStartByteTest : public RunTest, public ::testing::WithParamInterface<std::uint8_t> {};

TEST_P(WrongStartByteTest, AnyFirstByteButAAIsAWrongAnswer) {
    run.start();
    port.drain();
    port.arrive({GetParam()});
    EXPECT_EQ(host.messages, std::vector<std::string>{"KALVIRA hibás válasz!"});
}

INSTANTIATE_TEST_SUITE_P(Bytes, WrongStartByteTest,
                         ::testing::Values(0x00, 0x55, 0xA9, 0xAB, 0xFF));

TEST_F(RunTest, AFailureAfterSomeBlocksKeepsTheLastCommittedRecordButHidesIt) {
    host.trigger = 1;
    host.sampleScroll = 2;
    run.start();
    recordDelivered(1, 2);
    tick(3);
    frameSentAndAnswered();
    blockDelivered(2, 1);
    tick(660);
    ASSERT_EQ(host.messages, std::vector<std::string>{"A kapcsolat megszakadt!"});
    host.closeMessage();
    expectRecord(1, 200);
    EXPECT_EQ(host.MeresVege, 0);
    EXPECT_EQ(host.redraws, 1);
}

}  // namespace
}  // namespace kalvira::acquisition::testing
