#include "remote/scpi_session.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "fake_serial_port.h"
#include "scope/scope.h"

namespace kalvira::remote {
namespace {

using acquisition::testing::Bytes;

struct QuietFrontEnd : scope::ScopeFrontEnd {
    void startClock() override {}
    void setSettingsLocked(bool) override {}
    void redraw() override {}
    void showMessage(const std::string &, std::function<void()>) override {}
};

struct ScpiSessionTest : ::testing::Test {
    ScpiSessionTest() {
        QObject::connect(&session, &ScpiSession::replied,
                         [this](const QByteArray &message) { replies += message.toStdString(); });
    }
    // What the line is answered with at once.
    std::string ask(const std::string &line) {
        replies.clear();
        session.takeLine(line);
        return replies;
    }
    // The number of the oldest error in the queue, 0 for none.
    int nextError() { return std::stoi(ask("SYST:ERR?")); }
    // The unit answers the frame with a record of 100 samples, sample k worth 300 + k.
    void unitSendsRecord() {
        std::array<std::uint16_t, kSamplesPerBlock> values{};
        for (int k = 1; k <= 100; ++k) values[k - 1] = std::uint16_t(300 + k);
        const acquisition::DataBlock block = acquisition::encodeBlock(values);
        Bytes answer(block.begin(), block.end());
        answer.insert(answer.begin(), acquisition::kStartByte);
        port.drain();
        port.arrive(answer);
        port.drain();
        QCoreApplication::processEvents();
    }

    acquisition::testing::FakeSerialPort port;
    QuietFrontEnd frontEnd;
    scope::Scope scope{port, frontEnd};
    ScpiSession session{scope};
    std::string replies;
};

using ErrorCase = std::pair<std::string, int>;
class ScpiErrorTest : public ScpiSessionTest, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ScpiErrorTest, ABadCommandQueuesItsStandardErrorAndChangesNothing) {
    const settings::ScopeSettings before = scope.settings();
    EXPECT_EQ(ask(GetParam().first), "");
    EXPECT_EQ(nextError(), GetParam().second) << GetParam().first;
    EXPECT_EQ(ask("SYST:ERR:NEXT?"), "0,\"No error\"\n");
    EXPECT_EQ(scope.settings(), before);
    EXPECT_TRUE(port.writes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ScpiErrorTest,
    ::testing::Values(ErrorCase{"?", -100}, ErrorCase{":TRIG:LEV 1,", -102},
                      ErrorCase{":TRIG:LEV 1,2", -108}, ErrorCase{"*IDN? 1", -108},
                      ErrorCase{":TRIG:LEV", -109}, ErrorCase{":TRIG:LEVL 5", -113},
                      ErrorCase{":RUN?", -113}, ErrorCase{":TRIG:STAT", -113},
                      ErrorCase{":TRIG:LEV 255", -222}, ErrorCase{":ACQ:SRAT 30000", -222},
                      ErrorCase{":ACQ:POIN 16100", -222}, ErrorCase{":TIM:SCAL 3ms", -222},
                      ErrorCase{":HIST:SEL 1", -222}, ErrorCase{":TRIG:SOUR MOON", -224},
                      ErrorCase{":WAV:FORM BYTE", -224}, ErrorCase{":TRIG:LEV ten", -224}));

TEST_F(ScpiSessionTest, SetsEverySettingInShortAndLongFormsAndReadsItBack) {
    ask(":acquire:srate 200;POIN 1600;:TRIGGER:SOUR LEV;LEV 200;slope positive;:TIM:SCAL 20 ms");
    settings::ScopeSettings expected;
    expected.rateCode = 7, expected.recordLength = 1600, expected.triggerMode = 2;
    expected.triggerLevel = 200, expected.fallingEdge = false, expected.timeBase = 8;
    EXPECT_EQ(scope.settings(), expected);
    EXPECT_EQ(ask(":ACQ:SRAT?;POIN?;:TRIG:SOUR?;LEV?;SLOP?;:TIM:SCAL?"),
              "200;1600;LEV;200;POS;0.02\n");
    EXPECT_EQ(nextError(), 0);
}

TEST_F(ScpiSessionTest, OpcWaitsForTheSingleRecordThenTheDataIsTheRecord) {
    EXPECT_EQ(ask(":ACQ:SRAT 200;POIN 100;:SINGLE;*OPC?;:TRIG:LEV?"), "");
    EXPECT_TRUE(session.busy());
    // mode 0, rate 7, level 100, 100 samples, "Fall"
    EXPECT_EQ(port.writes.front(), (Bytes{7, 100, 100, 0, 1, 0, 0, 0, 0, 0, 208}));
    EXPECT_EQ(ask(":TRIG:SLOP?"), "");  // the next line waits its turn
    unitSendsRecord();
    EXPECT_EQ(replies, "1;100\nNEG\n");
    EXPECT_FALSE(session.busy());
    std::string block = "#500200";
    for (int k = 1; k <= 100; ++k) block.append(1, char(300 + k)).append(1, char((300 + k) >> 8));
    EXPECT_EQ(ask(":WAV:DATA?"), block + "\n");
    EXPECT_TRUE(ask(":WAV:FORM ASC;:WAV:DATA?").starts_with("301,302,303,"));
    EXPECT_EQ(ask(":WAV:PRE?;:HIST:COUN?;SEL?"), "100,0.005,0,1,0;1;1\n");
    EXPECT_EQ(ask(":MEAS:VMAX?;VMIN?;FREQ?"), "400;301;9.91E37\n");
}

TEST_F(ScpiSessionTest, WhatARunLocksIsRefusedWhileItLasts) {
    ask(":RUN");
    ASSERT_TRUE(scope.running());
    EXPECT_EQ(ask(":TRIG:STAT?"), "WAIT\n");
    for (const char *locked : {":ACQ:SRAT 200", ":ACQ:POIN 100", ":TRIG:SOUR LEV", ":SING"}) {
        ask(locked);
        EXPECT_EQ(nextError(), -221) << locked;
    }
    ask(":RUN;:TRIG:LEV 7;:STOP");  // running on is no conflict; the level is free
    EXPECT_EQ(std::tuple(nextError(), scope.settings().triggerLevel, scope.settings().triggerMode),
              std::tuple(0, 7, 1));
    port.drain();  // the frame has gone: the stop is seen
    EXPECT_FALSE(scope.running());
}

TEST_F(ScpiSessionTest, StatusRegistersFollowTheErrorsAndTheQueueOverflows) {
    EXPECT_EQ(ask("*ESE 60;*SRE 32;:FOO;*STB?;*ESR?;*ESR?;*STB?"), "100;32;0;4\n");
    for (int i = 0; i < 11; ++i) ask(":TRIG:LEV 0");
    std::vector<int> queue;
    for (int i = 0; i < 12; ++i) queue.push_back(nextError());
    EXPECT_EQ(queue,
              (std::vector<int>{-113, -222, -222, -222, -222, -222, -222, -222, -222, -350, 0, 0}));
    ask(":FOO;*CLS");
    EXPECT_EQ(ask("*ESR?;*STB?;*OPC;*ESR?"), "0;0;1\n");
}

}  // namespace
}  // namespace kalvira::remote
