#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/link_facts.h"

namespace kalvira::acquisition {

// Bytes of the link to the acquisition unit, 115200 baud, 8 data bits, no parity, 1 stop bit.
inline constexpr std::uint8_t kStartByte = 0xAA;        // the unit's answer to a command frame
inline constexpr std::uint8_t kAcknowledgement = 0x55;  // the host's "U" after each good block
inline constexpr std::size_t kFrameLength = 11;
inline constexpr std::size_t kBlockDataLength = 2 * kSamplesPerBlock;  // the bytes the check covers
inline constexpr std::size_t kBlockLength = kBlockDataLength + 1;  // low byte first, then the check

using CommandFrame = std::array<std::uint8_t, kFrameLength>;

// The five settings a command frame carries.
struct FrameSettings {
    int triggerMode = 0;  // 0 "Ext./Single", 1 "Ext./Cont.", 2 "Trig./Single", 3 "Trig./Cont."
    int rateCode = 0;     // 0 "25usec/ 40kSPS" .. 7 "5msec/ 200SPS"
    std::uint8_t triggerLevel = 0;  // the trigger level bar, 1..254
    int recordLength = 0;           // N samples, 100..16000 in steps of 100
    bool fallingEdge = false;       // "Fall" selected
    bool operator==(const FrameSettings &) const = default;
};

// The 11 bytes of a command frame: mode*16+rate, level, N low, N high, edge, five zeros, and
// the sum of bytes 0..9 modulo 256. nullopt unless the unit can serve the settings: mode 0..3,
// rate 0..7 and a record length isRecordLength() allows (any level byte and either edge).
std::optional<CommandFrame> buildCommandFrame(const FrameSettings &settings);

// The unit's reading of 11 received bytes: the settings when they form a command frame the unit
// can serve (check byte right, bytes 5..9 zero, edge byte 0 or 1, settings as
// buildCommandFrame() takes them), nullopt otherwise or when fewer than 11 bytes are given. Only
// the first 11 bytes are read.
std::optional<FrameSettings> parseCommandFrame(std::span<const std::uint8_t> bytes);

// The sum of the bytes modulo 256, as command frames and data blocks carry it.
std::uint8_t checkByte(std::span<const std::uint8_t> bytes);

// The first chunk read after a frame: whether it starts with the start byte, and the bytes after
// it, which are the beginning of block 1 (given whatever the first byte was). An empty chunk has
// no start byte.
struct FirstChunk {
    bool startByteOk = false;
    std::span<const std::uint8_t> blockBytes;
};
FirstChunk splitFirstChunk(std::span<const std::uint8_t> chunk);

// One decoded data block. checkOk is false when the check byte differs from the sum of the 200
// data bytes modulo 256, and also when a sample's high byte is 0x80 or more (a value the record
// cannot hold), so that such a block is retried like a corrupted one. Each sample is
// high * 256 + low taken as a signed 16-bit value, 0..32767 in a block whose check holds.
struct DecodedBlock {
    std::array<std::int16_t, kSamplesPerBlock> samples{};
    bool checkOk = false;
};
// Decodes the first 201 of the held bytes; bytes beyond them are ignored. Fewer than 201 bytes
// give a failed check with all samples 0.
DecodedBlock decodeBlock(std::span<const std::uint8_t> held);

// The 201 bytes the unit sends for 100 sample values: each value low byte first, then the check
// byte over the 200 data bytes. Values are sent as given, 0x8000 and above included.
using DataBlock = std::array<std::uint8_t, kBlockLength>;
DataBlock encodeBlock(std::span<const std::uint16_t, kSamplesPerBlock> samples);

// Seconds between two samples for a rate code 0..7 (0.000025 .. 0.005); 0 for any other code.
double samplePeriod(int rateCode);

}  // namespace kalvira::acquisition
