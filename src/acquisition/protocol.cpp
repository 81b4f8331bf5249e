#include "protocol.h"

#include <algorithm>
#include <numeric>

namespace kalvira::acquisition {

namespace {

constexpr std::size_t kEdgeOffset = 4;
constexpr std::size_t kReservedFirst = 5;
constexpr std::size_t kCheckOffset = kFrameLength - 1;
constexpr std::uint8_t kLowestUnheldHighByte = 0x80;
constexpr int kTriggerModes = 4;

bool isServable(const FrameSettings &settings) {
    return settings.triggerMode >= 0 && settings.triggerMode < kTriggerModes &&
           settings.rateCode >= 0 && settings.rateCode < static_cast<int>(kSampleRates.size()) &&
           isRecordLength(settings.recordLength);
}

}  // namespace

std::uint8_t checkByte(std::span<const std::uint8_t> bytes) {
    // Summed in an unsigned accumulator: 16000 bytes of 0xFF stay far below its range, and the
    // modulo is taken once at the end.
    const unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0U);
    return static_cast<std::uint8_t>(sum % 256U);
}

std::optional<CommandFrame> buildCommandFrame(const FrameSettings &settings) {
    if (!isServable(settings)) return std::nullopt;
    CommandFrame frame{};
    frame[0] = static_cast<std::uint8_t>(settings.triggerMode * 16 + settings.rateCode);
    frame[1] = settings.triggerLevel;
    frame[2] = static_cast<std::uint8_t>(settings.recordLength % 256);
    frame[3] = static_cast<std::uint8_t>(settings.recordLength / 256);
    frame[kEdgeOffset] = settings.fallingEdge ? 1 : 0;
    frame[kCheckOffset] = checkByte(std::span(frame).first(kCheckOffset));
    return frame;
}

std::optional<FrameSettings> parseCommandFrame(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kFrameLength) return std::nullopt;
    const auto frame = bytes.first(kFrameLength);
    if (checkByte(frame.first(kCheckOffset)) != frame[kCheckOffset]) return std::nullopt;
    const auto reserved = frame.subspan(kReservedFirst, kCheckOffset - kReservedFirst);
    if (std::any_of(reserved.begin(), reserved.end(), [](std::uint8_t b) { return b != 0; })) {
        return std::nullopt;
    }
    FrameSettings settings;
    settings.triggerMode = frame[0] / 16;
    settings.rateCode = frame[0] % 16;
    settings.triggerLevel = frame[1];
    settings.recordLength = frame[2] + 256 * frame[3];
    settings.fallingEdge = frame[kEdgeOffset] == 1;
    if (frame[kEdgeOffset] > 1 || !isServable(settings)) return std::nullopt;
    return settings;
}

FirstChunk splitFirstChunk(std::span<const std::uint8_t> chunk) {
    if (chunk.empty()) return {};
    return {chunk.front() == kStartByte, chunk.subspan(1)};
}

DecodedBlock decodeBlock(std::span<const std::uint8_t> held) {
    DecodedBlock block;
    if (held.size() < kBlockLength) return block;
    const auto data = held.first(kBlockDataLength);
    bool everyValueHeld = true;
    for (std::size_t k = 0; k < kSamplesPerBlock; ++k) {
        const std::uint8_t low = data[2 * k];
        const std::uint8_t high = data[2 * k + 1];
        everyValueHeld = everyValueHeld && high < kLowestUnheldHighByte;
        block.samples[k] = static_cast<std::int16_t>(static_cast<std::uint16_t>(high * 256 + low));
    }
    block.checkOk = everyValueHeld && checkByte(data) == held[kBlockDataLength];
    return block;
}

DataBlock encodeBlock(std::span<const std::uint16_t, kSamplesPerBlock> samples) {
    DataBlock block{};
    for (std::size_t k = 0; k < kSamplesPerBlock; ++k) {
        block[2 * k] = static_cast<std::uint8_t>(samples[k] % 256);
        block[2 * k + 1] = static_cast<std::uint8_t>(samples[k] / 256);
    }
    block[kBlockDataLength] = checkByte(std::span(block).first(kBlockDataLength));
    return block;
}

double samplePeriod(int rateCode) {
    if (rateCode < 0 || rateCode >= static_cast<int>(kSampleRates.size())) return 0.0;
    return kSampleRates[static_cast<std::size_t>(rateCode)].period;
}

}  // namespace kalvira::acquisition
