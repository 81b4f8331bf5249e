#pragma once

#include <cstdint>
#include <vector>

namespace kalvira::exporting {

// Appends a value as WAV headers and ZIP records hold it: low byte first.
inline void put16(std::vector<std::uint8_t> &out, std::uint32_t value) {
    out.push_back(std::uint8_t(value & 0xFF));
    out.push_back(std::uint8_t((value >> 8) & 0xFF));
}

inline void put32(std::vector<std::uint8_t> &out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace kalvira::exporting
