#include "scpi_error.h"

namespace kalvira::remote {

const char *standardText(ScpiError error) {
    switch (error) {
        case ScpiError::CommandError:
            return "Command error";
        case ScpiError::SyntaxError:
            return "Syntax error";
        case ScpiError::ParameterNotAllowed:
            return "Parameter not allowed";
        case ScpiError::MissingParameter:
            return "Missing parameter";
        case ScpiError::UndefinedHeader:
            return "Undefined header";
        case ScpiError::SettingsConflict:
            return "Settings conflict";
        case ScpiError::DataOutOfRange:
            return "Data out of range";
        case ScpiError::IllegalParameterValue:
            return "Illegal parameter value";
        case ScpiError::DeviceSpecificError:
            return "Device-specific error";
        case ScpiError::QueueOverflow:
            return "Queue overflow";
    }
    return "Command error";
}

std::string errorEntry(ScpiError error, const std::string &detail) {
    std::string text = standardText(error);
    if (!detail.empty()) text += ";" + detail;
    std::string quoted;
    for (const char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return std::to_string(static_cast<int>(error)) + ",\"" + quoted + "\"";
}

}  // namespace kalvira::remote
