#pragma once

#include <cmath>
#include <cstdint>

namespace kalvira {

// Rounds to the nearest integer, ties to the even integer: the one rounding rule of the picture and
// the run's time limits.
inline std::int32_t roundHalfEven(float value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

// Largest integer not above value, formed as the picture forms it: round, then step down if
// the rounding went up.
inline std::int32_t floorViaRound(float value) {
    const std::int32_t r = roundHalfEven(value);
    return static_cast<float>(r) > value ? r - 1 : r;
}

// 16-bit signed sum, as the picture's integer arithmetic is 16-bit.
inline std::int16_t add16(std::int32_t a, std::int32_t b) {
    return static_cast<std::int16_t>(a + b);
}

}  // namespace kalvira
