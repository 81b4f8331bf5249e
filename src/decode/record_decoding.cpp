#include "record_decoding.h"

#include <charconv>
#include <cstdio>

#include "decoder_library.h"

namespace kalvira::decode {

namespace {

std::string number(double value) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

// A JSON string: quotes, backslashes and control characters escaped; other bytes as they are.
std::string jsonString(const std::string &text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
            quoted += escape;
        } else {
            quoted += c;
        }
    }
    return quoted + '"';
}

}  // namespace

std::variant<RecordDecode, std::string> decodeRecord(
    DecoderLibrary &library, const DecoderSetup &setup, std::span<const std::int16_t> record,
    int samplesPerSecond, const logic::ThresholdChoice &choice,
    const std::optional<analysis::Calibration> &calibration) {
    const auto threshold = logic::resolveThreshold(record, choice, calibration);
    if (const auto *problem = std::get_if<logic::ThresholdProblem>(&threshold))
        return logic::thresholdProblemText(*problem);
    RecordDecode result{std::get<logic::LogicThreshold>(threshold), {}};
    const auto levels = logic::toLogic(record, result.threshold);
    auto decoded = library.decode(setup, levels, std::uint64_t(samplesPerSecond));
    if (auto *error = std::get_if<std::string>(&decoded)) return std::move(*error);
    result.annotations = std::get<std::vector<Annotation>>(std::move(decoded));
    return result;
}

std::string annotationJson(std::uint64_t recordNumber, const Annotation &annotation,
                           int samplesPerSecond) {
    const double rate = samplesPerSecond > 0 ? samplesPerSecond : 1;
    return "{\"record\":" + std::to_string(recordNumber) +
           ",\"start_s\":" + number(double(annotation.startSample) / rate) +
           ",\"end_s\":" + number(double(annotation.endSample) / rate) +
           ",\"row\":" + jsonString(annotation.row) + ",\"text\":" + jsonString(annotation.text) +
           "}";
}

std::string annotationsCsv(std::span<const Annotation> annotations, int samplesPerSecond) {
    const double rate = samplesPerSecond > 0 ? samplesPerSecond : 1;
    std::string csv = "start_s,end_s,row,text\n";
    for (const auto &annotation : annotations) {
        std::string text;
        for (const char c : annotation.text)
            text += c == '"' ? std::string("\"\"") : std::string(1, c);
        csv += number(double(annotation.startSample) / rate) + ',' +
               number(double(annotation.endSample) / rate) + ',' + annotation.row + ",\"" + text +
               "\"\n";
    }
    return csv;
}

}  // namespace kalvira::decode
