#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scpi_error.h"

namespace kalvira::remote {

// One command of a program line, its header resolved from the root: ":TRIG:LEV 100;SLOP POS"
// gives {TRIG, LEV} with "100" and {TRIG, SLOP} with "POS", since a command after a semicolon
// without a leading colon stays on the node of the one before. Common commands ("*IDN?") stand
// alone and leave that node as it is.
struct ProgramUnit {
    bool common = false;                  // an IEEE 488.2 common command: path holds "*IDN"
    std::vector<std::string> path;        // the mnemonics as sent, upper-cased
    bool query = false;                   // the header ended with '?'
    std::vector<std::string> parameters;  // trimmed, quotes kept
    std::optional<ScpiError> error;       // the unit does not parse: it is reported and not run
    bool operator==(const ProgramUnit &) const = default;
};

// The units of one line, without its line end, in order; empty units (";;") are skipped.
std::vector<ProgramUnit> parseProgram(std::string_view line);

// Whether a mnemonic as sent matches a command's node, whose capitals are its short form:
// "TRIG", "TRIGGER" and "trigger" match "TRIGger"; "TRIGG" does not.
bool matchesNode(std::string_view sent, std::string_view node);

}  // namespace kalvira::remote
