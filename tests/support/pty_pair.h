#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kalvira::testing {

// A raw pseudo-terminal: the test holds the far end, the program opens device() as its port.
class PtyPair {
public:
    PtyPair();
    ~PtyPair() { hangUp(); }
    const std::string &device() const { return device_; }
    bool write(const std::vector<std::uint8_t> &bytes) const;
    std::vector<std::uint8_t> readAvailable() const;  // what has arrived, without waiting
    void hangUp();  // closes the far end: the device vanishes for the program

private:
    int fd_ = -1;
    std::string device_;
};

}  // namespace kalvira::testing
