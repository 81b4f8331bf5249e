#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvira::exporting {

// A count as a 16-bit PCM value: the converter's 0..1023 spread over the whole range about its
// mid-scale, (count - 512) x 64, so 0 is -32768, 512 is 0 and 1023 is 32704; beyond 1023 clipped
// at 32767.
std::int16_t pcmOf(std::int16_t count);

// The record as a WAV file: RIFF, 16-bit mono PCM at the record's sample rate, one value a
// sample by pcmOf.
std::vector<std::uint8_t> wavFile(std::span<const std::int16_t> record, int samplesPerSecond);

}  // namespace kalvira::exporting
