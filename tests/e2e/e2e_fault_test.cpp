// Every fault the virtual unit can play, through the real window and port: the message shown,
// the bytes the program sent, and the record.
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "e2e_fixture.h"

namespace kalvira::e2e {
namespace {

struct FaultCase {
    const char *name;
    std::vector<std::string> unitOptions;
    bool quickClock;      // the fault ends in a time-out
    const char *message;  // nullptr: the run succeeds
    int acksSent;         // acknowledgements the unit received
};

void PrintTo(const FaultCase &c, std::ostream *os) {
    *os << c.name;
}

class EndToEndFaultTest : public EndToEndTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(EndToEndFaultTest, ShowsItsMessageAndSendsOnlyWhatTheExchangeAllows) {
    const FaultCase &c = GetParam();
    std::vector<std::string> options{"--fast", "--ack-timeout", "50"};
    options.insert(options.end(), c.unitOptions.begin(), c.unitOptions.end());
    startUnit(options);
    if (c.quickClock) quickClock();
    form->SampleScroll->setValue(5);
    ASSERT_TRUE(runToEnd());

    acquisition::FrameSettings frame = initialFrame();
    frame.recordLength = 500;
    const auto expectedBytes = frameAndAcks(frame, c.acksSent);
    EXPECT_EQ(bytesFromProgram(expectedBytes.size()), expectedBytes);
    if (c.message) {
        EXPECT_EQ(messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(form->SampleData[1], 0) << "a failed run touched SampleData";
    } else {
        EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
        expectRecordOfAcquisition(frame, 1);
    }
    expectRunEnded();
}

INSTANTIATE_TEST_SUITE_P(
    Unit, EndToEndFaultTest,
    ::testing::Values(
        FaultCase{"NoAnswer", {"--fault", "no-answer"}, true, "KALVIRA nem válaszol!", 0},
        FaultCase{"WrongStart", {"--fault", "wrong-start"}, false, "KALVIRA hibás válasz!", 0},
        FaultCase{"WrongStartAB", {"--fault", "wrong-start=AB"}, false, "KALVIRA hibás válasz!", 0},
        FaultCase{"BadCheckOnce", {"--fault", "bad-check=2:1"}, false, nullptr, 5},
        FaultCase{"BadCheckTwice", {"--fault", "bad-check=2:2"}, false, nullptr, 5},
        FaultCase{
            "BadCheckThrice", {"--fault", "bad-check=2:3"}, false, "Kapcsolat nem megfelelő!", 1},
        FaultCase{"HighByteOnce", {"--fault", "high-byte=3:1"}, false, nullptr, 5},
        FaultCase{
            "HighByteThrice", {"--fault", "high-byte=3:3"}, false, "Kapcsolat nem megfelelő!", 2},
        FaultCase{"ShortBlockNeverSentAgain",
                  {"--ack-timeout", "5000", "--fault", "short-block=1:150"},
                  true,
                  "A kapcsolat megszakadt!",
                  0},
        FaultCase{"ShortBlockSentAgain", {"--fault", "short-block=2:150"}, false, nullptr, 5},
        FaultCase{
            "StallAfterStartByte", {"--fault", "stall=0"}, true, "A kapcsolat megszakadt!", 0},
        FaultCase{"StallAfterBlock", {"--fault", "stall=2"}, true, "A kapcsolat megszakadt!", 2}),
    [](const ::testing::TestParamInfo<FaultCase> &info) { return info.param.name; });

TEST_F(EndToEndTest, APortThatCannotBeOpenedIsReportedByDeviceAndReason) {
    ::setenv("KALVIRA_COM1", "/dev/kalvira-no-such-device", 1);
    ASSERT_TRUE(runToEnd());
    ASSERT_EQ(messages.size(), 1);
    RecordProperty("message", messages[0].toStdString());
    EXPECT_TRUE(messages[0].startsWith("/dev/kalvira-no-such-device: "))
        << messages[0].toStdString();
    EXPECT_GT(messages[0].size(), QStringLiteral("/dev/kalvira-no-such-device: ").size());
    expectRunEnded();
}

TEST_F(EndToEndTest, AUnitThatVanishesMidRunIsReportedAndTheRunEnds) {
    startUnit({"--fast", "--fault", "stall=0"});
    const std::string device = unit->devicePath();
    form->start->click();
    ASSERT_TRUE(waitUntil([this] { return !unitLog("STALL").empty(); }, 5000));
    unit->stop();
    ASSERT_TRUE(waitUntil([this] { return !form->runInProgress(); }, 5000));
    ASSERT_EQ(messages.size(), 1);
    RecordProperty("message", messages[0].toStdString());
    EXPECT_TRUE(messages[0].startsWith(QString::fromStdString(device + ": ")))
        << messages[0].toStdString();
    expectRunEnded();
}

}  // namespace
}  // namespace kalvira::e2e
