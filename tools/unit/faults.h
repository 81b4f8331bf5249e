#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalvira::unit {

// The faults the virtual unit can play, each named on its command line.
enum class FaultKind {
    NoAnswer,    // "no-answer": the frame is taken but nothing is sent
    WrongStart,  // "wrong-start[=XX]": XX (hex, default 55) is sent instead of the start byte
    BadCheck,    // "bad-check=B[:K]": the first K copies (default 1) of block B carry a wrong check
    ShortBlock,  // "short-block=B[:LEN]": the first copy of block B stops after LEN bytes (100)
    Stall,       // "stall=B": nothing more after block B is acknowledged (0: after the start byte)
    HighByte,    // "high-byte=B[:K]": the last sample of block B's first K copies gets high byte
                 // 0x80 or more, with a check byte that matches
};

struct Fault {
    FaultKind kind = FaultKind::NoAnswer;
    int block = 0;        // B, 1..160 (0 allowed for a stall)
    int count = 1;        // K copies, or LEN bytes for a short block, or the wrong start byte
    int acquisition = 0;  // "@A" suffix: only the A-th frame answered (1..); 0 for every frame
    bool operator==(const Fault &) const = default;
};

// Reads one fault as written after --fault, e.g. "bad-check=3:2@1"; the error text otherwise.
struct ParsedFault {
    std::optional<Fault> fault;
    std::string error;
};
ParsedFault parseFault(std::string_view text);

// The faults that apply to the given acquisition.
std::vector<Fault> faultsFor(const std::vector<Fault> &faults, int acquisition);

}  // namespace kalvira::unit
