#pragma once

#include <array>
#include <cstdint>

namespace kalvira::display {

// Highest position of a record store; a record of N samples occupies positions 1..N.
inline constexpr int kRecordLastPosition = 16002;
// Longest record the unit can deliver: 160 blocks of 100 samples.
inline constexpr int kMaxRecordLength = 16000;

// The committed record. Position 0 is unused so that sample k sits at index k.
using SampleRecord = std::array<std::int16_t, kRecordLastPosition + 1>;

}  // namespace kalvira::display
