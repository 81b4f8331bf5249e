#pragma once

namespace kalvira::acquisition {

// Where a measurement run stands. The momentary states (Preparing, Checking start byte, Checking
// block, Committing, Ending) are passed through within one pass; the others wait for something
// that can change their outcome: bytes arriving or leaving, a Timer1 tick, STOP, a closed message.
enum class RunState {
    Idle,               // no run: START is enabled
    Preparing,          // stop test, port configured and opened, frame built and written
    Sending,            // the command frame is leaving the transmit buffer (1.5 s)
    AwaitingStartByte,  // the unit's first byte (9.5 s)
    CheckingStartByte,  // one read; its first byte must be 0xAA
    ReceivingBlock,     // gathering the 201 bytes of the current block
    CheckingBlock,      // the block's check byte decides: accept, await a copy, or give up
    Acknowledging,      // the 0x55 is leaving the transmit buffer (1.5 s)
    Committing,         // the record goes to SampleData and is drawn
    Pausing,            // 0.3 s between two records of a continuous run
    Reporting,          // a failure's message is on screen; its OK leads to Ending
    Ending,             // controls enabled again, port closed
};

// The state's name, for diagnostics and test output.
const char *runStateName(RunState state);

}  // namespace kalvira::acquisition
