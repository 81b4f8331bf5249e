#include "spectrum_settings.h"

namespace kalvira::records {

std::vector<std::pair<std::string, std::string>> spectrumSettings(const RecordFile &file) {
    return {{"samples", std::to_string(file.samples)},
            {"trigger", std::to_string(file.trigger)},
            {"trigger_level", std::to_string(file.triggerLevel)},
            {"trigger_edge", file.fallingEdge ? "fall" : "rise"},
            {"taken", file.taken.toUTC().toString(Qt::ISODateWithMs).toStdString()}};
}

}  // namespace kalvira::records
