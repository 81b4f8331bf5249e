#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "scoped_environment.h"

namespace kalvira::testing {

// kalvira-unit as a child process, stopped with SIGTERM when the object goes. With a log, its
// wire log goes to a temporary directory that goes with it.
class UnitProcess {
public:
    // Starts the unit with these options and waits (5 s at most) for the device it prints.
    explicit UnitProcess(std::vector<std::string> options, bool withLog = true);
    ~UnitProcess();
    bool started() const { return !device_.empty(); }
    const std::string &device() const { return device_; }
    // Points COM1 at the unit's device (KALVIRA_COM1) for as long as the unit lives.
    void becomeCom1();
    void stop();                                // ends the unit now: its device vanishes
    std::vector<std::string> logLines() const;  // the wire log written so far

private:
    pid_t pid_ = -1;
    std::string directory_, device_;
    std::unique_ptr<ScopedEnvironment> com1_;
};

}  // namespace kalvira::testing
