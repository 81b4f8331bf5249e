#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>

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
const std::set<C> kLocked{C::start,   C::Kilepes,      C::SampleRate,
                          C::trigger, C::SampleScroll, C::Com1};
const std::set<C> kAll{C::start,   C::Kilepes,      C::SampleRate,      C::TimeOption,
                       C::trigger, C::SampleScroll, C::TrigLevelScroll, C::Com1};
const std::string kIo = "/dev/pts/7: Input/output error", kNoDevice = "/dev/ttyS0: No such file";
const std::string kLost = "A kapcsolat megszakadt!", kNoAck = "Nyugta adás hiba!";

// Sample k (1..16000) of record r, a 10-bit value different per record; record 0 is no record.
std::int16_t sample(int r, int k) {
    return r == 0 ? FakeRunHost::kUntouched : std::int16_t((k * 37 + r * 101) % 1021);
}

// The first `length` bytes of block b of record r as the unit sends it, its check byte right or
// off.
Bytes block(int r, int b, bool good = true, std::size_t length = kBlockLength) {
    std::array<std::uint16_t, kSamplesPerBlock> values{};
    for (int i = 0; i < 100; ++i) values[i] = std::uint16_t(sample(r, (b - 1) * 100 + i + 1));
    DataBlock bytes = encodeBlock(values);
    bytes[200] = std::uint8_t(bytes[200] + (good ? 0 : 1));
    return {bytes.begin(), bytes.begin() + length};
}

int wrongSamples(const std::vector<std::int16_t> &data, int r, int n) {
    int wrong = 0;
    for (int k = 1; k <= n; ++k) wrong += data[k] != sample(r, k);
    return wrong;
}

// A run on the fake window and port; the test plays the user, Timer1 and the unit.
class RunTest : public ::testing::Test {
public:
    // One step per word. Settings: rate:n, scroll:n, cont (continuous). The user and Timer1:
    // start, stop, tick:n. The port: drain, fail, noopen. The unit: answer (the frame leaves, a
    // record's start byte comes), block:b (block b comes, its acknowledgement leaves), blocks:n
    // (1..n so), and what arrives: arrive:b, bad:b (check byte off), part:b (all but its last
    // byte), tail:b (its last byte, unnoticed), junk:n (n zero bytes).
    void play(const std::string &script) {
        const std::map<std::string, std::function<void(int)>> steps{
            {"rate", [&](int n) { host.sampleRate = n; }},
            {"scroll", [&](int n) { host.sampleScroll = std::int16_t(n); }},
            {"cont", [&](int) { host.trigger = 1; }},
            {"start", [&](int) { run.start(); }},
            {"stop", [&](int) { host.StopGombLenyomva = -1, run.wake(); }},
            {"tick", [&](int n) { tick(n); }},
            {"drain", [&](int) { port.drain(); }},
            {"fail", [&](int) { port.breakDown(kIo); }},
            {"noopen", [&](int) { port.openError = kNoDevice; }},
            {"answer", [&](int) { port.drain(), port.arrive({kStartByte}), ++record; }},
            {"block", [&](int b) { deliver(b); }},
            {"blocks",
             [&](int n) {
                 for (int b = 1; b <= n && !HasFatalFailure(); ++b) deliver(b);
             }},
            {"arrive", [&](int b) { port.arrive(block(record, b)); }},
            {"bad", [&](int b) { port.arrive(block(record, b, false)); }},
            {"part", [&](int b) { port.arrive(block(record, b, true, kBlockLength - 1)); }},
            {"tail", [&](int b) { port.arrive({block(record, b).back()}, false); }},
            {"junk", [&](int n) { port.arrive(Bytes(n, 0)); }}};
        std::istringstream words(script);
        for (std::string word; words >> word && !HasFatalFailure();) {
            const std::size_t colon = word.find(':');
            const auto step = steps.find(word.substr(0, colon));
            ASSERT_NE(step, steps.end()) << word;
            step->second(colon == std::string::npos ? 1 : std::stoi(word.substr(colon + 1)));
        }
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            if (host.timer1Enabled && host.TizedSec > 0) --host.TizedSec;
            run.wake();
        }
    }
    void deliver(int b) {
        port.arrive(block(record, b));
        ASSERT_EQ(run.state(), S::Acknowledging) << "block " << b << " of record " << record;
        port.drain();
    }
    // Redraw i saw MeresVege -1 and record r in SampleData 1..n, the position after it untouched.
    void expectDrawn(std::size_t i, int r, int n) {
        ASSERT_GT(host.redraws.size(), i);
        EXPECT_EQ(host.redraws[i].first, -1);
        EXPECT_EQ(wrongSamples(host.redraws[i].second, r, n), 0) << "redraw " << i;
        EXPECT_EQ(host.redraws[i].second[n + 1], FakeRunHost::kUntouched);
    }
    // The end of a run without a message: MeresVege as before it, -1.
    void expectEndedQuietly() {
        EXPECT_EQ(run.state(), S::Idle);
        EXPECT_TRUE(host.messages.empty());
        EXPECT_EQ(host.MeresVege, -1);
        EXPECT_FALSE(port.PortOpen());
        EXPECT_EQ(host.switched(true), kAll);
    }

    FakeRunHost host;
    FakeSerialPort port;
    MeasurementRun run{host, port};
    int record = 0;  // the record the unit is sending, counted from 1
};

// Records of 3 blocks at 40 kSPS: block 1 has 60 tenths, later blocks 660. The step after "|"
// fails the run in `state`; `writes` counts frames and acknowledgements written.
struct FailureCase {
    const char *script;
    S state;
    std::string message;
    bool clearsMeresVege;
    std::size_t writes;
};
const FailureCase kFailures[] = {
    {"start tick:14 | tick", S::Sending, "COM port hiba!", false, 1},
    {"start drain tick:94 | tick", S::AwaitingStartByte, "KALVIRA nem válaszol!", false, 1},
    {"start drain | junk:1", S::AwaitingStartByte, "KALVIRA hibás válasz!", true, 1},
    {"start answer junk:200 tick:59 | tick", S::ReceivingBlock, kLost, true, 1},
    {"start answer part:1 tick:59 tail:1 | tick", S::ReceivingBlock, kLost, true, 1},
    {"start answer block:1 tick:659 | tick", S::ReceivingBlock, kLost, true, 2},
    {"cont start answer blocks:3 tick:3 answer block:1 tick:659 | tick", S::ReceivingBlock, kLost,
     true, 6},
    {"start answer bad:1 bad:1 | bad:1", S::ReceivingBlock, "Kapcsolat nem megfelelő!", false, 1},
    {"start answer arrive:1 tick:14 | tick", S::Acknowledging, kNoAck, false, 2},
    {"start answer blocks:2 arrive:3 tick:14 | tick", S::Acknowledging, kNoAck, false, 4},
    {"noopen | start", S::Idle, kNoDevice, false, 0},
    {"start | fail", S::Sending, kIo, false, 1},
    {"start answer block:1 | fail fail", S::ReceivingBlock, kIo, false, 2},
    {"cont start answer blocks:3 | fail", S::Pausing, kIo, false, 4}};
class RunFailure : public RunTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailure, ShowsItsMessageAndEndsTheRunOnceItIsClosed) {
    const FailureCase &c = GetParam();
    const std::string script = c.script;
    SCOPED_TRACE(script);
    host.MeresVege = -1;
    play("scroll:3 " + script.substr(0, script.find('|')));
    ASSERT_TRUE(host.messages.empty()) << "failed too early";
    ASSERT_EQ(run.state(), c.state);
    const std::size_t redraws = host.redraws.size();
    play(script.substr(script.find('|') + 1));
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
    EXPECT_EQ(wrongSamples(host.SampleData, redraws > 0, 300), 0);  // record 1, if committed
    EXPECT_EQ(port.writes.size(), c.writes);
    port.openError.reset();  // a new run starts afresh
    host.trigger = 0;
    play("start answer blocks:3");
    EXPECT_EQ(host.messages.size(), 1u);
    expectDrawn(redraws, record, 300);
}
INSTANTIATE_TEST_SUITE_P(Link, RunFailure, ::testing::ValuesIn(kFailures));

// Records of 3 blocks, STOP pressed in `state`; the run still goes through `finish`, with `acks`
// acknowledgements in all, and commits and draws the record when `committed`.
struct StopCase {
    const char *reach;
    S state;
    const char *finish;
    std::size_t acks;
    bool committed;
};
const StopCase kStops[] = {
    {"start", S::Sending, "tick:5 drain", 0, false},
    {"start drain tick:40", S::AwaitingStartByte, "", 0, false},
    {"start answer junk:150", S::ReceivingBlock, "", 0, false},
    {"start answer blocks:2", S::ReceivingBlock, "", 2, false},
    {"start answer arrive:1", S::Acknowledging, "drain", 1, false},
    {"start answer blocks:2 arrive:3", S::Acknowledging, "drain", 3, true},
    {"cont start answer blocks:2 arrive:3", S::Acknowledging, "drain tick:3", 3, true},
    {"cont start answer blocks:3", S::Pausing, "tick:3", 3, true}};
class RunStop : public RunTest, public ::testing::WithParamInterface<StopCase> {
    void SetUp() override {
        host.MeresVege = -1;
        play("scroll:3 " + std::string(GetParam().reach));
        ASSERT_EQ(run.state(), GetParam().state);
    }
};

TEST_P(RunStop, EndsTheRunSilentlyAtTheNextPointThatTestsIt) {
    const StopCase &c = GetParam();
    play("stop");
    EXPECT_EQ(run.state(), *c.finish ? c.state : S::Idle);
    play(c.finish);
    expectEndedQuietly();
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
    expectEndedQuietly();
    EXPECT_EQ(host.StopGombLenyomva, -1);
    play("tick:700 drain arrive:3");
    EXPECT_EQ(host.redraws.size(), redraws);
    EXPECT_EQ(port.writes.size(), writes);
}
INSTANTIATE_TEST_SUITE_P(Waits, RunStop, ::testing::ValuesIn(kStops));

TEST_F(RunTest, ClosingTheWindowOverAMessageEndsTheRunAndALateOkIsHarmless) {
    play("start tick:15");
    ASSERT_EQ(host.messages.size(), 1u);
    run.abort();
    const std::size_t calls = host.enableCalls.size();
    host.closeMessage();
    EXPECT_EQ(run.state(), S::Idle);
    EXPECT_EQ(host.enableCalls.size(), calls);
}

struct CountdownCase {
    int rate;
    std::int16_t hundreds, tenths;
};
class FirstBlockCountdown : public RunTest, public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(FirstBlockCountdown, IsTheRecordDurationPlusSixSecondsAndRunsOutAtItsLastTick) {
    play("rate:" + std::to_string(GetParam().rate) +
         " scroll:" + std::to_string(GetParam().hundreds) + " start answer");
    EXPECT_EQ(host.TizedSec, GetParam().tenths);
    tick(GetParam().tenths - 1);
    EXPECT_TRUE(host.messages.empty());
    tick();
    EXPECT_EQ(host.messages, Texts{kLost});
}
// Ties of half a tenth go to the even neighbour: 60.5 gives 60, 61.5 and 62.5 give 62.
const CountdownCase kCountdowns[] = {{0, 50, 61},   {0, 20, 60},  {0, 60, 62},   {0, 100, 62},
                                     {0, 140, 64},  {1, 160, 68}, {2, 160, 76},  {3, 50, 70},
                                     {4, 160, 140}, {5, 1, 61},   {6, 160, 380}, {7, 160, 860}};
INSTANTIATE_TEST_SUITE_P(Rates, FirstBlockCountdown, ::testing::ValuesIn(kCountdowns));

class BadCopies : public RunTest, public ::testing::WithParamInterface<int> {};

TEST_P(BadCopies, OfEachBlockAreAwaitedAgainSilentlyWithinTheSameCountdown) {
    play("rate:7 scroll:2 cont start answer");
    for (int b = 1; b <= 2; ++b) {
        for (int copy = 0; copy < GetParam(); ++copy) {
            play("bad:" + std::to_string(b));
            ASSERT_EQ(run.state(), S::ReceivingBlock);
            ASSERT_GE(port.calls.size(), 2u);
            EXPECT_EQ(Texts(port.calls.end() - 2, port.calls.end()),
                      (Texts{"OutBufferCount 0", "InBufferCount 0"}));
        }
        deliver(b);
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
    play("answer block:1");
    EXPECT_EQ(port.readSizes, (std::vector<std::size_t>{1, 100, 100, 1}));
    EXPECT_EQ(port.wire, (Bytes{0x00, 0x64, 0x64, 0x00, 0x01, 0, 0, 0, 0, 0, 0xC9, 0x55}));
    EXPECT_EQ(host.commitLengths, std::vector<std::size_t>{100});
    ASSERT_EQ(host.redraws.size(), 1u);
    expectDrawn(0, 1, 100);
    EXPECT_EQ(port.calls.back(), "PortOpen false");
    play("fail");  // after the run: nobody to tell
    host.MeresVege = -1;
    expectEndedQuietly();
}

TEST_F(RunTest, ContinuousRunPausesThenSendsAFreshFrameAndDrawsEachNewRecord) {
    host.trigger = 3;
    host.sampleScroll = 1;
    run.start();
    host.trigLevel = 200;  // moved during the first record
    host.trigEdge = 1;
    play("answer block:1 tick:2");
    const std::size_t calls = port.calls.size();
    EXPECT_EQ(port.writes.size(), 2u);
    tick();
    ASSERT_EQ(port.writes.size(), 3u);
    EXPECT_EQ(port.writes[0], (Bytes{0x30, 0x64, 0x64, 0x00, 0x01, 0, 0, 0, 0, 0, 0xF9}));
    EXPECT_EQ(port.writes[2], (Bytes{0x30, 0xC8, 0x64, 0x00, 0x00, 0, 0, 0, 0, 0, 0x5C}));
    // The open port is configured and emptied again, not renumbered nor reopened.
    EXPECT_EQ(Texts(port.calls.begin() + calls, port.calls.end()),
              (Texts{"Settings 115200,n,8,1", "RThreshold 0", "InputLen 100", "OutBufferCount 0",
                     "InBufferCount 0", "Output 11"}));
    play("answer block:1");
    expectDrawn(0, 1, 100);
    expectDrawn(1, 2, 100);
    EXPECT_TRUE(host.switched(true).empty());  // locked all along
}

TEST_F(RunTest, RecordLengthIsFixedWhenTheFrameIsBuilt) {
    play("rate:7 scroll:160 cont start");
    host.sampleScroll = 64;  // lowered by the redraw's record length limit
    play("answer");
    EXPECT_EQ(host.TizedSec, 860);
    play("blocks:160");
    EXPECT_EQ(host.commitLengths, std::vector<std::size_t>{16000});
    expectDrawn(0, 1, 16000);
    tick(3);
    ASSERT_EQ(port.writes.size(), 162u);
    EXPECT_EQ(port.writes.back(), (Bytes{0x17, 0x64, 0x00, 0x19, 0x01, 0, 0, 0, 0, 0, 0x95}));
    play("answer blocks:64");
    EXPECT_EQ(host.commitLengths, (std::vector<std::size_t>{16000, 6400}));
}

TEST_F(RunTest, BlockBytesComingWithTheStartByteCountAndTheSurplusIsDropped) {
    play("scroll:2 start drain");
    Bytes bytes = block(1, 1);
    bytes.insert(bytes.begin(), kStartByte);
    bytes.insert(bytes.end(), 150, 0xEE);
    port.arrive(bytes);
    EXPECT_EQ(port.InBufferCount(), 0);
    record = 1;
    play("drain block:2");
    expectDrawn(0, 1, 200);
}

// What the title and the status line say at each point of a run: 100 samples at 200 SPS take
// 0.5 s, so block 1's countdown is 65 tenths, 5 of them the record's duration.
struct ProgressCase {
    const char *script;
    const char *words;
};
class RunProgressWords : public RunTest, public ::testing::WithParamInterface<ProgressCase> {};
TEST_P(RunProgressWords, FollowTheStateTizedSecAndTheBlocks) {
    play(GetParam().script);
    EXPECT_EQ(describeProgress(run.progress()), GetParam().words);
}
INSTANTIATE_TEST_SUITE_P(
    Phases, RunProgressWords,
    ::testing::Values(
        ProgressCase{"rate:7 scroll:1", ""},
        ProgressCase{"rate:7 scroll:1 start", "várakozás a válaszra"},
        ProgressCase{"rate:7 scroll:1 start answer", "felvétel 0 %"},
        ProgressCase{"rate:7 scroll:1 start answer tick:2", "felvétel 40 %"},
        ProgressCase{"rate:7 scroll:1 start answer tick:4", "felvétel 80 %"},
        ProgressCase{"rate:7 scroll:1 start answer tick:5", "várakozás a triggerre"},
        ProgressCase{"rate:7 scroll:4 start answer part:1", "átvitel 0 %"},
        ProgressCase{"rate:7 scroll:4 start answer blocks:1", "átvitel 25 %"},
        ProgressCase{"rate:7 scroll:4 start answer blocks:3 arrive:4", "átvitel 100 %"},
        ProgressCase{"scroll:1 cont start answer blocks:1", "szünet, 1 felvétel kész"},
        ProgressCase{"scroll:1 cont start answer blocks:1 tick:3 answer blocks:1",
                     "szünet, 2 felvétel kész"},
        ProgressCase{"scroll:1 start tick:15", "hiba"},
        ProgressCase{"scroll:1 start answer blocks:1 drain", ""}));

}  // namespace
}  // namespace kalvira::acquisition::testing
