#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "acquisition/measurement_run.h"
#include "fake_run_host.h"
#include "fake_serial_port.h"

namespace kalvira::acquisition {
void PrintTo(RunState state, std::ostream *os) {
    *os << runStateName(state);
}
namespace testing {
namespace {

using S = RunState;
using Texts = std::vector<std::string>;
const std::vector<bool> kLocked{true}, kLockedThenUnlocked{true, false};
const std::string kIo = "/dev/pts/7: Input/output error", kNoDevice = "/dev/ttyS0: No such file";
const std::string kLost = "A kapcsolat megszakadt!";

// Sample k (1..16000) of record r: a 10-bit value, different in the next record.
const auto sample = [](int r, int k) { return std::int16_t((k * 37 + r * 101) % 1021); };

// The first `length` bytes of block b of record r as the unit sends it, its check right or off.
Bytes block(int r, int b, bool good = true, std::size_t length = kBlockLength) {
    std::array<std::uint16_t, kSamplesPerBlock> values{};
    for (int i = 0; i < 100; ++i) values[i] = std::uint16_t(sample(r, (b - 1) * 100 + i + 1));
    DataBlock bytes = encodeBlock(values);
    bytes[200] = std::uint8_t(bytes[200] + (good ? 0 : 1));
    return {bytes.begin(), bytes.begin() + length};
}

// A run on the fake window and port; the test plays the user, Timer1 and the unit.
struct RunTest : ::testing::Test {
    // One step per word. answer: the frame leaves, a start byte comes; blocks:n: the next n blocks
    // come, each acknowledged; the next block alone: arrive, bad (check byte off), part (all but
    // its last byte), tail (its last byte, unnoticed).
    void play(const std::string &script) {
        const std::map<std::string, std::function<void(int)>> steps{
            {"rate", [&](int n) { host.settings.scope.rateCode = n; }},
            {"scroll", [&](int n) { host.settings.scope.recordLength = n * 100; }},
            {"cont", [&](int) { host.settings.scope.triggerMode = 1; }},
            {"mode", [&](int n) { host.settings.scope.triggerMode = n; }},
            {"start", [&](int) { run.start(); }},
            {"stop", [&](int) { run.stop(); }},
            {"tick", [&](int n) { tick(n); }},
            {"drain", [&](int) { port.drain(); }},
            {"fail", [&](int) { port.breakDown(kIo); }},
            {"noopen", [&](int) { port.openError = kNoDevice; }},
            {"answer", [&](int) { port.drain(), port.arrive({kStartByte}), ++record, next = 1; }},
            {"blocks", [&](int n) { deliver(n); }},
            {"arrive", [&](int) { port.arrive(block(record, next++)); }},
            {"bad", [&](int) { port.arrive(block(record, next, false)); }},
            {"part", [&](int) { port.arrive(block(record, next, true, kBlockLength - 1)); }},
            {"tail", [&](int) { port.arrive({block(record, next++).back()}, false); }}};

        std::istringstream words(script);
        for (std::string word; words >> word && !HasFatalFailure();) {
            const std::size_t colon = word.find(':');
            const auto step = steps.find(word.substr(0, colon));
            ASSERT_NE(step, steps.end()) << word;
            step->second(colon == std::string::npos ? 1 : std::stoi(word.substr(colon + 1)));
        }
    }
    void tick(int n) {  // Timer1 lowers TizedSec while it is above 0, then the run looks again
        for (; n > 0; --n) host.clockStarted ? run.tick() : run.wake();
    }
    void deliver(int n) {
        for (int i = 0; i < n; ++i, ++next) {
            port.arrive(block(record, next));
            ASSERT_EQ(run.state(), S::Acknowledging) << "block " << next << " of record " << record;
            port.drain();
        }
    }
    // Commit i was n samples and its redraw saw MeresVege -1 and record r in SampleData 1..n.
    void expectDrawn(std::size_t i, int r, int n) {
        ASSERT_GT(std::min(host.redraws.size(), host.commitLengths.size()), i);
        EXPECT_EQ(host.commitLengths[i], std::size_t(n));
        EXPECT_EQ(host.redraws[i].first, -1);
        int wrong = 0;
        for (int k = 1; k <= n; ++k) wrong += host.redraws[i].second[k] != sample(r, k);
        EXPECT_EQ(wrong, 0) << "redraw " << i;
    }
    void expectEnded(std::int16_t meresVege = -1, std::size_t messages = 0) {
        EXPECT_EQ(run.state(), S::Idle);
        EXPECT_EQ(host.messages.size(), messages);
        EXPECT_EQ(host.MeresVege, meresVege);
        EXPECT_FALSE(port.PortOpen());
        EXPECT_EQ(host.locks, kLockedThenUnlocked);
    }

    FakeRunHost host;
    FakeSerialPort port;
    MeasurementRun run{host, port};
    int record = 0, next = 1;  // the record the unit is sending, counted from 1, and its next block
};

// Records of 3 blocks at 40 kSPS: block 1 has 60 tenths, later blocks 660. The second steps fail
// the run in the given state; the last column counts frames and acknowledgements written.
using FailureCase = std::tuple<std::string, std::string, S, std::string, bool, std::size_t>;
const FailureCase kFailures[] = {
    {"start tick:14", "tick", S::Sending, "COM port hiba!", false, 1},
    {"start drain tick:94", "tick", S::AwaitingStartByte, "KALVIRA nem válaszol!", false, 1},
    {"start drain", "arrive", S::AwaitingStartByte, "KALVIRA hibás válasz!", true, 1},
    {"start answer part tick:59 tail", "tick", S::ReceivingBlock, kLost, true, 1},
    {"start answer blocks:1 tick:659", "tick", S::ReceivingBlock, kLost, true, 2},
    {"start answer bad bad", "bad", S::ReceivingBlock, "Kapcsolat nem megfelelő!", false, 1},
    {"start answer blocks:2 arrive tick:14", "tick", S::Acknowledging, "Nyugta adás hiba!", false,
     4},
    {"noopen", "start", S::Idle, kNoDevice, false, 0},
    {"mode:4", "start", S::Idle, "No command frame for trigger mode 4 and sample rate 0.", false,
     0},
    {"start answer blocks:1", "fail fail", S::ReceivingBlock, kIo, false, 2},
    {"cont start answer blocks:3", "fail", S::Pausing, kIo, false, 4}};
class RunFailure : public RunTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailure, ShowsItsMessageAndEndsTheRunOnceItIsClosed) {
    const auto &[before, failing, state, message, clearsMeresVege, writes] = GetParam();
    host.MeresVege = -1;
    play("scroll:3 " + before);
    ASSERT_EQ(run.state(), state);
    const std::size_t redraws = host.redraws.size();
    play(failing);
    EXPECT_EQ(host.messages, Texts{message});
    play("tick:700");  // OK is awaited whatever the clock does
    EXPECT_EQ(host.locks, kLocked);
    host.closeMessage();
    expectEnded(clearsMeresVege ? 0 : -1, 1);
    EXPECT_EQ(host.redraws.size(), redraws);
    EXPECT_EQ(host.commitLengths.size(), redraws);
    EXPECT_EQ(port.writes.size(), writes);
    port.openError.reset(), host.settings.scope.triggerMode = 0;  // a new run starts afresh
    play("start answer blocks:3");
    expectDrawn(redraws, record, 300);
}
INSTANTIATE_TEST_SUITE_P(Link, RunFailure, ::testing::ValuesIn(kFailures));

// STOP pressed in the given state of a run of 3 blocks; the run goes on through the steps that
// follow, sending the given number of acknowledgements, and draws the record only after all 3.
using StopCase = std::tuple<std::string, S, std::string, std::size_t>;
const StopCase kStops[] = {{"start", S::Sending, "tick:5 drain", 0},
                           {"start drain tick:40", S::AwaitingStartByte, "", 0},
                           {"start answer blocks:2", S::ReceivingBlock, "", 2},
                           {"start answer arrive", S::Acknowledging, "drain", 1},
                           {"start answer blocks:2 arrive", S::Acknowledging, "drain", 3},
                           {"cont start answer blocks:3", S::Pausing, "tick:3", 3}};
class RunStop : public RunTest, public ::testing::WithParamInterface<StopCase> {
    void SetUp() override {
        host.MeresVege = -1;
        play("scroll:3 " + std::get<0>(GetParam()));
        ASSERT_EQ(run.state(), std::get<1>(GetParam()));
    }
};

TEST_P(RunStop, EndsTheRunSilentlyAtTheNextPointThatTestsIt) {
    const auto &[reach, state, finish, acks] = GetParam();
    play("stop");
    EXPECT_EQ(run.state(), finish.empty() ? S::Idle : state);
    play(finish);
    expectEnded();
    EXPECT_EQ(host.redraws.size(), acks / 3);
    if (acks == 3) expectDrawn(0, 1, 300);
    EXPECT_EQ(port.writes.size(), 1 + acks);  // each of them gone over the wire
    EXPECT_EQ(port.wire.size(), kFrameLength + acks);
}

TEST_P(RunStop, ClosingTheWindowEndsTheRunAtOnceWithNothingMore) {
    const std::size_t redraws = host.redraws.size(), writes = port.writes.size();
    run.abort();
    expectEnded();
    EXPECT_TRUE(run.stopRequested());
    play("tick:700 drain arrive");
    EXPECT_EQ(host.redraws.size(), redraws);
    EXPECT_EQ(port.writes.size(), writes);
}
INSTANTIATE_TEST_SUITE_P(Waits, RunStop, ::testing::ValuesIn(kStops));

TEST_F(RunTest, ClosingTheWindowOverAMessageEndsTheRunAndALateOkIsHarmless) {
    play("start tick:15");
    run.abort();
    expectEnded(0, 1);
    host.closeMessage();
    EXPECT_EQ(host.locks, kLockedThenUnlocked);  // once each, the late OK adds nothing
}

// Rate, hundreds of samples, block 1's countdown. Ties go to even: 60.5 gives 60, 61.5 and 62.5 62.
class FirstBlockCountdown : public RunTest,
                            public ::testing::WithParamInterface<std::array<int, 3>> {};

TEST_P(FirstBlockCountdown, IsTheRecordDurationPlusSixSecondsAndRunsOutAtItsLastTick) {
    const auto [rate, hundreds, tenths] = GetParam();
    play("rate:" + std::to_string(rate) + " scroll:" + std::to_string(hundreds) +
         " start answer tick:" + std::to_string(tenths - 1));
    EXPECT_TRUE(host.messages.empty());
    play("tick");
    EXPECT_EQ(host.messages, Texts{kLost});
}
const std::array<int, 3> kCountdowns[] = {
    {0, 50, 61},  {0, 20, 60}, {0, 60, 62},   {0, 100, 62}, {0, 140, 64},  {1, 160, 68},
    {2, 160, 76}, {3, 50, 70}, {4, 160, 140}, {5, 1, 61},   {6, 160, 380}, {7, 160, 860}};
INSTANTIATE_TEST_SUITE_P(Rates, FirstBlockCountdown, ::testing::ValuesIn(kCountdowns));

TEST_F(RunTest, BadCopiesAreAwaitedSilentlyWithinTheCountdownAndGoodBlocksAckedOnce) {
    host.settings.port = 1;
    run.stop();  // left over from before START
    play("rate:7 scroll:2 start");
    EXPECT_FALSE(run.stopRequested());
    EXPECT_EQ(host.locks, kLocked);
    EXPECT_EQ(port.calls,
              (Texts{"CommPort 2", "Settings 115200,n,8,1", "RThreshold 0", "InputLen 100",
                     "OutBufferCount 0", "InBufferCount 0", "PortOpen true", "Output 11"}));
    // The countdown of each wait: frame, start byte, block 1 (1 s + 6 s), acknowledgement,
    // block 2, acknowledgement. A bad copy loads nothing: the tick before it still counts.
    std::vector<std::int16_t> loads{run.countdown()};
    for (const char *steps : {"drain", "answer tick bad bad", "arrive", "drain tick bad bad"}) {
        play(steps);
        loads.push_back(run.countdown());
    }
    play("arrive");
    loads.push_back(run.countdown());
    play("drain");
    EXPECT_TRUE(host.messages.empty());
    // START, each bad copy and block 1 empty the receive buffer
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), "InBufferCount 0"), 6);
    EXPECT_EQ(loads, (std::vector<std::int16_t>{15, 95, 69, 15, 659, 15}));
    EXPECT_EQ(port.wire, (Bytes{0x07, 0x64, 0xC8, 0x00, 1, 0, 0, 0, 0, 0, 0x34, 0x55, 0x55}));
    expectDrawn(0, 1, 200);
    EXPECT_EQ(port.calls.back(), "PortOpen false");
    play("fail");  // after the run: nobody to tell
    expectEnded();
}

// The record length is fixed when the frame is built, even if the redraw lowers the bar meanwhile.
TEST_F(RunTest, ContinuousRunPausesThenSendsAFreshFrameAndDrawsEachNewRecord) {
    host.settings.scope.triggerMode = 3;
    play("rate:7 scroll:160 start drain");
    host.settings.scope.triggerLevel = 200, host.settings.scope.fallingEdge = false;  // moved
    host.settings.scope.recordLength = 100;   // during the record
    Bytes first = block(record = 1, next++);  // block 1 comes with the start byte, and more
    first.insert(first.begin(), kStartByte);
    first.resize(first.size() + 150, 0xEE);
    port.arrive(first);
    EXPECT_EQ(port.InBufferCount(), 0);  // the surplus is dropped with the acknowledgement
    play("drain blocks:159 tick:2");
    expectDrawn(0, 1, 16000);
    const std::size_t calls = port.calls.size();
    EXPECT_EQ(port.writes.size(), 161u);
    play("tick");
    ASSERT_EQ(port.writes.size(), 162u);
    EXPECT_EQ(port.writes[0], (Bytes{0x37, 0x64, 0x80, 0x3E, 0x01, 0, 0, 0, 0, 0, 0x5A}));
    EXPECT_EQ(port.writes[161], (Bytes{0x37, 0xC8, 0x64, 0x00, 0x00, 0, 0, 0, 0, 0, 0x63}));
    // The open port is configured and emptied again, not renumbered nor reopened.
    EXPECT_EQ(Texts(port.calls.begin() + calls, port.calls.end()),
              (Texts{"Settings 115200,n,8,1", "RThreshold 0", "InputLen 100", "OutBufferCount 0",
                     "InBufferCount 0", "Output 11"}));
    play("answer blocks:1");
    expectDrawn(1, 2, 100);
    EXPECT_EQ(host.locks, kLocked);  // locked all along
}

// The bar's share of a wait's time limit, rounded down: the start byte's 9.5 s go by in 95 ticks.
TEST_F(RunTest, TheShareOfAWaitsTimeLimitUsedRisesWithEachTickTo100) {
    play("start drain");
    for (int ticks = 0; ticks <= 95; ++ticks, play("tick"))
        EXPECT_EQ(run.progress().timeLimitUsedPercent, ticks * 100 / 95) << ticks;
}

// The title and the status line after each step of a continuous run of 400 samples at 200 SPS,
// 2 s: block 1's countdown is 80 tenths, 20 of them the record's duration.
TEST_F(RunTest, ProgressWordsFollowTheStateTizedSecAndTheBlocks) {
    Texts words;
    for (const char *step : {"rate:7 scroll:4 cont", "start", "answer", "tick:8", "tick:8",
                             "tick:4", "part", "tail tick drain", "blocks:2 arrive", "drain",
                             "tick:3 answer blocks:4", "stop tick:3", "start tick:15"}) {
        play(step);
        words.push_back(describeProgress(run.progress()));
    }
    EXPECT_EQ(words, (Texts{"", "waiting for the answer", "acquiring 0 %", "acquiring 40 %",
                            "acquiring 80 %", "waiting for the trigger", "transferring 0 %",
                            "transferring 25 %", "transferring 100 %", "pause after record 1",
                            "pause after record 2", "", "failure"}));
}

}  // namespace
}  // namespace testing
}  // namespace kalvira::acquisition
