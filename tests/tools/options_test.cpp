#include "unit/unit_options.h"

#include <gtest/gtest.h>

namespace kalvira::unit {
namespace {

CommandLine parse(std::vector<std::string_view> arguments) {
    return parseCommandLine(arguments);
}

TEST(CommandLine, DefaultsAreARealisticUnit) {
    const auto line = parse({});
    ASSERT_EQ(line.error, "");
    EXPECT_TRUE(line.options.waitForRecord);
    EXPECT_TRUE(line.options.paced);
    EXPECT_EQ(line.options.ackTimeout, std::chrono::milliseconds(1000));
    EXPECT_EQ(line.options.maxCopies, 3);
    EXPECT_EQ(line.options.signal.waveform, Waveform::Sine);
    EXPECT_EQ(line.options.signal.amplitude, 300.0);
    EXPECT_EQ(line.options.signal.offset, 512.0);
    EXPECT_EQ(line.options.signal.frequency, 50.0);
    EXPECT_EQ(line.options.signal.noise, 0.0);
    EXPECT_TRUE(line.options.faults.empty());
}

TEST(CommandLine, ReadsEveryOptionInBothSpellings) {
    const auto line = parse({"--link",
                             "/tmp/kalvira",
                             "--log=/tmp/wire.log",
                             "--wave",
                             "triangle",
                             "--amplitude=200.5",
                             "--offset",
                             "400",
                             "--frequency",
                             "1000",
                             "--noise",
                             "12",
                             "--seed=99",
                             "--ack-timeout",
                             "50",
                             "--copies",
                             "5",
                             "--fault",
                             "stall=3",
                             "--fault=no-answer@2"});
    ASSERT_EQ(line.error, "");
    const auto &o = line.options;
    EXPECT_EQ(o.linkPath, "/tmp/kalvira");
    EXPECT_EQ(o.logPath, "/tmp/wire.log");
    EXPECT_EQ(o.signal.waveform, Waveform::Triangle);
    EXPECT_EQ(o.signal.amplitude, 200.5);
    EXPECT_EQ(o.signal.offset, 400.0);
    EXPECT_EQ(o.signal.frequency, 1000.0);
    EXPECT_EQ(o.signal.noise, 12.0);
    EXPECT_EQ(o.signal.seed, 99U);
    EXPECT_EQ(o.ackTimeout, std::chrono::milliseconds(50));
    EXPECT_EQ(o.maxCopies, 5);
    EXPECT_EQ(o.faults,
              (std::vector<Fault>{{FaultKind::Stall, 3, 0, 0}, {FaultKind::NoAnswer, 0, 0, 2}}));
}

TEST(CommandLine, SpeedOptionsSwitchOffWaitingAndPacing) {
    struct {
        const char *option;
        bool wait, paced;
    } const cases[] = {
        {"--fast", false, false}, {"--no-wait", false, true}, {"--no-pacing", true, false}};
    for (const auto &c : cases) {
        const auto line = parse({c.option});
        ASSERT_EQ(line.error, "") << c.option;
        EXPECT_EQ(line.options.waitForRecord, c.wait) << c.option;
        EXPECT_EQ(line.options.paced, c.paced) << c.option;
    }
}

TEST(CommandLine, HelpIsRecognised) {
    EXPECT_TRUE(parse({"--help"}).help);
    EXPECT_TRUE(parse({"--fast", "-h"}).help);
}

TEST(CommandLine, RejectsWhatItCannotUse) {
    const std::vector<std::vector<std::string_view>> bad = {
        {"--bogus"},
        {"--wave", "saw"},
        {"--amplitude", "-1"},
        {"--offset", "1024"},
        {"--frequency", "0"},
        {"--frequency", "x"},
        {"--seed", "-3"},
        {"--ack-timeout", "0"},
        {"--copies", "0"},
        {"--fault", "smoke"},
        {"--log"},
        {"--link="},
        {"--fast=1"},
        {"--noise", "5x"},
        {"--amplitude", "nan"},
    };
    for (const auto &arguments : bad) {
        EXPECT_NE(parse(arguments).error, "") << arguments.front();
    }
}

struct FaultCase {
    const char *text;
    Fault fault;
};

TEST(Faults, EachNameWithItsArguments) {
    const FaultCase cases[] = {
        {"no-answer", {FaultKind::NoAnswer, 0, 0, 0}},
        {"wrong-start", {FaultKind::WrongStart, 0, 0x55, 0}},
        {"wrong-start=3C", {FaultKind::WrongStart, 0, 0x3C, 0}},
        {"bad-check=3", {FaultKind::BadCheck, 3, 1, 0}},
        {"bad-check=3:2@1", {FaultKind::BadCheck, 3, 2, 1}},
        {"short-block=2", {FaultKind::ShortBlock, 2, 100, 0}},
        {"short-block=160:0", {FaultKind::ShortBlock, 160, 0, 0}},
        {"stall=0", {FaultKind::Stall, 0, 0, 0}},
        {"stall=160@4", {FaultKind::Stall, 160, 0, 4}},
        {"high-byte=1", {FaultKind::HighByte, 1, 1, 0}},
        {"high-byte=7:3", {FaultKind::HighByte, 7, 3, 0}},
    };
    for (const auto &c : cases) {
        const auto parsed = parseFault(c.text);
        ASSERT_TRUE(parsed.fault) << c.text << ": " << parsed.error;
        EXPECT_EQ(*parsed.fault, c.fault) << c.text;
    }
}

TEST(Faults, RejectsMalformedOnes) {
    for (const char *text :
         {"", "no-answer=1", "wrong-start=AA", "wrong-start=100", "wrong-start=G1", "bad-check",
          "bad-check=0", "bad-check=161", "bad-check=1:0", "short-block=1:201", "stall=2:1",
          "stall=-1", "high-byte=x", "bad-check=1@0", "bad-check=1@", "fire=1"}) {
        EXPECT_FALSE(parseFault(text).fault) << text;
    }
}

TEST(Faults, AcquisitionSuffixLimitsAFaultToOneFrame) {
    const std::vector<Fault> faults{{FaultKind::Stall, 2, 0, 0}, {FaultKind::NoAnswer, 0, 0, 2}};
    EXPECT_EQ(faultsFor(faults, 1).size(), 1U);
    EXPECT_EQ(faultsFor(faults, 2).size(), 2U);
    EXPECT_EQ(faultsFor(faults, 3).size(), 1U);
}

}  // namespace
}  // namespace kalvira::unit
