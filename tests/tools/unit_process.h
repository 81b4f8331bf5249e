#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "unit/wire_log.h"

namespace kalvira::unit::testing {

using namespace std::chrono_literals;

// A kalvira-unit process for one test, with its wire log in a fresh temporary directory. Stopped
// with SIGTERM when the object goes.
class UnitProcess {
public:
    // Starts the unit with the given options plus --log; waits for the device path it prints.
    explicit UnitProcess(const std::vector<std::string> &options);
    ~UnitProcess();
    UnitProcess(const UnitProcess &) = delete;
    UnitProcess &operator=(const UnitProcess &) = delete;

    bool started() const { return !devicePath_.empty(); }
    const std::string &devicePath() const { return devicePath_; }
    const std::string &directory() const { return directory_; }

    // Sends SIGTERM (or the given signal) and returns the exit status as waitpid gives it.
    int stop(int signal = 15);

    // Every log line written so far.
    std::vector<std::string> logLines() const;
    // Waits until a log line satisfies the test; the line, or nullopt after the timeout.
    std::optional<LogLine> waitForLog(const std::function<bool(const LogLine &)> &test,
                                      std::chrono::milliseconds timeout = 3000ms) const;
    // Waits for the first line of the given kind with the given acquisition number.
    std::optional<LogLine> waitForEvent(const std::string &kind, int acquisition,
                                        std::chrono::milliseconds timeout = 3000ms) const;

private:
    pid_t pid_ = -1;
    std::string directory_;
    std::string devicePath_;
};

// The host's end, opened like the program opens a serial port: raw, both buffers emptied.
class HostPort {
public:
    explicit HostPort(const std::string &devicePath);
    ~HostPort();
    HostPort(const HostPort &) = delete;
    HostPort &operator=(const HostPort &) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void close();
    void write(const std::vector<std::uint8_t> &bytes);
    // Reads until count bytes have come or the timeout passed; returns what came.
    std::vector<std::uint8_t> read(std::size_t count, std::chrono::milliseconds timeout = 3000ms);
    // Whether any byte arrives within the time given (the byte is consumed).
    bool anyByteWithin(std::chrono::milliseconds time);

private:
    int fd_ = -1;
};

// Runs kalvira-unit to its end with the given arguments; exit status and everything it printed.
struct Finished {
    int exitCode = -1;
    std::string output;
};
Finished runUnitToEnd(const std::vector<std::string> &arguments);

// The 11 bytes a frame carries, as a vector for writing.
std::vector<std::uint8_t> frameBytes(int mode, int rate, int level, int samples, bool fall);

}  // namespace kalvira::unit::testing
