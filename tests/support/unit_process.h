#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kalvira::testing {

// kalvira-unit as a child process, stopped with SIGTERM when the object goes. With a log, its
// wire log goes to a fresh temporary directory that goes with it.
class UnitProcess {
public:
    // Starts the unit with these options and waits (5 s at most) for the device it prints.
    explicit UnitProcess(std::vector<std::string> options, bool withLog = true);
    ~UnitProcess();
    UnitProcess(const UnitProcess &) = delete;
    UnitProcess &operator=(const UnitProcess &) = delete;

    bool started() const { return !device_.empty(); }
    const std::string &device() const { return device_; }
    // Points COM1 at the unit's device (KALVIRA_COM1).
    void becomeCom1() const;
    // Ends the unit now: its device vanishes.
    void stop();
    // The wire log lines written so far.
    std::vector<std::string> logLines() const;

private:
    pid_t pid_ = -1;
    std::string directory_;
    std::string device_;
};

}  // namespace kalvira::testing
