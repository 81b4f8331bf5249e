#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string>

namespace kalvira::unit {

// Where the unit's log lines go, one event a call, without the line end.
//
// A line is its kind, then words, then key=value fields, then the bytes as two-digit upper-case
// hex, all separated by single spaces:
//   RX 00 64 88 13 01 00 00 00 00 00 00            bytes read from the host
//   FRAME acq=1 mode=0 rate=0 level=100 samples=5000 edge=fall
//   TX start acq=1 AA                              bytes that left for the host, whole items
//   TX block acq=1 block=1 copy=1 0C 02 ... 5E
//   ACK acq=1 block=1
//   DONE acq=1
// and SILENT, NOTRIGGER, STALL, GIVEUP, ABORT, CUT, SKIP, HOST (see tools/README.md).
using LogSink = std::function<void(const std::string &line)>;

// "0C 02 5E": the bytes as the log writes them.
std::string hexBytes(std::span<const std::uint8_t> bytes);

// A sink that appends each line to a file and flushes it, so a reader sees every finished event.
class LogFile {
public:
    explicit LogFile(const std::string &path);
    ~LogFile();
    LogFile(const LogFile &) = delete;
    LogFile &operator=(const LogFile &) = delete;

    bool isOpen() const { return file_ != nullptr; }
    void write(const std::string &line);

private:
    std::FILE *file_ = nullptr;
};

}  // namespace kalvira::unit
