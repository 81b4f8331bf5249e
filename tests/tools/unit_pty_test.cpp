// The kalvira-unit program itself, over a real pseudo-terminal, with the protocol functions on
// the host's side.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "acquisition/protocol.h"
#include "unit/signal.h"
#include "unit_process.h"

namespace kalvira::unit::testing {
namespace {

using acquisition::decodeBlock;
using acquisition::FrameSettings;
using Bytes = std::vector<std::uint8_t>;

const std::vector<std::string> kFast{"--fast", "--ack-timeout", "100"};

std::vector<std::string> fastWith(std::initializer_list<std::string> more) {
    std::vector<std::string> options = kFast;
    options.insert(options.end(), more);
    return options;
}

// Receives one whole record the way the program does: start byte, then each block decoded and
// acknowledged. Returns the samples, or fewer when something went wrong.
std::vector<std::uint16_t> receiveRecord(HostPort &port, const FrameSettings &frame) {
    port.write(frameBytes(frame.triggerMode, frame.rateCode, frame.triggerLevel, frame.recordLength,
                          frame.fallingEdge));
    std::vector<std::uint16_t> samples;
    const Bytes start = port.read(1);
    if (start != Bytes{0xAA}) {
        ADD_FAILURE() << "no start byte";
        return samples;
    }
    for (int b = 0; b < frame.recordLength / 100; ++b) {
        const auto block = decodeBlock(port.read(201));
        if (!block.checkOk) {
            ADD_FAILURE() << "block " << b + 1 << " failed its check";
            return samples;
        }
        samples.insert(samples.end(), block.samples.begin(), block.samples.end());
        port.write({0x55});
    }
    return samples;
}

// Concatenates the bytes of every TX line of one acquisition: what went on the wire.
Bytes sentBytes(const UnitProcess &unit, int acquisition) {
    Bytes all;
    for (const auto &text : unit.logLines()) {
        const LogLine line = parseLogLine(text);
        if (line.kind == "TX" && line.fields.at("acq") == std::to_string(acquisition)) {
            all.insert(all.end(), line.bytes.begin(), line.bytes.end());
        }
    }
    return all;
}

TEST(UnitOverPty, RecordOfOneBlock) {
    UnitProcess unit(kFast);
    ASSERT_TRUE(unit.started());
    HostPort port(unit.devicePath());
    ASSERT_TRUE(port.isOpen());
    const FrameSettings frame{0, 0, 100, 100, true};
    const auto samples = receiveRecord(port, frame);
    EXPECT_EQ(samples, generateRecord({}, frame, 1)->samples);
    ASSERT_TRUE(unit.waitForEvent("DONE", 1));

    // The log holds the exact bytes both ways.
    const auto lines = unit.logLines();
    ASSERT_GE(lines.size(), 6U);
    EXPECT_EQ(lines[0], "RX 00 64 64 00 01 00 00 00 00 00 C9");
    EXPECT_EQ(lines[1], "FRAME acq=1 mode=0 rate=0 level=100 samples=100 edge=fall");
    EXPECT_EQ(lines[2], "TX start acq=1 AA");
    const auto block =
        acquisition::encodeBlock(std::span<const std::uint16_t, 100>(samples.data(), 100));
    EXPECT_EQ(lines[3], "TX block acq=1 block=1 copy=1 " + hexBytes(block));
    EXPECT_EQ(lines[4], "RX 55");
    EXPECT_EQ(lines[5], "ACK acq=1 block=1");
}

TEST(UnitOverPty, RecordOf160BlocksEachAcknowledged) {
    UnitProcess unit(fastWith({"--wave", "triangle", "--noise", "8", "--seed", "42"}));
    HostPort port(unit.devicePath());
    ASSERT_TRUE(port.isOpen());
    const FrameSettings frame{3, 2, 128, 16000, false};
    SignalOptions signal;
    signal.waveform = Waveform::Triangle;
    signal.noise = 8.0;
    signal.seed = 42;
    const auto expected = generateRecord(signal, frame, 1)->samples;
    EXPECT_EQ(receiveRecord(port, frame), expected);
    ASSERT_TRUE(unit.waitForEvent("DONE", 1));

    int acknowledgements = 0;
    int copies = 0;
    for (const auto &text : unit.logLines()) {
        const LogLine line = parseLogLine(text);
        acknowledgements += line.kind == "ACK";
        copies += line.kind == "TX" && !line.words.empty() && line.words[0] == "block";
    }
    EXPECT_EQ(acknowledgements, 160);
    EXPECT_EQ(copies, 160);
    EXPECT_EQ(sentBytes(unit, 1).size(), 1U + 160U * 201U);
}

TEST(UnitOverPty, ContinuousRecordsFollowOneAnother) {
    UnitProcess unit(kFast);
    HostPort port(unit.devicePath());
    const FrameSettings frame{1, 0, 100, 500, true};
    for (int acquisition = 1; acquisition <= 3; ++acquisition) {
        EXPECT_EQ(receiveRecord(port, frame), generateRecord({}, frame, acquisition)->samples);
        ASSERT_TRUE(unit.waitForEvent("DONE", acquisition));
    }
}

TEST(UnitOverPty, SurvivesTheHostClosingMidRecord) {
    UnitProcess unit(kFast);
    const FrameSettings frame{0, 0, 100, 1000, true};
    {
        HostPort port(unit.devicePath());
        port.write(frameBytes(0, 0, 100, 1000, true));
        EXPECT_EQ(port.read(202).size(), 202U);
        port.write({0x55});
        EXPECT_EQ(port.read(201).size(), 201U);
    }
    ASSERT_TRUE(unit.waitForEvent("ABORT", 1));
    HostPort again(unit.devicePath());
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(receiveRecord(again, frame), generateRecord({}, frame, 2)->samples);
    EXPECT_TRUE(unit.waitForLog([](const LogLine &l) { return l.kind == "HOST"; }));
}

TEST(UnitOverPty, NewFrameMidRecordRestarts) {
    UnitProcess unit(kFast);
    HostPort port(unit.devicePath());
    port.write(frameBytes(0, 0, 100, 1000, true));
    EXPECT_EQ(port.read(202).size(), 202U);
    const FrameSettings frame{2, 3, 100, 300, false};
    EXPECT_EQ(receiveRecord(port, frame), generateRecord({}, frame, 2)->samples);
    EXPECT_TRUE(unit.waitForEvent("ABORT", 1));
}

TEST(UnitOverPty, SilentWhenNoTriggerComes) {
    UnitProcess unit(kFast);
    HostPort port(unit.devicePath());
    port.write(frameBytes(2, 0, 254, 100, false));  // 1016 is above the sine's 812
    EXPECT_EQ(port.read(1), Bytes{0xAA});
    EXPECT_FALSE(port.anyByteWithin(std::chrono::milliseconds(200)));
    EXPECT_TRUE(unit.waitForEvent("NOTRIGGER", 1));
}

// ---- Faults, each over the wire --------------------------------------------------------------

TEST(UnitFaults, NoAnswer) {
    UnitProcess unit(fastWith({"--fault", "no-answer"}));
    HostPort port(unit.devicePath());
    port.write(frameBytes(0, 0, 100, 100, true));
    EXPECT_FALSE(port.anyByteWithin(std::chrono::milliseconds(300)));
    EXPECT_TRUE(unit.waitForEvent("SILENT", 1));
}

TEST(UnitFaults, WrongStartByte) {
    UnitProcess unit(fastWith({"--fault", "wrong-start"}));
    HostPort port(unit.devicePath());
    port.write(frameBytes(0, 0, 100, 100, true));
    const Bytes first = port.read(1);
    ASSERT_EQ(first.size(), 1U);
    EXPECT_FALSE(acquisition::splitFirstChunk(first).startByteOk);
    EXPECT_EQ(first[0], 0x55);
}

TEST(UnitFaults, BadCheckForTwoCopiesThenAGoodOne) {
    UnitProcess unit(fastWith({"--fault", "bad-check=2:2"}));
    HostPort port(unit.devicePath());
    const FrameSettings frame{0, 0, 100, 300, true};
    const auto record = generateRecord({}, frame, 1)->samples;
    port.write(frameBytes(0, 0, 100, 300, true));
    ASSERT_EQ(port.read(1), Bytes{0xAA});
    EXPECT_TRUE(decodeBlock(port.read(201)).checkOk);
    port.write({0x55});
    // The program sends nothing for a failed copy; the unit repeats after its time-out.
    EXPECT_FALSE(decodeBlock(port.read(201)).checkOk);
    EXPECT_FALSE(decodeBlock(port.read(201)).checkOk);
    const auto third = decodeBlock(port.read(201));
    ASSERT_TRUE(third.checkOk);
    EXPECT_TRUE(std::equal(third.samples.begin(), third.samples.end(), record.begin() + 100));
    port.write({0x55});
    EXPECT_TRUE(decodeBlock(port.read(201)).checkOk);
    port.write({0x55});
    EXPECT_TRUE(unit.waitForEvent("DONE", 1));
}

TEST(UnitFaults, ThirdBadCopyIsTheLast) {
    UnitProcess unit(fastWith({"--fault", "bad-check=1:3"}));
    HostPort port(unit.devicePath());
    port.write(frameBytes(0, 0, 100, 100, true));
    ASSERT_EQ(port.read(1), Bytes{0xAA});
    for (int copy = 0; copy < 3; ++copy) EXPECT_FALSE(decodeBlock(port.read(201)).checkOk);
    EXPECT_FALSE(port.anyByteWithin(std::chrono::milliseconds(250)));
    EXPECT_TRUE(unit.waitForEvent("GIVEUP", 1));
}

TEST(UnitFaults, BlockCutShort) {
    UnitProcess unit(fastWith({"--fault", "short-block=1:120"}));
    HostPort port(unit.devicePath());
    port.write(frameBytes(0, 0, 100, 100, true));
    const Bytes first = port.read(202, std::chrono::milliseconds(60));
    EXPECT_EQ(first.size(), 121U);  // start byte and 120 bytes of block 1
    const Bytes copy2 = port.read(201);
    EXPECT_TRUE(decodeBlock(copy2).checkOk);
    EXPECT_TRUE(std::equal(first.begin() + 1, first.end(), copy2.begin()));
}

TEST(UnitFaults, StallAfterABlock) {
    UnitProcess unit(fastWith({"--fault", "stall=2"}));
    HostPort port(unit.devicePath());
    port.write(frameBytes(0, 0, 100, 500, true));
    ASSERT_EQ(port.read(1), Bytes{0xAA});
    for (int b = 0; b < 2; ++b) {
        EXPECT_TRUE(decodeBlock(port.read(201)).checkOk);
        port.write({0x55});
    }
    EXPECT_FALSE(port.anyByteWithin(std::chrono::milliseconds(250)));
    EXPECT_TRUE(unit.waitForEvent("STALL", 1));
}

TEST(UnitFaults, SampleWithHighByte0x80) {
    UnitProcess unit(fastWith({"--fault", "high-byte=1"}));
    HostPort port(unit.devicePath());
    port.write(frameBytes(0, 0, 100, 100, true));
    ASSERT_EQ(port.read(1), Bytes{0xAA});
    const Bytes copy1 = port.read(201);
    ASSERT_EQ(copy1.size(), 201U);
    EXPECT_GE(copy1[199], 0x80);
    EXPECT_EQ(copy1[200], acquisition::checkByte(std::span(copy1).first(200)));
    EXPECT_FALSE(decodeBlock(copy1).checkOk);
    EXPECT_TRUE(decodeBlock(port.read(201)).checkOk);  // the repeat is clean
}

// ---- The program around the exchange ----------------------------------------------------------

TEST(UnitProgram, PacedUnitWaitsTheRecordThenSendsAtLineRate) {
    UnitProcess unit({"--ack-timeout", "1000"});
    HostPort port(unit.devicePath());
    // 100 samples at 1 ms take 0.1 s; 202 bytes at 115200 baud take 17.5 ms.
    port.write(frameBytes(0, 5, 100, 100, true));
    const auto sent = std::chrono::steady_clock::now();
    EXPECT_EQ(port.read(1), Bytes{0xAA});
    EXPECT_EQ(port.read(201).size(), 201U);
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(115));
}

TEST(UnitProgram, LinkPointsToTheDeviceUntilStopped) {
    for (int stopSignal : {SIGTERM, SIGINT}) {
        const std::string link = (std::filesystem::temp_directory_path() /
                                  ("kalvira-link-" + std::to_string(::getpid())))
                                     .string();
        UnitProcess unit(fastWith({"--link", link}));
        ASSERT_TRUE(unit.started());
        EXPECT_EQ(std::filesystem::read_symlink(link).string(), unit.devicePath());
        {
            HostPort port(link);
            EXPECT_EQ(receiveRecord(port, {0, 0, 100, 100, true}).size(), 100U);
        }
        const int status = unit.stop(stopSignal);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    }
}

TEST(UnitProgram, HelpAndBadOptions) {
    const auto help = runUnitToEnd({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--fault"), std::string::npos);
    const auto bad = runUnitToEnd({"--wave", "saw"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("--wave must be"), std::string::npos);
}

}  // namespace
}  // namespace kalvira::unit::testing
