#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "analysis/calibration.h"
#include "decoder_info.h"
#include "logic/logic_conversion.h"

namespace kalvira::decode {

class DecoderLibrary;

// A record decoded: the threshold its logic was taken at and what the decoder says.
struct RecordDecode {
    logic::LogicThreshold threshold;
    std::vector<Annotation> annotations;
};

// Turns the record (samples 1..N, taken at the rate) into logic by the choice and decodes it;
// the reason when the threshold cannot be made or the library fails.
std::variant<RecordDecode, std::string> decodeRecord(
    DecoderLibrary &library, const DecoderSetup &setup, std::span<const std::int16_t> record,
    int samplesPerSecond, const logic::ThresholdChoice &choice,
    const std::optional<analysis::Calibration> &calibration);

// One annotation as a JSON object on a line of its own (no newline): the record's number, the
// times in seconds from the record's first sample, the row and the text.
// {"record":1,"start_s":0.0125,"end_s":0.01625,"row":"rx-data","text":"41"}
std::string annotationJson(std::uint64_t recordNumber, const Annotation &annotation,
                           int samplesPerSecond);

// The annotations as CSV, as the table saves them: a header line, then
// start_s,end_s,row,text a line; texts in double quotes, a quote in them doubled.
std::string annotationsCsv(std::span<const Annotation> annotations, int samplesPerSecond);

}  // namespace kalvira::decode
