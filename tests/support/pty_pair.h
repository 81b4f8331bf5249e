#pragma once

#include <string>

namespace kalvira::testing {

// A raw pseudo-terminal: the test holds the far end, the program opens device() as its port.
class PtyPair {
public:
    PtyPair();
    ~PtyPair() { hangUp(); }
    const std::string &device() const { return device_; }
    int fd() const { return fd_; }  // the far end, non-blocking
    void hangUp();                  // closes the far end: the device vanishes for the program

private:
    int fd_ = -1;
    std::string device_;
};

}  // namespace kalvira::testing
