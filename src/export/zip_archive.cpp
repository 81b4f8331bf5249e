#include "zip_archive.h"

#include <array>

#include "little_endian.h"

namespace kalvira::exporting {

namespace {

constexpr std::uint16_t kVersion = 20;      // 2.0: what a stored entry needs
constexpr std::uint16_t kDosDate = 0x0021;  // 1980-01-01, the first day a ZIP date can hold

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

// What the local header and the central directory both say of an entry, from its version on.
void putCommon(std::vector<std::uint8_t> &out, const ZipEntry &entry, std::uint32_t crc) {
    put16(out, kVersion);
    put16(out, 0);  // flags
    put16(out, 0);  // stored
    put16(out, 0);  // time 00:00
    put16(out, kDosDate);
    put32(out, crc);
    put32(out, std::uint32_t(entry.bytes.size()));
    put32(out, std::uint32_t(entry.bytes.size()));
    put16(out, std::uint32_t(entry.name.size()));
    put16(out, 0);  // no extra field
}

}  // namespace

std::uint32_t crc32(const std::vector<std::uint8_t> &bytes) {
    static constexpr auto table = crcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const std::uint8_t byte : bytes) crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> storedZip(const std::vector<ZipEntry> &entries) {
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> directory;
    for (const ZipEntry &entry : entries) {
        const std::uint32_t crc = crc32(entry.bytes);
        const auto offset = std::uint32_t(out.size());
        put32(out, 0x04034B50);
        putCommon(out, entry, crc);
        out.insert(out.end(), entry.name.begin(), entry.name.end());
        out.insert(out.end(), entry.bytes.begin(), entry.bytes.end());

        put32(directory, 0x02014B50);
        put16(directory, kVersion);  // made by
        putCommon(directory, entry, crc);
        put16(directory, 0);  // comment
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, offset);
        directory.insert(directory.end(), entry.name.begin(), entry.name.end());
    }
    const auto directoryOffset = std::uint32_t(out.size());
    out.insert(out.end(), directory.begin(), directory.end());
    put32(out, 0x06054B50);
    put16(out, 0);
    put16(out, 0);
    put16(out, std::uint32_t(entries.size()));
    put16(out, std::uint32_t(entries.size()));
    put32(out, std::uint32_t(directory.size()));
    put32(out, directoryOffset);
    put16(out, 0);  // comment
    return out;
}

}  // namespace kalvira::exporting
