#include "wav_file.h"

#include <algorithm>
#include <string_view>

#include "little_endian.h"

namespace kalvira::exporting {

namespace {

void putTag(std::vector<std::uint8_t> &out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

}  // namespace

std::int16_t pcmOf(std::int16_t count) {
    const int value = (int(count) - 512) * 64;
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

std::vector<std::uint8_t> wavFile(std::span<const std::int16_t> record, int samplesPerSecond) {
    const auto dataBytes = std::uint32_t(record.size() * 2);
    const auto rate = std::uint32_t(samplesPerSecond);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);         // PCM
    put16(out, 1);         // mono
    put32(out, rate);      // samples a second
    put32(out, rate * 2);  // bytes a second
    put16(out, 2);         // bytes a frame
    put16(out, 16);        // bits a sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (const std::int16_t count : record) put16(out, std::uint16_t(pcmOf(count)));
    return out;
}

}  // namespace kalvira::exporting
