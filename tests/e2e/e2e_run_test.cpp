// Whole runs of the real window through the real serial port to the virtual unit.
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "acquisition/qt_serial_port.h"
#include "e2e_fixture.h"
#include "ui/option_button.h"

namespace kalvira::e2e {
namespace {

TEST_F(EndToEndTest, SingleRunWithTheInitialSettingsCommitsTheUnitsRecord) {
    startUnit({"--fast"});
    ASSERT_TRUE(runToEnd());

    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
    const auto expectedBytes = frameAndAcks(initialFrame(), 50);
    EXPECT_EQ(bytesFromProgram(expectedBytes.size()), expectedBytes);
    expectRecordOfAcquisition(initialFrame(), 1);
    EXPECT_EQ(form->MeresVege, -1);
    EXPECT_EQ(unitLog("FRAME").size(), 1u);
    expectRunEnded();
}

TEST_F(EndToEndTest, SingleRunOf16000SamplesAtTheSlowestRate) {
    startUnit({"--fast"});
    form->SampleRate[7]->click();
    form->trigger[2]->click();   // "Trig./Single"
    form->TrigEdge[1]->click();  // "Rise"
    form->SampleScroll->setValue(160);
    ASSERT_TRUE(runToEnd());

    acquisition::FrameSettings frame{2, 7, 100, 16000, false};
    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
    const auto expectedBytes = frameAndAcks(frame, 160);
    EXPECT_EQ(bytesFromProgram(expectedBytes.size()), expectedBytes);
    expectRecordOfAcquisition(frame, 1);
    expectRunEnded();
}

TEST_F(EndToEndTest, ContinuousRunRepeatsUntilStopWithLevelAndEdgeChangesInTheNextFrame) {
    startUnit({"--fast"});
    form->trigger[3]->click();  // "Trig./Cont."
    form->SampleScroll->setValue(2);
    form->start->click();
    ASSERT_TRUE(waitForUnit("DONE", 1));
    form->TrigLevelScroll->setValue(140);
    form->TrigEdge[1]->click();
    ASSERT_TRUE(waitForUnit("DONE", 3));
    form->stp->click();
    ASSERT_TRUE(waitUntil([this] { return !form->runInProgress(); }, 5000));
    // Once the unit has seen the port close, its log holds everything the program sent.
    ASSERT_TRUE(waitUntil([this] { return !unitLog("HOST").empty(); }, 3000));

    EXPECT_TRUE(messages.isEmpty()) << messages.join("; ").toStdString();
    const int last = lastCompletedAcquisition();
    ASSERT_GE(last, 3);
    // Frames after the change carry it; the one in flight when it was made does not.
    const auto frames = unitLog("FRAME");
    ASSERT_GE(frames.size(), static_cast<std::size_t>(last));
    EXPECT_EQ(frames[0].fields.at("level"), "100");
    EXPECT_EQ(frames[0].fields.at("edge"), "fall");
    EXPECT_EQ(frames.back().fields.at("level"), "140");
    EXPECT_EQ(frames.back().fields.at("edge"), "rise");

    // Each acquisition: its frame, then one acknowledgement per block, in order.
    std::vector<std::uint8_t> expected;
    for (const auto &line : frames) {
        const bool fall = line.fields.at("edge") == "fall";
        const acquisition::FrameSettings frame{
            3, 0, static_cast<std::uint8_t>(std::stoi(line.fields.at("level"))), 200, fall};
        const auto bytes = frameAndAcks(frame, 2);
        expected.insert(expected.end(), bytes.begin(), bytes.end());
    }
    const auto wire = bytesFromProgram();
    ASSERT_LE(wire.size(), expected.size());
    EXPECT_TRUE(std::equal(wire.begin(), wire.end(), expected.begin()));

    const auto &lastFrame = frames[static_cast<std::size_t>(last - 1)];
    const acquisition::FrameSettings frame{
        3, 0, static_cast<std::uint8_t>(std::stoi(lastFrame.fields.at("level"))), 200,
        lastFrame.fields.at("edge") == "fall"};
    expectRecordOfAcquisition(frame, last);
    expectRunEnded();
}

bool allEnabled(const ui::OptionGroup &group, bool enabled) {
    for (int i = 0; i < group.size(); ++i) {
        if (group[i]->isEnabled() != enabled) return false;
    }
    return true;
}

TEST_F(EndToEndTest, ARunLocksTheAcquisitionSettingsAndStopUnlocksThemAndTheirNeighbours) {
    startUnit({"--fast", "--fault", "stall=0"});
    form->start->click();
    ASSERT_TRUE(waitUntil([this] { return !unitLog("STALL").empty(); }, 5000));

    EXPECT_FALSE(form->start->isEnabled());
    EXPECT_FALSE(form->Kilepes->isEnabled());
    EXPECT_TRUE(allEnabled(form->SampleRate, false));
    EXPECT_TRUE(allEnabled(form->trigger, false));
    EXPECT_FALSE(form->SampleScroll->isEnabled());
    EXPECT_TRUE(allEnabled(form->Com1, false));
    // What stays usable during a run.
    EXPECT_TRUE(form->stp->isEnabled());
    EXPECT_TRUE(form->TrigLevelScroll->isEnabled());
    EXPECT_TRUE(allEnabled(form->TrigEdge, true));
    EXPECT_TRUE(allEnabled(form->TimeOption, true));
    EXPECT_TRUE(allEnabled(form->LineStyleOption, true));

    form->stp->click();
    EXPECT_FALSE(form->runInProgress());
    EXPECT_TRUE(allEnabled(form->SampleRate, true));
    EXPECT_TRUE(allEnabled(form->trigger, true));
    EXPECT_TRUE(allEnabled(form->Com1, true));
    EXPECT_TRUE(allEnabled(form->TimeOption, true));
    EXPECT_TRUE(form->TrigLevelScroll->isEnabled());
    EXPECT_TRUE(messages.isEmpty());
    expectRunEnded();
}

TEST_F(EndToEndTest, ClosingTheWindowMidRunStopsTheRunAndClosesThePort) {
    startUnit({"--fast", "--fault", "stall=0"});
    form->show();
    form->start->click();
    ASSERT_TRUE(waitUntil([this] { return !unitLog("STALL").empty(); }, 5000));
    ASSERT_TRUE(form->runInProgress());

    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->runInProgress());
    EXPECT_EQ(form->StopGombLenyomva, -1);
    EXPECT_FALSE(form->MSComm1->PortOpen());
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_TRUE(waitUntil([this] { return !unitLog("HOST").empty(); }, 3000))
        << "the unit never saw the port close";
}

}  // namespace
}  // namespace kalvira::e2e
