#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kalvira::exporting {

// A file inside an archive.
struct ZipEntry {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The CRC-32 of ZIP files (the polynomial 0xEDB88320, reflected), 0xCBF43926 for "123456789".
std::uint32_t crc32(const std::vector<std::uint8_t> &bytes);

// A ZIP archive of the entries stored as they are (no compression), dated 1980-01-01, in
// their order; what the field's tools open as a sigrok session. Each entry and the whole stay
// below 4 GiB (the records of a capture are far smaller).
std::vector<std::uint8_t> storedZip(const std::vector<ZipEntry> &entries);

}  // namespace kalvira::exporting
