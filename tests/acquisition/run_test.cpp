#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>

#include "acquisition/measurement_run.h"
#include "fake_run_host.h"
#include "fake_serial_port.h"

namespace kalvira::acquisition {
void PrintTo(RunState state, std::ostream *os) {
    *os << runStateName(state);
}
}  // namespace kalvira::acquisition

namespace kalvira::acquisition::testing {
namespace {

using S = RunState;
using C = RunControl;
using Texts = std::vector<std::string>;
const std::set<RunControl> kLocked{C::start,   C::Kilepes,      C::SampleRate,
                                   C::trigger, C::SampleScroll, C::Com1};
const std::set<RunControl> kAll{C::start,   C::Kilepes,      C::SampleRate,      C::TimeOption,
                                C::trigger, C::SampleScroll, C::TrigLevelScroll, C::Com1};
const std::string kIoError = "/dev/pts/7: Input/output error";

// Sample k (1..16000) of record r, a 10-bit value different per record; record 0 is no record.
std::int16_t sample(int r, int k) {
    return r == 0 ? FakeRunHost::kUntouched : std::int16_t((k * 37 + r * 101) % 1021);
}

// Block b of record r as the unit sends it, its check byte right or one off.
Bytes block(int r, int b, bool good = true) {
    std::array<std::uint16_t, kSamplesPerBlock> values{};
    for (int i = 0; i < 100; ++i) values[i] = std::uint16_t(sample(r, (b - 1) * 100 + i + 1));
    DataBlock bytes = encodeBlock(values);
    bytes[200] = std::uint8_t(bytes[200] + (good ? 0 : 1));
    return {bytes.begin(), bytes.end()};
}

int wrongSamples(const std::vector<std::int16_t> &data, int r, int n) {
    int wrong = 0;
    for (int k = 1; k <= n; ++k) wrong += data[k] != sample(r, k);
    return wrong;
}

// A run on the fake window and port; the test plays the unit and Timer1.
class RunTest : public ::testing::Test {
public:
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            if (host.timer1Enabled && host.TizedSec > 0) --host.TizedSec;
            run.wake();
        }
    }
    void stop() {
        host.StopGombLenyomva = -1;
        run.wake();
    }
    // The frame leaves the port and the unit answers with the start byte alone.
    void answer() {
        ASSERT_EQ(run.state(), S::Sending);
        port.drain();
        ASSERT_EQ(run.state(), S::AwaitingStartByte);
        port.arrive({kStartByte});
        ASSERT_EQ(run.state(), S::ReceivingBlock);
    }
    // Block b arrives whole and its acknowledgement leaves the port.
    void deliver(int r, int b) {
        ASSERT_EQ(run.state(), S::ReceivingBlock) << "block " << b;
        port.arrive(block(r, b));
        ASSERT_EQ(run.state(), S::Acknowledging) << "block " << b;
        port.drain();
    }
    void record(int r, int blocks) {
        answer();
        for (int b = 1; b <= blocks && !HasFatalFailure(); ++b) deliver(r, b);
    }
    // Redraw i saw MeresVege -1 and record r in SampleData 1..n, the position after it untouched.
    void expectDrawn(std::size_t i, int r, int n) {
        ASSERT_GT(host.redraws.size(), i);
        EXPECT_EQ(host.redraws[i].meresVege, -1) << "redraw " << i;
        EXPECT_EQ(wrongSamples(host.redraws[i].sampleData, r, n), 0) << "redraw " << i;
        EXPECT_EQ(host.redraws[i].sampleData[n + 1], FakeRunHost::kUntouched) << "redraw " << i;
    }

    FakeRunHost host;
    FakeSerialPort port;
    MeasurementRun run{host, port};
};

using Step = void (*)(RunTest &);
void tickOnce(RunTest &t) {
    t.tick();
}
void portFails(RunTest &t) {
    t.port.breakDown(kIoError);
}

// Records of 3 blocks at 40 kSPS: block 1 has 60 tenths, later ones 660.
struct FailureCase {
    const char *name;
    Step approach, last;  // the last step fails the run
    S state;              // where the run stands when it fails
    std::string message;
    bool clearsMeresVege;
    std::size_t writes;  // frames and acknowledgements written in all
};
class RunFailure : public RunTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailure, ShowsItsMessageAndEndsTheRunOnceItIsClosed) {
    const FailureCase &c = GetParam();
    host.MeresVege = -1;
    host.sampleScroll = 3;
    c.approach(*this);
    ASSERT_TRUE(host.messages.empty()) << "failed too early";
    ASSERT_EQ(run.state(), c.state);
    const std::size_t redraws = host.redraws.size();
    c.last(*this);
    EXPECT_EQ(host.messages, Texts{c.message});
    tick(700);  // the run waits for OK whatever the clock does
    EXPECT_EQ(run.state(), S::Reporting);
    EXPECT_TRUE(host.switched(true).empty());
    host.closeMessage();
    EXPECT_EQ(run.state(), S::Idle);
    EXPECT_EQ(host.MeresVege, c.clearsMeresVege ? 0 : -1);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(host.switched(true), kAll);
    EXPECT_EQ(host.redraws.size(), redraws);
    EXPECT_EQ(host.commitLengths.size(), redraws);
    EXPECT_EQ(wrongSamples(host.SampleData, redraws > 0, 300), 0);  // the last record, if any
    EXPECT_EQ(port.writes.size(), c.writes);

    port.openError.reset();  // a new run starts afresh
    host.trigger = 0;
    run.start();
    record(2, 3);
    EXPECT_EQ(host.messages.size(), 1u);
    expectDrawn(redraws, 2, 300);
}

INSTANTIATE_TEST_SUITE_P(
    Link, RunFailure,
    ::testing::Values(
        FailureCase{"FrameNotSent", [](RunTest &t) { t.run.start(), t.tick(14); }, tickOnce,
                    S::Sending, "COM port hiba!", false, 1},
        FailureCase{"NoAnswer", [](RunTest &t) { t.run.start(), t.port.drain(), t.tick(94); },
                    tickOnce, S::AwaitingStartByte, "KALVIRA nem válaszol!", false, 1},
        FailureCase{"WrongStartByte", [](RunTest &t) { t.run.start(), t.port.drain(); },
                    [](RunTest &t) {
                        t.port.arrive({0x55, kStartByte});
                    },
                    S::AwaitingStartByte, "KALVIRA hibás válasz!", true, 1},
        FailureCase{
            "FirstBlockLate",
            [](RunTest &t) { t.run.start(), t.answer(), t.port.arrive(Bytes(200, 0)), t.tick(59); },
            tickOnce, S::ReceivingBlock, "A kapcsolat megszakadt!", true, 1},
        FailureCase{"LaterBlockLate",
                    [](RunTest &t) { t.run.start(), t.record(1, 1), t.tick(659); }, tickOnce,
                    S::ReceivingBlock, "A kapcsolat megszakadt!", true, 2},
        FailureCase{"LaterRecordLate",
                    [](RunTest &t) {
                        t.host.trigger = 1;
                        t.run.start(), t.record(1, 3), t.tick(3), t.record(2, 1), t.tick(659);
                    },
                    tickOnce, S::ReceivingBlock, "A kapcsolat megszakadt!", true, 6},
        FailureCase{"ThirdCopyBad",
                    [](RunTest &t) {
                        t.run.start(), t.answer();
                        t.port.arrive(block(1, 1, false)), t.port.arrive(block(1, 1, false));
                    },
                    [](RunTest &t) { t.port.arrive(block(1, 1, false)); }, S::ReceivingBlock,
                    "Kapcsolat nem megfelelő!", false, 1},
        FailureCase{
            "AckNotSent",
            [](RunTest &t) { t.run.start(), t.answer(), t.port.arrive(block(1, 1)), t.tick(14); },
            tickOnce, S::Acknowledging, "Nyugta adás hiba!", false, 2},
        FailureCase{"LastAckNotSent",
                    [](RunTest &t) {
                        t.run.start(), t.record(1, 2), t.port.arrive(block(1, 3)), t.tick(14);
                    },
                    tickOnce, S::Acknowledging, "Nyugta adás hiba!", false, 4},
        FailureCase{
            "PortWontOpen", [](RunTest &t) { t.port.openError = "/dev/ttyS0: No such file"; },
            [](RunTest &t) { t.run.start(); }, S::Idle, "/dev/ttyS0: No such file", false, 0},
        FailureCase{"PortFailsAsTheFrameLeaves", [](RunTest &t) { t.run.start(); }, portFails,
                    S::Sending, kIoError, false, 1},
        FailureCase{"PortFailsTwiceMidRecord", [](RunTest &t) { t.run.start(), t.record(1, 1); },
                    [](RunTest &t) { portFails(t), portFails(t); }, S::ReceivingBlock, kIoError,
                    false, 2},
        FailureCase{"PortFailsInThePause",
                    [](RunTest &t) { t.host.trigger = 3, t.run.start(), t.record(1, 3); },
                    portFails, S::Pausing, kIoError, false, 4}),
    [](const auto &info) { return std::string(info.param.name); });

// Records of 3 blocks; MeresVege was -1 before the run.
struct StopCase {
    const char *name;
    Step reach;  // brings the run to the state where STOP is pressed
    S state;
    Step finish;       // what the run still goes through before it ends; nullptr: nothing
    std::size_t acks;  // acknowledgements on the wire in all
    bool committed;    // the record was completed and drawn all the same
};
class RunStop : public RunTest, public ::testing::WithParamInterface<StopCase> {
    void SetUp() override {
        host.MeresVege = -1;
        host.sampleScroll = 3;
        GetParam().reach(*this);
        ASSERT_EQ(run.state(), GetParam().state);
    }
};

TEST_P(RunStop, EndsTheRunSilentlyAtTheNextPointThatTestsIt) {
    const StopCase &c = GetParam();
    stop();
    if (c.finish) {
        EXPECT_EQ(run.state(), c.state);
        c.finish(*this);
    }
    EXPECT_EQ(run.state(), S::Idle);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.MeresVege, -1);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(host.switched(true), kAll);
    EXPECT_EQ(host.commitLengths.size(), std::size_t(c.committed));
    EXPECT_EQ(host.redraws.size(), std::size_t(c.committed));
    EXPECT_EQ(wrongSamples(host.SampleData, c.committed, 300), 0);
    EXPECT_EQ(port.writes.size(), 1 + c.acks);
    ASSERT_GE(port.wire.size(), kFrameLength);
    EXPECT_EQ(Bytes(port.wire.begin() + kFrameLength, port.wire.end()),
              Bytes(c.acks, kAcknowledgement));
}

TEST_P(RunStop, ClosingTheWindowEndsTheRunAtOnceWithNothingMore) {
    const std::size_t redraws = host.redraws.size(), writes = port.writes.size();
    run.abort();
    EXPECT_EQ(run.state(), S::Idle);
    EXPECT_EQ(host.StopGombLenyomva, -1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.MeresVege, -1);
    EXPECT_FALSE(port.PortOpen());
    EXPECT_EQ(host.switched(true), kAll);
    tick(700), port.drain(), port.arrive(block(1, 3));
    EXPECT_EQ(host.redraws.size(), redraws);
    EXPECT_EQ(port.writes.size(), writes);
}

void lastBlockArrives(RunTest &t) {
    t.run.start(), t.record(1, 2), t.port.arrive(block(1, 3));
}

INSTANTIATE_TEST_SUITE_P(
    Waits, RunStop,
    ::testing::Values(
        StopCase{"Sending", [](RunTest &t) { t.run.start(); }, S::Sending,
                 [](RunTest &t) { t.tick(5), t.port.drain(); }, 0, false},
        StopCase{"AwaitingStartByte", [](RunTest &t) { t.run.start(), t.port.drain(), t.tick(40); },
                 S::AwaitingStartByte, nullptr, 0, false},
        StopCase{"FirstBlock",
                 [](RunTest &t) { t.run.start(), t.answer(), t.port.arrive(Bytes(150, 1)); },
                 S::ReceivingBlock, nullptr, 0, false},
        StopCase{"LaterBlock", [](RunTest &t) { t.run.start(), t.record(1, 2); }, S::ReceivingBlock,
                 nullptr, 2, false},
        StopCase{"Acknowledging",
                 [](RunTest &t) { t.run.start(), t.answer(), t.port.arrive(block(1, 1)); },
                 S::Acknowledging, [](RunTest &t) { t.port.drain(); }, 1, false},
        StopCase{"LastAcknowledgement", lastBlockArrives, S::Acknowledging,
                 [](RunTest &t) { t.port.drain(); }, 3, true},
        StopCase{"LastAcknowledgementContinuous",
                 [](RunTest &t) { t.host.trigger = 1, lastBlockArrives(t); }, S::Acknowledging,
                 [](RunTest &t) {
                     t.port.drain(), t.tick(2);
                     EXPECT_EQ(t.run.state(), S::Pausing);
                     t.tick();
                 },
                 3, true},
        StopCase{"Pausing", [](RunTest &t) { t.host.trigger = 3, t.run.start(), t.record(1, 3); },
                 S::Pausing,
                 [](RunTest &t) {
                     t.tick(2);
                     EXPECT_EQ(t.run.state(), S::Pausing);
                     t.tick();
                 },
                 3, true}),
    [](const auto &info) { return std::string(info.param.name); });

struct CountdownCase {
    int rate;
    std::int16_t hundreds, tenths;
};
class FirstBlockCountdown : public RunTest, public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(FirstBlockCountdown, IsTheRecordDurationPlusSixSecondsAndRunsOutAtItsLastTick) {
    host.sampleRate = GetParam().rate;
    host.sampleScroll = GetParam().hundreds;
    run.start();
    answer();
    EXPECT_EQ(host.TizedSec, GetParam().tenths);
    tick(GetParam().tenths - 1);
    EXPECT_TRUE(host.messages.empty());
    tick();
    EXPECT_EQ(host.messages, Texts{"A kapcsolat megszakadt!"});
}

// Ties of half a tenth go to the even neighbour: 60.5 gives 60, 61.5 and 62.5 give 62.
INSTANTIATE_TEST_SUITE_P(Rates, FirstBlockCountdown,
                         ::testing::Values(CountdownCase{0, 50, 61}, CountdownCase{0, 20, 60},
                                           CountdownCase{0, 60, 62}, CountdownCase{0, 100, 62},
                                           CountdownCase{0, 140, 64}, CountdownCase{1, 160, 68},
                                           CountdownCase{2, 160, 76}, CountdownCase{3, 50, 70},
                                           CountdownCase{4, 160, 140}, CountdownCase{5, 1, 61},
                                           CountdownCase{6, 160, 380}, CountdownCase{7, 160, 860}));

class BadCopies : public RunTest, public ::testing::WithParamInterface<int> {};

TEST_P(BadCopies, OfEachBlockAreAwaitedAgainSilentlyWithinTheSameCountdown) {
    host.trigger = 1;
    host.sampleRate = 7;
    host.sampleScroll = 2;
    run.start();
    answer();
    for (int b = 1; b <= 2; ++b) {
        for (int copy = 0; copy < GetParam(); ++copy) {
            port.arrive(block(1, b, false));
            ASSERT_EQ(run.state(), S::ReceivingBlock);
            ASSERT_GE(port.calls.size(), 2u);
            EXPECT_EQ(Texts(port.calls.end() - 2, port.calls.end()),
                      (Texts{"OutBufferCount 0", "InBufferCount 0"}));
        }
        deliver(1, b);
    }
    EXPECT_TRUE(host.messages.empty());
    // frame, start byte, block 1 (2 x 0.5 s + 6 s), ack, block 2, ack, pause
    EXPECT_EQ(host.tizedSecLoads, (std::vector<std::int16_t>{15, 95, 70, 15, 660, 15, 3}));
    EXPECT_EQ(port.writes, (std::vector<Bytes>{
                               {0x17, 0x64, 0xC8, 0x00, 1, 0, 0, 0, 0, 0, 0x44}, {0x55}, {0x55}}));
    expectDrawn(0, 1, 200);
}

INSTANTIATE_TEST_SUITE_P(Copies, BadCopies, ::testing::Values(0, 1, 2));

TEST_F(RunTest, OneBlockRecordGoesOverTheWireAndIsDrawnOnceCommitted) {
    host.com1 = 1;
    host.sampleScroll = 1;
    host.StopGombLenyomva = -1;  // left over from before START
    run.start();
    EXPECT_EQ(host.StopGombLenyomva, 0);
    EXPECT_EQ(host.switched(false), kLocked);
    EXPECT_TRUE(host.switched(true).empty());
    EXPECT_EQ(port.calls,
              (Texts{"CommPort 2", "Settings 115200,n,8,1", "RThreshold 0", "InputLen 100",
                     "OutBufferCount 0", "InBufferCount 0", "PortOpen true", "Output 11"}));
    record(1, 1);
    EXPECT_EQ(port.readSizes, (std::vector<std::size_t>{1, 100, 100, 1}));
    EXPECT_EQ(port.wire, (Bytes{0x00, 0x64, 0x64, 0x00, 0x01, 0, 0, 0, 0, 0, 0xC9, 0x55}));
    EXPECT_EQ(host.commitLengths, std::vector<std::size_t>{100});
    ASSERT_EQ(host.redraws.size(), 1u);
    expectDrawn(0, 1, 100);
    EXPECT_EQ(run.state(), S::Idle);
    EXPECT_EQ(port.calls.back(), "PortOpen false");
    EXPECT_EQ(host.switched(true), kAll);
    port.breakDown(kIoError);  // after the run: nobody to tell
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(RunTest, ContinuousRunPausesThenSendsAFreshFrameAndDrawsEachNewRecord) {
    host.trigger = 3;
    host.sampleScroll = 1;
    run.start();
    host.trigLevel = 200;  // moved during the first record
    host.trigEdge = 1;
    record(1, 1);
    EXPECT_EQ(run.state(), S::Pausing);
    const std::size_t calls = port.calls.size();
    tick(2);
    EXPECT_EQ(port.writes.size(), 2u);
    tick();
    ASSERT_EQ(port.writes.size(), 3u);
    EXPECT_EQ(port.writes[0], (Bytes{0x30, 0x64, 0x64, 0x00, 0x01, 0, 0, 0, 0, 0, 0xF9}));
    EXPECT_EQ(port.writes[2], (Bytes{0x30, 0xC8, 0x64, 0x00, 0x00, 0, 0, 0, 0, 0, 0x5C}));
    // The open port keeps its number and is configured and emptied again, not reopened.
    EXPECT_EQ(Texts(port.calls.begin() + calls, port.calls.end()),
              (Texts{"Settings 115200,n,8,1", "RThreshold 0", "InputLen 100", "OutBufferCount 0",
                     "InBufferCount 0", "Output 11"}));
    record(2, 1);
    ASSERT_EQ(host.redraws.size(), 2u);
    expectDrawn(0, 1, 100);
    expectDrawn(1, 2, 100);
    EXPECT_TRUE(host.switched(true).empty());  // locked all along
    EXPECT_EQ(port.opens, 1);
}

TEST_F(RunTest, RecordLengthIsFixedWhenTheFrameIsBuilt) {
    host.trigger = 1;
    host.sampleRate = 7;
    host.sampleScroll = 160;
    run.start();
    host.sampleScroll = 64;  // lowered by the redraw's record length limit
    answer();
    EXPECT_EQ(host.TizedSec, 860);
    for (int b = 1; b <= 160 && !HasFatalFailure(); ++b) deliver(3, b);
    EXPECT_EQ(host.commitLengths, std::vector<std::size_t>{16000});
    expectDrawn(0, 3, 16000);
    EXPECT_EQ(host.SampleData[16002], FakeRunHost::kUntouched);
    tick(3);
    ASSERT_EQ(port.writes.size(), 162u);
    EXPECT_EQ(port.writes.back(), (Bytes{0x17, 0x64, 0x00, 0x19, 0x01, 0, 0, 0, 0, 0, 0x95}));
    record(4, 64);
    EXPECT_EQ(host.commitLengths, (std::vector<std::size_t>{16000, 6400}));
}

TEST_F(RunTest, BlockBytesCutAnyHowAreGatheredAndTheSurplusDropped) {
    host.sampleScroll = 2;
    run.start();
    port.drain();
    const Bytes b1 = block(1, 1);
    Bytes first{kStartByte}, rest(b1.begin() + 150, b1.end());
    first.insert(first.end(), b1.begin(), b1.begin() + 150);
    rest.insert(rest.end(), 150, 0xEE);
    port.arrive(first);
    port.arrive(rest);
    EXPECT_EQ(port.InBufferCount(), 0);
    port.drain();
    deliver(1, 2);
    expectDrawn(0, 1, 200);
}

TEST_F(RunTest, BlockCompletedInThePassThatSeesTheCountdownAtZeroStillFails) {
    host.sampleScroll = 1;
    run.start();
    answer();
    const Bytes b1 = block(1, 1);
    port.arrive(Bytes(b1.begin(), b1.end() - 1));
    tick(59);
    port.arrive({b1.back()}, false);  // waiting in the port, no pass yet
    tick();
    ASSERT_FALSE(port.readSizes.empty());
    EXPECT_EQ(port.readSizes.back(), 1u);
    EXPECT_EQ(host.messages, Texts{"A kapcsolat megszakadt!"});
}

TEST_F(RunTest, ClosingTheWindowOverAMessageEndsTheRunAndALateOkIsHarmless) {
    run.start();
    tick(15);
    ASSERT_TRUE(host.messageOpen());
    run.abort();
    EXPECT_EQ(run.state(), S::Idle);
    const std::size_t calls = host.enableCalls.size();
    host.closeMessage();
    EXPECT_EQ(run.state(), S::Idle);
    EXPECT_EQ(host.enableCalls.size(), calls);
}

}  // namespace
}  // namespace kalvira::acquisition::testing
