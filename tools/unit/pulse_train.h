#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kalvira::unit {

// A stretch of a two-level signal: high or low for so many seconds.
struct Stretch {
    bool high = true;
    double seconds = 0.0;
    bool operator==(const Stretch &) const = default;
};

// One cycle of a serial line: idle high for 20 bit times, then the bytes as 8N1 frames (start
// bit low, eight data bits least significant first, stop bit high) at the baud rate. A record
// from the cycle's start sees the line at rest before the first start bit.
std::vector<Stretch> uartCycle(const std::string &bytes, double baud);

// One cycle of an NEC infrared remote's code as its receiver outputs it, low while the carrier
// is on: the 9 ms leader, 4.5 ms space, address, inverted address, command and inverted command
// least significant bit first (each bit a 562.5 us pulse, then 562.5 us for 0 or 1687.5 us for
// 1), the final 562.5 us pulse, then high until 108 ms from the leader.
std::vector<Stretch> irNecCycle(std::uint8_t address, std::uint8_t command);

// One period of a pulse-width modulated output: high for duty percent (0..100) of it.
std::vector<Stretch> pwmCycle(double frequency, double dutyPercent);

}  // namespace kalvira::unit
