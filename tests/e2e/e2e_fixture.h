#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/protocol.h"
#include "ui/form1.h"
#include "unit/wire_log.h"
#include "unit_process.h"

namespace kalvira::e2e {

// The real window with its real serial port, run against kalvira-unit on a pseudo-terminal.
// Every message box of a run is recorded and closed with OK as soon as it opens.
class EndToEndTest : public ::testing::Test {
protected:
    EndToEndTest();
    ~EndToEndTest() override;

    // Starts the unit with these options and points COM1 at its device.
    void startUnit(const std::vector<std::string> &options);
    // Timer1 ticks every millisecond instead of every 100, so that time-outs come quickly.
    void quickClock();
    // Clicks START and waits for the run to end; false when it has not ended in time.
    bool runToEnd(int timeoutMs = 10000);
    // Waits until the unit's log holds a line of this kind for acquisition acq.
    bool waitForUnit(const std::string &kind, int acq, int timeoutMs = 10000);

    // The unit's log, taken apart; only the lines of one kind when kind is given.
    std::vector<unit::LogLine> unitLog(const std::string &kind = {}) const;
    // Every byte the unit has read from the program, in order, once it has read at least
    // atLeast of them (or after 2 s): the program may be done before the unit has logged all.
    std::vector<std::uint8_t> bytesFromProgram(std::size_t atLeast = 0) const;
    // The number of the last acquisition whose last acknowledgement the unit received.
    int lastCompletedAcquisition() const;
    // SampleData positions 1..N equal the record the unit took for acquisition acq.
    void expectRecordOfAcquisition(const acquisition::FrameSettings &frame, int acq) const;
    // The locked controls are usable again and the port is closed.
    void expectRunEnded() const;

    std::unique_ptr<unit::testing::UnitProcess> unit;
    std::unique_ptr<ui::Form1> form;
    QStringList messages;
};

// Lets the event loop run until done() holds or the time is up; whether done() held. Unlike
// QTest::qWaitFor it does not sleep between events, so a fast Timer1 really ticks fast.
bool waitUntil(const std::function<bool()> &done, int timeoutMs);

// The frame as the window's initial settings build it, with other values where given.
acquisition::FrameSettings initialFrame();
// The frame's bytes followed by acks acknowledgements.
std::vector<std::uint8_t> frameAndAcks(const acquisition::FrameSettings &frame, int acks);

}  // namespace kalvira::e2e
