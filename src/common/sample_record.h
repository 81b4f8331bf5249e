#pragma once

#include <array>
#include <cstdint>

#include "common/link_facts.h"

namespace kalvira {

// The committed record. Position 0 is unused so that sample k sits at index k.
using SampleRecord = std::array<std::int16_t, kRecordLastPosition + 1>;

}  // namespace kalvira
