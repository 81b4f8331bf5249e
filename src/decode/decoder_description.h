#pragma once

#include <optional>

#include "decoder_info.h"

struct srd_decoder;

namespace kalvira::decode {

// What a loaded decoder of the library describes of itself, when it reads logic and takes a
// single channel (at most one required; the first required, or else the first optional, is the
// record's); none for the others.
std::optional<DecoderInfo> describeSingleChannel(const srd_decoder &decoder);

}  // namespace kalvira::decode
