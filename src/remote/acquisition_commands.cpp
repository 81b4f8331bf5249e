// Starting and stopping runs, and the settings of the acquisition, the trigger and the time base.
// Each refuses what the window refuses: a value out of range, and, during a run, what START
// locks (the rate, the record length and the trigger mode).
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

#include "common/link_facts.h"
#include "common/time_bases.h"
#include "instrument.h"
#include "scope/scope.h"
#include "scpi_numbers.h"
#include "scpi_parser.h"

namespace kalvira::remote {

namespace {

constexpr int kLevelSource = 2;  // trigger modes 2 and 3 wait for the level
constexpr int kContinuous = 1;   // modes 1 and 3 take records until STOP

CommandResult lockedDuringRun() {
    return failure(ScpiError::SettingsConflict, "locked during a run");
}

// The scope set as now, with one change, through its front end's controls.
template <typename Change>
CommandResult change(Instrument &instrument, Change &&apply) {
    settings::ScopeSettings wanted = instrument.scope.settings();
    apply(wanted);
    instrument.scope.setSettings(wanted);
    return {};
}

std::string upper(std::string text) {
    for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

CommandResult startRun(Instrument &instrument, bool continuous) {
    const settings::ScopeSettings &now = instrument.scope.settings();
    if (instrument.scope.running()) {
        // Already taking records until STOP: asking again changes nothing.
        if (continuous && now.continuous()) return {};
        return failure(ScpiError::SettingsConflict, "a run is in progress");
    }
    change(instrument, [continuous](settings::ScopeSettings &s) {
        s.triggerMode = (s.triggerMode & kLevelSource) | (continuous ? kContinuous : 0);
    });
    instrument.singlePending = !continuous;
    instrument.scope.start();
    return {};
}

CommandResult setRate(Instrument &instrument, const Parameters &parameters) {
    if (instrument.scope.running()) return lockedDuringRun();
    const auto sps = parseNumber(parameters.front(), NumberUnit::SampleRate);
    if (!sps) return failure(ScpiError::IllegalParameterValue, "not a number");
    const auto code = settings::rateCodeForSps(static_cast<int>(std::lround(*sps)));
    if (!code || std::abs(*sps - std::round(*sps)) > 1e-6)
        return failure(ScpiError::DataOutOfRange, "not one of the unit's rates");
    return change(instrument, [&](settings::ScopeSettings &s) { s.rateCode = *code; });
}

CommandResult setPoints(Instrument &instrument, const Parameters &parameters) {
    if (instrument.scope.running()) return lockedDuringRun();
    const auto points = parseWholeNumber(parameters.front());
    if (!points) return failure(ScpiError::IllegalParameterValue, "not a whole number");
    if (!isRecordLength(*points))
        return failure(ScpiError::DataOutOfRange, "100..16000 in steps of 100");
    return change(instrument,
                  [&](settings::ScopeSettings &s) { s.recordLength = static_cast<int>(*points); });
}

CommandResult setSource(Instrument &instrument, const Parameters &parameters) {
    if (instrument.scope.running()) return lockedDuringRun();
    const std::string source = upper(parameters.front());
    const bool level = matchesNode(source, "LEVel");
    if (!level && !matchesNode(source, "EXTernal"))
        return failure(ScpiError::IllegalParameterValue, "EXTernal or LEVel");
    return change(instrument, [level](settings::ScopeSettings &s) {
        s.triggerMode = (s.triggerMode & kContinuous) | (level ? kLevelSource : 0);
    });
}

CommandResult setLevel(Instrument &instrument, const Parameters &parameters) {
    const auto level = parseWholeNumber(parameters.front());
    if (!level) return failure(ScpiError::IllegalParameterValue, "not a whole number");
    if (*level < 1 || *level > 254) return failure(ScpiError::DataOutOfRange, "1..254");
    return change(instrument,
                  [&](settings::ScopeSettings &s) { s.triggerLevel = static_cast<int>(*level); });
}

CommandResult setSlope(Instrument &instrument, const Parameters &parameters) {
    const std::string slope = upper(parameters.front());
    const bool falling = matchesNode(slope, "NEGative");
    if (!falling && !matchesNode(slope, "POSitive"))
        return failure(ScpiError::IllegalParameterValue, "NEGative or POSitive");
    return change(instrument, [falling](settings::ScopeSettings &s) { s.fallingEdge = falling; });
}

// One of the fourteen time bases, within a part in a million.
CommandResult setScale(Instrument &instrument, const Parameters &parameters) {
    const auto seconds = parseNumber(parameters.front(), NumberUnit::Seconds);
    if (!seconds) return failure(ScpiError::IllegalParameterValue, "not a number");
    for (std::size_t i = 0; i < kTimeBases.size(); ++i) {
        const double base = kTimeBases[i].secondsPerDivision;
        if (std::abs(*seconds - base) <= 1e-6 * base)
            return change(instrument,
                          [i](settings::ScopeSettings &s) { s.timeBase = static_cast<int>(i); });
    }
    return failure(ScpiError::DataOutOfRange, "not one of the time bases");
}

CommandResult scale(Instrument &instrument) {
    const int base = instrument.scope.settings().timeBase;
    if (base < 0 || base >= static_cast<int>(kTimeBases.size())) return answer(kNotANumber);
    // The table's single precision as the shortest decimal it stands for: 0.005, not 0.00499999.
    std::array<char, 32> text{};
    const float perDivision = kTimeBases[static_cast<std::size_t>(base)].secondsPerDivision;
    return answer(
        {text.data(), std::to_chars(text.data(), text.data() + text.size(), perDivision).ptr});
}

// STOP between runs, WAIT for the unit's answer or the trigger, TRIG while the record arrives,
// RUN between the records of a continuous run.
CommandResult triggerStatus(Instrument &instrument) {
    using acquisition::RunPhase;
    switch (instrument.scope.run().progress().phase) {
        case RunPhase::Starting:
        case RunPhase::Acquiring:
        case RunPhase::AwaitingTrigger:
            return answer("WAIT");
        case RunPhase::Transferring:
            return answer("TRIG");
        case RunPhase::Pausing:
            return answer("RUN");
        case RunPhase::Idle:
        case RunPhase::Reporting:
            break;
    }
    return answer("STOP");
}

}  // namespace

std::vector<ScpiCommand> acquisitionCommands() {
    return {
        {"RUN", 0, nullptr, [](Instrument &i, const Parameters &) { return startRun(i, true); }},
        {"SINGle", 0, nullptr,
         [](Instrument &i, const Parameters &) { return startRun(i, false); }},
        {"STOP", 0, nullptr,
         [](Instrument &i, const Parameters &) {
             i.scope.stop();
             return CommandResult{};
         }},
        {"ACQuire:SRATe", 1,
         [](Instrument &i) { return answer(std::to_string(i.scope.settings().sampleRateSps())); },
         setRate},
        {"ACQuire:POINts", 1,
         [](Instrument &i) { return answer(std::to_string(i.scope.settings().recordLength)); },
         setPoints},
        {"TRIGger:SOURce", 1,
         [](Instrument &i) {
             return answer(i.scope.settings().triggerMode & kLevelSource ? "LEV" : "EXT");
         },
         setSource},
        {"TRIGger:LEVel", 1,
         [](Instrument &i) { return answer(std::to_string(i.scope.settings().triggerLevel)); },
         setLevel},
        {"TRIGger:SLOPe", 1,
         [](Instrument &i) { return answer(i.scope.settings().fallingEdge ? "NEG" : "POS"); },
         setSlope},
        {"TRIGger:STATus", -1, triggerStatus, nullptr},
        {"TIMebase:SCALe", 1, scale, setScale},
    };
}

}  // namespace kalvira::remote
