#include "spectrum_settings.h"

namespace kalvira::records {

std::vector<std::pair<std::string, std::string>> spectrumSettings(const RecordFile &file) {
    return {{"samples", std::to_string(file.settings.recordLength)},
            {"trigger", std::to_string(file.settings.triggerMode)},
            {"trigger_level", std::to_string(file.settings.triggerLevel)},
            {"trigger_edge", file.settings.fallingEdge ? "fall" : "rise"},
            {"taken", file.taken.toUTC().toString(Qt::ISODateWithMs).toStdString()}};
}

}  // namespace kalvira::records
