#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "decoder_info.h"

namespace kalvira::decode {

// The field's decoder library (libsigrokdecode), whose decoders are Python: initialised once a
// process on first use and kept to the end. Not for use from more than one thread; the window
// and kalvira-capture use it from their main thread only.
class DecoderLibrary {
public:
    // The library, or why it cannot be started (told again on every call).
    static std::variant<DecoderLibrary *, std::string> instance();

    // Every installed decoder that takes a single logic channel, by id; loads them all on the
    // first call, which takes a moment.
    const std::vector<DecoderInfo> &singleChannelDecoders();
    // The one decoder of a single channel with that id, loading only it; none when it is not
    // installed or takes more than one channel.
    std::optional<DecoderInfo> singleChannelDecoder(const std::string &id);

    // Decodes one logic channel (one byte a sample, bit 0) taken at the rate with the setup;
    // the annotations in the order the decoder gives them, or the library's reason.
    std::variant<std::vector<Annotation>, std::string> decode(const DecoderSetup &setup,
                                                              std::span<const std::uint8_t> logic,
                                                              std::uint64_t samplesPerSecond);

    DecoderLibrary(const DecoderLibrary &) = delete;
    DecoderLibrary &operator=(const DecoderLibrary &) = delete;

private:
    DecoderLibrary() = default;

    std::optional<std::vector<DecoderInfo>> all_;
};

}  // namespace kalvira::decode
