#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/spectrum.h"
#include "scpi_error.h"
#include "scpi_status.h"

namespace kalvira::scope {
class Scope;
}

namespace kalvira::remote {

// What remote commands act on: the scope, and the instrument's own state beside it.
struct Instrument {
    explicit Instrument(scope::Scope &scope) : scope(scope) {}

    scope::Scope &scope;
    // The device the unit is on, "no unit" when there is none; the program's version.
    std::function<std::string()> unitName = [] { return std::string("no unit"); };
    std::string version;

    ScpiStatus status;
    bool asciiData = false;         // :WAVeform:FORMat ASCii instead of WORD
    bool singlePending = false;     // a :SINGle whose record is not complete yet
    bool completionWanted = false;  // *OPC: set the operation-complete bit when it is
    analysis::SpectrumAnalyser analyser;
};

// What running one command gave: a query's answer, or an error for the queue.
struct CommandResult {
    std::optional<std::string> response;
    std::optional<ScpiError> error;
    std::string detail;
};
inline CommandResult answer(std::string text) {
    return {std::move(text), {}, {}};
}
inline CommandResult failure(ScpiError error, std::string detail = {}) {
    return {{}, error, std::move(detail)};
}

using Parameters = std::vector<std::string>;

// One command of the instrument: its header with the short form in capitals, what its set form
// takes, and its handlers (either may be missing: a command that is only a query or only set).
struct ScpiCommand {
    const char *header;  // "ACQuire:SRATe", "*IDN"
    int setParameters;   // the parameters its set form takes: 0 or 1
    CommandResult (*query)(Instrument &);
    CommandResult (*set)(Instrument &, const Parameters &);
};

// The command groups, each in a file of its own.
std::vector<ScpiCommand> commonCommands();       // IEEE 488.2 and SYSTem
std::vector<ScpiCommand> acquisitionCommands();  // RUN, SINGle, STOP, ACQuire, TRIGger, TIMebase
std::vector<ScpiCommand> dataCommands();         // WAVeform, HISTory
std::vector<ScpiCommand> measureCommands();      // MEASure

}  // namespace kalvira::remote
