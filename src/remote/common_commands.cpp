// The IEEE 488.2 common commands and the SYSTem subsystem.
#include "instrument.h"
#include "scope/scope.h"
#include "scpi_numbers.h"

namespace kalvira::remote {

namespace {

// A register mask, 0..255.
std::optional<int> maskOf(const Parameters &parameters) {
    const auto value = parseWholeNumber(parameters.front());
    if (!value || *value < 0 || *value > 255) return {};
    return static_cast<int>(*value);
}

CommandResult identify(Instrument &instrument) {
    return answer("KALVIRA,KALVIRA-1," + instrument.unitName() + "," + instrument.version);
}

// The scope as it starts: any run ended at once, the settings of a new window.
CommandResult reset(Instrument &instrument, const Parameters &) {
    instrument.scope.abort();
    instrument.singlePending = false;
    instrument.asciiData = false;
    settings::ScopeSettings start;
    start.calibration = instrument.scope.settings().calibration;
    instrument.scope.setSettings(start);
    return {};
}

CommandResult setEventEnable(Instrument &instrument, const Parameters &parameters) {
    const auto mask = maskOf(parameters);
    if (!mask) return failure(ScpiError::DataOutOfRange, "a mask is 0..255");
    instrument.status.setEventEnable(*mask);
    return {};
}

CommandResult setServiceEnable(Instrument &instrument, const Parameters &parameters) {
    const auto mask = maskOf(parameters);
    if (!mask) return failure(ScpiError::DataOutOfRange, "a mask is 0..255");
    instrument.status.setServiceEnable(*mask);
    return {};
}

// *OPC: the operation-complete bit is set once the record of a :SINGle is complete, at once
// when nothing is under way.
CommandResult armCompletion(Instrument &instrument, const Parameters &) {
    if (instrument.singlePending)
        instrument.completionWanted = true;
    else
        instrument.status.setEvent(ScpiStatus::kOperationComplete);
    return {};
}

}  // namespace

std::vector<ScpiCommand> commonCommands() {
    return {
        {"*IDN", -1, identify, nullptr},
        {"*RST", 0, nullptr, reset},
        {"*CLS", 0, nullptr,
         [](Instrument &i, const Parameters &) {
             i.status.clear();
             return CommandResult{};
         }},
        {"*ESE", 1, [](Instrument &i) { return answer(std::to_string(i.status.eventEnable())); },
         setEventEnable},
        {"*ESR", -1, [](Instrument &i) { return answer(std::to_string(i.status.takeEvents())); },
         nullptr},
        {"*SRE", 1, [](Instrument &i) { return answer(std::to_string(i.status.serviceEnable())); },
         setServiceEnable},
        {"*STB", -1, [](Instrument &i) { return answer(std::to_string(i.status.statusByte())); },
         nullptr},
        {"*OPC", 0, [](Instrument &) { return answer("1"); }, armCompletion},
        {"*TST", -1, [](Instrument &) { return answer("0"); }, nullptr},
        {"*WAI", 0, nullptr, [](Instrument &, const Parameters &) { return CommandResult{}; }},
        {"SYSTem:ERRor", -1, [](Instrument &i) { return answer(i.status.nextError()); }, nullptr},
        {"SYSTem:ERRor:NEXT", -1, [](Instrument &i) { return answer(i.status.nextError()); },
         nullptr},
        {"SYSTem:VERSion", -1, [](Instrument &) { return answer("1999.0"); }, nullptr},
    };
}

}  // namespace kalvira::remote
