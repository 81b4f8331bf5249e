#pragma once

#include <string>

namespace kalvira::remote {

// The standard SCPI error numbers the instrument reports, each with its standard text.
enum class ScpiError {
    CommandError = -100,
    SyntaxError = -102,
    ParameterNotAllowed = -108,
    MissingParameter = -109,
    UndefinedHeader = -113,
    SettingsConflict = -221,
    DataOutOfRange = -222,
    IllegalParameterValue = -224,
    DeviceSpecificError = -300,
    QueueOverflow = -350,
};

// "Undefined header", "Data out of range", ...
const char *standardText(ScpiError error);

// The error queue's entry as SYSTem:ERRor? answers it: -113,"Undefined header" or, with a
// detail, -221,"Settings conflict;locked during a run". Quotes in the detail are doubled.
std::string errorEntry(ScpiError error, const std::string &detail = {});

}  // namespace kalvira::remote
