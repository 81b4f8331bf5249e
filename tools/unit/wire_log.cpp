#include "wire_log.h"

#include <cstdio>

namespace kalvira::unit {

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

LogFile::LogFile(const std::string &path) : file_(std::fopen(path.c_str(), "w")) {}

LogFile::~LogFile() {
    if (file_) std::fclose(file_);
}

void LogFile::write(const std::string &line) {
    if (!file_) return;
    std::fputs(line.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

}  // namespace kalvira::unit
