#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "logic/logic_conversion.h"
#include "records/record_file.h"

namespace kalvira::exporting {

// The sample rate as the session's metadata writes it: "40 kHz", "500 Hz".
std::string sessionRate(int samplesPerSecond);

// The records as a sigrok session (format 2): one device with the logic channel D0 (each
// record thresholded on its own by the choice) and the analog channel A0 (float32 little
// endian: counts, or volts at the probe's tip with the file's calibration), at the file's
// sample rate. Several records follow one another as chunks of one capture: record k is chunk k,
// from sample (k - 1) x N. The reason when the threshold cannot be made.
std::variant<std::vector<std::uint8_t>, std::string> sessionFile(
    const records::RecordFile &file, const logic::ThresholdChoice &choice);

}  // namespace kalvira::exporting
