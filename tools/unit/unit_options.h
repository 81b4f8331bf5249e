#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "faults.h"
#include "signal.h"

namespace kalvira::unit {

// How the virtual unit behaves, as its command line sets it.
struct UnitOptions {
    SignalOptions signal;
    std::vector<Fault> faults;
    bool waitForRecord = true;  // block 1 only after the record's duration (and the trigger wait)
    bool paced = true;          // bytes leave at 115200 baud, 10 bits each, not all at once
    std::chrono::milliseconds ackTimeout{1000};  // a block is sent again after this long unanswered
    // Played like a USB adapter's latency timer: bytes reach the host 62 at a time, or when this
    // long has passed since the first one held; nullopt for bytes at once.
    std::optional<std::chrono::milliseconds> usbLatency;
    int maxCopies = 3;     // copies of one block before the unit gives up on the record
    std::string linkPath;  // symlink to the device; empty for none
    std::string logPath;   // wire log file; empty for none
};

// The command line read: options, or a help request, or what was wrong.
struct CommandLine {
    UnitOptions options;
    bool help = false;
    std::string error;  // empty when the line was understood
};

// Reads the arguments after the program name.
CommandLine parseCommandLine(const std::vector<std::string_view> &arguments);

// The text --help prints.
std::string usageText();

}  // namespace kalvira::unit
