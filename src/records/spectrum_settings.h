#pragma once

#include <string>
#include <utility>
#include <vector>

#include "record_file.h"

namespace kalvira::records {

// The settings a record's spectrum file names after its own (window, rate, DC): samples,
// trigger (the trigger option 0..3), trigger_level, trigger_edge and taken (UTC, ISO 8601 with
// milliseconds), the same from the spectrum window and from kalvira-capture --spectrum.
std::vector<std::pair<std::string, std::string>> spectrumSettings(const RecordFile &file);

}  // namespace kalvira::records
