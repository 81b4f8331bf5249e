#include "session_file.h"

#include <bit>
#include <cstring>

#include "zip_archive.h"

namespace kalvira::exporting {

namespace {

std::vector<std::uint8_t> bytesOf(const std::string &text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::string metadata(const records::RecordFile &file) {
    return "[global]\nsigrok version=0.5.2\n\n[device 1]\ncapturefile=logic-1\ntotal probes=1\n"
           "samplerate=" +
           sessionRate(file.settings.sampleRateSps()) +
           "\ntotal analog=1\nprobe1=D0\nanalog2=A0\nunitsize=1\n";
}

// float32 little endian, as the session's analog chunks hold them.
std::vector<std::uint8_t> analogChunk(const std::vector<std::int16_t> &record,
                                      const std::optional<analysis::Calibration> &calibration) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(record.size() * 4);
    for (const std::int16_t count : record) {
        const auto value = static_cast<float>(calibration ? calibration->volts(count) : count);
        const auto bits = std::bit_cast<std::uint32_t>(value);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(std::uint8_t(bits >> shift));
    }
    return bytes;
}

}  // namespace

std::string sessionRate(int samplesPerSecond) {
    if (samplesPerSecond >= 1000 && samplesPerSecond % 1000 == 0)
        return std::to_string(samplesPerSecond / 1000) + " kHz";
    return std::to_string(samplesPerSecond) + " Hz";
}

std::variant<std::vector<std::uint8_t>, std::string> sessionFile(
    const records::RecordFile &file, const logic::ThresholdChoice &choice) {
    std::vector<ZipEntry> entries{{"version", bytesOf("2")}, {"metadata", bytesOf(metadata(file))}};
    std::vector<ZipEntry> analog;
    for (std::size_t k = 0; k < file.records.size(); ++k) {
        const auto &record = file.records[k];
        const auto threshold = logic::resolveThreshold(record, choice, file.settings.calibration);
        if (const auto *problem = std::get_if<logic::ThresholdProblem>(&threshold))
            return logic::thresholdProblemText(*problem);
        const std::string chunk = std::to_string(k + 1);
        entries.push_back({"logic-1-" + chunk,
                           logic::toLogic(record, std::get<logic::LogicThreshold>(threshold))});
        analog.push_back({"analog-1-2-" + chunk, analogChunk(record, file.settings.calibration)});
    }
    entries.insert(entries.end(), analog.begin(), analog.end());
    return storedZip(entries);
}

}  // namespace kalvira::exporting
