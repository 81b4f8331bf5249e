#pragma once

#include <string>

namespace kalvira::unit {

// The unit's end of a pseudo-terminal pair (the master), raw and non-blocking; the program opens
// the other end by its device path like a serial port.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    // Opens a new pair; false with error() set when the system refuses.
    bool open();
    int masterFd() const { return master_; }
    // The device the program opens, e.g. /dev/pts/3.
    const std::string &devicePath() const { return devicePath_; }
    const std::string &error() const { return error_; }

private:
    int master_ = -1;
    std::string devicePath_;
    std::string error_;
};

// A symlink to the device, removed again when this object goes (if it still points there).
class DeviceLink {
public:
    DeviceLink() = default;
    ~DeviceLink();
    DeviceLink(const DeviceLink &) = delete;
    DeviceLink &operator=(const DeviceLink &) = delete;

    // Makes linkPath point to target, replacing an older symlink there but never another file.
    bool create(const std::string &linkPath, const std::string &target);
    void remove();
    const std::string &error() const { return error_; }

private:
    std::string linkPath_;
    std::string target_;
    std::string error_;
};

}  // namespace kalvira::unit
