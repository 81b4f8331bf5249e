#pragma once

#include <cstdint>

namespace kalvira::acquisition {

// What each wait of a run loads into TizedSec, in tenths of a second. A wait loaded with n
// times out after between n - 1 and n tenths, since Timer1 runs freely.
inline constexpr std::int16_t kFrameSendTenths = 15;  // command frame leaves the port: 1.5 s
inline constexpr std::int16_t kStartByteTenths = 95;  // the unit's first byte: 9.5 s
inline constexpr std::int16_t kAckSendTenths = 15;    // acknowledgement leaves the port: 1.5 s
inline constexpr std::int16_t kPauseTenths = 3;       // between two records: 0.3 s

// The link's own allowance on top of every block's expected time: 6 s.
inline constexpr std::int16_t kLinkAllowanceTenths = 60;

// Countdown for a block expected to take seconds: seconds * 10 + 60 in single precision,
// rounded to nearest with ties to even.
std::int16_t blockCountdown(float seconds);

// Countdown for block 1: the record's duration, sample period x hundreds x 100, as single
// precision. rateCode 0..7, hundreds 1..160 (e.g. rate 0, 50 hundreds: 61; rate 7, 160: 860).
std::int16_t firstBlockCountdown(int rateCode, std::int16_t hundreds);

// Countdown for blocks 2 onward: 60 s each, so 660.
std::int16_t laterBlockCountdown();

}  // namespace kalvira::acquisition
