#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "decoder_info.h"

namespace kalvira::decode {

// "uart:baudrate=2400,parity=none" taken apart, the values still text.
struct DecodeRequest {
    std::string id;
    std::vector<std::pair<std::string, std::string>> options;
    bool operator==(const DecodeRequest &) const = default;
};

// The request a text writes, or why it is not one: an empty decoder, an option without "=" or
// without a name, an option named twice.
std::variant<DecodeRequest, std::string> parseDecodeRequest(std::string_view text);

// The setup the request makes with the decoders known, each value read as its option's type and
// checked against the values it allows; otherwise the reason, listing what is known (the
// decoders, or the decoder's options, or the option's values).
std::variant<DecoderSetup, std::string> checkDecodeRequest(const DecodeRequest &request,
                                                           std::span<const DecoderInfo> known);

// A value as it is written in a request: 2400, 1.5, none.
std::string optionText(const OptionValue &value);

// The setup written as a request: "uart:baudrate=2400,parity=none"; "uart" with no options.
std::string setupText(const DecoderSetup &setup);

}  // namespace kalvira::decode
