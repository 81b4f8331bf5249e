#include "scope/scope.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "fake_serial_port.h"

namespace kalvira::scope {
namespace {

using acquisition::testing::Bytes;

// A front end that only counts what the run asks of it.
struct CountingFrontEnd : ScopeFrontEnd {
    int redraws = 0, clockStarts = 0;
    std::vector<std::string> messages;
    void startClock() override { ++clockStarts; }
    void setSettingsLocked(bool) override {}
    void redraw() override { ++redraws; }
    void showMessage(const std::string &text, std::function<void()>) override {
        messages.push_back(text);
    }
};

// One block of 100 samples, sample k worth base + k, and its check byte.
Bytes block(int base) {
    std::array<std::uint16_t, kSamplesPerBlock> values{};
    for (int k = 1; k <= 100; ++k) values[k - 1] = std::uint16_t(base + k);
    const acquisition::DataBlock bytes = acquisition::encodeBlock(values);
    return {bytes.begin(), bytes.end()};
}

struct ScopeTest : ::testing::Test {
    ScopeTest() {
        settings::ScopeSettings slow;
        slow.rateCode = 7, slow.recordLength = 100;
        scope.setSettings(slow);
    }
    // A single run the unit answers with one block.
    void takeRecord(int base) {
        scope.start();
        port.drain();
        Bytes answer{acquisition::kStartByte};
        const Bytes data = block(base);
        answer.insert(answer.end(), data.begin(), data.end());
        port.arrive(answer);
        port.drain();
        ASSERT_FALSE(scope.running());
    }
    acquisition::testing::FakeSerialPort port;
    CountingFrontEnd frontEnd;
    Scope scope{port, frontEnd};
};

TEST_F(ScopeTest, ARecordTakenIsOnScreenNumberedAndKeptWithItsSettingsAndCalibration) {
    const analysis::Calibration user{0.005, 512, 10};
    scope.setUserCalibration(user);
    QSignalSpy records(&scope, &Scope::recordChanged);
    takeRecord(300);
    // mode 0 and rate 7, level 100, 100 samples, "Fall", and 7 + 100 + 100 + 1
    EXPECT_EQ(port.writes.front(), (Bytes{7, 100, 100, 0, 1, 0, 0, 0, 0, 0, 208}));
    ASSERT_TRUE(scope.recordShown());
    EXPECT_EQ(std::tuple(scope.record().size(), scope.record().front(), scope.record().back()),
              std::tuple(100u, 301, 400));
    EXPECT_EQ(std::tuple(scope.recordNumber(), scope.history().size(), frontEnd.redraws),
              std::tuple(1u, 1u, 1));
    EXPECT_EQ(records.count(), 1);
    EXPECT_EQ(scope.history().at(0).settings, scope.settings());
    EXPECT_EQ(scope.history().at(0).records.front().back(), 400);
    EXPECT_EQ(scope.settings().calibration, user);
}

TEST_F(ScopeTest, TheHistoryPositionIsTheEntryOnScreenOrOnePastTheNewest) {
    takeRecord(100);
    takeRecord(200);
    EXPECT_EQ(scope.historyPosition(), 1u);  // the newest is on screen
    scope.showRecord(scope.history().at(0));
    EXPECT_EQ(scope.historyPosition(), 2u);  // shown, but not as an entry of the history
    scope.noteHistoryShown(0);
    EXPECT_EQ(scope.historyPosition(), 0u);
    scope.clearRecord();
    EXPECT_EQ(scope.historyPosition(), 2u);
    takeRecord(300);
    EXPECT_EQ(scope.historyPosition(), 2u);
    scope.clearHistory();
    EXPECT_EQ(scope.historyPosition(), 0u);
}

TEST_F(ScopeTest, ARecordFromAFileReadsByItsCalibrationUntilTheNextRecordOrChoice) {
    const analysis::Calibration user{0.005, 512, 10}, file{-0.01, 100, 1}, chosen{1, 0, 100};
    scope.setUserCalibration(user);
    records::RecordFile opened = scope.recordOnScreen();
    opened.settings.calibration = file;
    scope.showRecord(opened);
    EXPECT_EQ(scope.settings().calibration, file);
    takeRecord(100);
    EXPECT_EQ(scope.settings().calibration, user);
    opened.settings.calibration.reset();
    scope.showRecord(opened);
    EXPECT_EQ(scope.settings().calibration, std::nullopt);
    scope.setUserCalibration(chosen);
    EXPECT_EQ(scope.settings().calibration, chosen);
}

TEST_F(ScopeTest, CursorsStandForRecordsOfTheRateAndLengthTheyWerePlacedOn) {
    EXPECT_EQ(scope.cursors(), std::nullopt);
    const analysis::CursorPositions placed{10, 20, 300, 700};
    scope.setCursors(placed);
    settings::ScopeSettings shown = scope.settings();
    shown.timeBase = 13, shown.scrollDivisions = 2;
    scope.noteSettings(shown);
    EXPECT_EQ(scope.cursors(), placed);
    shown.recordLength = 200;
    scope.noteSettings(shown);
    EXPECT_EQ(scope.cursors(), std::nullopt);
    shown.recordLength = 100, shown.rateCode = 6;
    scope.noteSettings(shown);
    EXPECT_EQ(scope.cursors(), std::nullopt);
}

TEST_F(ScopeTest, SettingsAskedForGoThroughTheFrontEndsControlsWhenItHasThem) {
    QSignalSpy changes(&scope, &Scope::settingsChanged);
    scope.setUserCalibration(analysis::Calibration{0.005, 512, 10});
    settings::ScopeSettings wanted = scope.settings();
    wanted.triggerLevel = 7, wanted.calibration.reset();
    scope.setSettings(wanted);
    scope.setSettings(wanted);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(scope.settings().triggerLevel, 7);
    EXPECT_TRUE(scope.settings().calibration);  // a calibration is chosen on its own
    std::vector<int> moved;
    scope.setSettingsMover([&](const settings::ScopeSettings &s) { moved.push_back(s.timeBase); });
    wanted.timeBase = 13;
    scope.setSettings(wanted);
    EXPECT_EQ(moved, std::vector<int>{13});
    EXPECT_EQ(scope.settings().timeBase, 0);  // until the controls report it
}

}  // namespace
}  // namespace kalvira::scope
