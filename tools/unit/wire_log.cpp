#include "wire_log.h"

#include <cstdio>
#include <sstream>

namespace kalvira::unit {

namespace {

bool isHexByte(const std::string &word) {
    auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    return word.size() == 2 && hex(word[0]) && hex(word[1]);
}

}  // namespace

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

LogLine parseLogLine(const std::string &line) {
    LogLine parsed;
    std::istringstream words(line);
    words >> parsed.kind;
    std::string word;
    while (words >> word) {
        if (isHexByte(word)) {
            parsed.bytes.push_back(static_cast<std::uint8_t>(std::stoi(word, nullptr, 16)));
        } else if (const auto eq = word.find('='); eq != std::string::npos) {
            parsed.fields[word.substr(0, eq)] = word.substr(eq + 1);
        } else {
            parsed.words.push_back(word);
        }
    }
    return parsed;
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
