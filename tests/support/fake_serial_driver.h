#pragma once

#include <optional>
#include <vector>

#include "acquisition/serial_driver.h"

namespace kalvira::acquisition::testing {

// The driver of a USB adapter as the test scripts it, on a virtual clock that only sleeping moves:
// its output queue, and its serial flags with every value it was asked to set.
class FakeSerialDriver : public SerialDriver {
public:
    int queued = 0;  // what TIOCOUTQ reads until the queue empties
    std::optional<std::chrono::microseconds> emptiesAfter;  // virtual time; nullopt: never
    std::optional<int> flags;  // serial_struct.flags; nullopt: refused, as on a pseudo-terminal
    bool refusesSetting = false;
    std::vector<int> flagsSet;
    std::optional<std::chrono::microseconds> discardedAt;
    std::chrono::microseconds elapsed{0};

    std::optional<int> queuedOutput(int) override {
        return emptiesAfter && elapsed >= *emptiesAfter ? 0 : queued;
    }
    void discardOutput(int) override { discardedAt = elapsed, queued = 0; }
    std::optional<int> serialFlags(int) override { return flags; }
    bool setSerialFlags(int, int value) override {
        flagsSet.push_back(value);
        if (!flags || refusesSetting) return false;
        flags = value;
        return true;
    }
    Clock::time_point now() override { return Clock::time_point(elapsed); }
    void sleepFor(std::chrono::microseconds duration) override { elapsed += duration; }
};

}  // namespace kalvira::acquisition::testing
