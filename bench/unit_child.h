#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace kalvira::bench {

// kalvira-unit running as a child process for one measurement, stopped with SIGTERM when the
// object goes. Its pseudo-terminal's device is what it prints first.
class UnitChild {
public:
    explicit UnitChild(const std::vector<std::string> &options);
    ~UnitChild();
    UnitChild(const UnitChild &) = delete;
    UnitChild &operator=(const UnitChild &) = delete;

    bool started() const { return !devicePath_.empty(); }
    const std::string &devicePath() const { return devicePath_; }
    // Points COM1 at the unit's device (KALVIRA_COM1).
    void becomeCom1() const;

private:
    pid_t pid_ = -1;
    std::string devicePath_;
};

}  // namespace kalvira::bench
