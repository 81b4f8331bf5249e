#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

#include "acquisition/measurement_run.h"
#include "fake_run_host.h"
#include "fake_serial_port.h"

namespace kalvira::acquisition {
inline void PrintTo(RunState state, std::ostream *os) {
    *os << runStateName(state);
}
}  // namespace kalvira::acquisition

namespace kalvira::acquisition::testing {

using Bytes = std::vector<std::uint8_t>;

// Sample k (1..16000) of the test signal for record r: a 10-bit value, different per record.
std::int16_t testSample(int record, int k);
// The 201 bytes of block b (1..160) of record r as the unit sends them, check byte right.
Bytes testBlock(int record, int b);
// The same block with its check byte wrong.
Bytes corrupted(Bytes block);
// Filler written into SampleData before a run, to see which positions the run replaces.
inline constexpr std::int16_t kUntouched = 777;

// A run on the fake window and the fake port, with the test as the unit and as Timer1.
class RunTest : public ::testing::Test {
protected:
    RunTest();

    // Timer1_Timer n times (only while the run has Timer1 on), each followed by a pass.
    void tick(int n = 1);
    // stp_Click.
    void pressStop();
    // The frame written last leaves the port; the unit answers with the start byte alone.
    void frameSentAndAnswered();
    // The unit sends block b of record r, whole, and the host's acknowledgement leaves the port.
    void blockDelivered(int record, int b);
    // A whole acquisition of `blocks` blocks from the frame onward, every step checked.
    void recordDelivered(int record, int blocks);
    // SampleData positions 1..length hold record r.
    void expectRecord(int record, int length) const;

    FakeRunHost host;
    FakeSerialPort port;
    MeasurementRun run{host, port};
};

}  // namespace kalvira::acquisition::testing
