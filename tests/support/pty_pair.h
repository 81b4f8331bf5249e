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
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    const std::string &device() const { return device_; }
    bool write(const std::vector<std::uint8_t> &bytes) const;
    // What has arrived at the far end so far, without waiting.
    std::vector<std::uint8_t> readAvailable() const;
    // Closes the far end: the device vanishes for the program.
    void hangUp();

private:
    int fd_ = -1;
    std::string device_;
};

}  // namespace kalvira::testing
