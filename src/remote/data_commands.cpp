// The record on screen as data, and the history of records.
#include <cstdio>

#include "common/link_facts.h"
#include "instrument.h"
#include "scope/scope.h"
#include "scpi_numbers.h"
#include "scpi_parser.h"

namespace kalvira::remote {

namespace {

std::string upper(std::string text) {
    for (char &c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

CommandResult setFormat(Instrument &instrument, const Parameters &parameters) {
    const std::string format = upper(parameters.front());
    const bool ascii = matchesNode(format, "ASCii");
    if (!ascii && !matchesNode(format, "WORD"))
        return failure(ScpiError::IllegalParameterValue, "WORD or ASCii");
    instrument.asciiData = ascii;
    return {};
}

// WORD: an IEEE 488.2 definite-length block, #5, five digits of length, then each count as a
// little-endian 16-bit value. ASCii: the counts with commas between. Empty without a record.
CommandResult waveformData(Instrument &instrument) {
    const scope::Scope &scope = instrument.scope;
    const std::span<const std::int16_t> record =
        scope.recordShown() ? scope.record() : std::span<const std::int16_t>();
    std::string data;
    if (instrument.asciiData) {
        for (std::size_t k = 0; k < record.size(); ++k) {
            if (k > 0) data += ',';
            data += std::to_string(record[k]);
        }
    } else {
        std::array<char, 8> length{};
        std::snprintf(length.data(), length.size(), "#5%05zu", record.size() * 2);
        data = length.data();
        for (const std::int16_t count : record) {
            const auto value = static_cast<std::uint16_t>(count);
            data += static_cast<char>(value & 0xFF);
            data += static_cast<char>(value >> 8);
        }
    }
    CommandResult result = answer(std::move(data));
    if (record.empty()) result.error = ScpiError::SettingsConflict, result.detail = "no record";
    return result;
}

// Points, seconds between samples, the first sample's time, and volts a count and at count 0
// (with a calibration; 1 and 0 counts without one): value = origin + count * increment.
CommandResult preamble(Instrument &instrument) {
    const settings::ScopeSettings &now = instrument.scope.settings();
    const double period = acquisition::samplePeriod(now.rateCode);
    double increment = 1.0, origin = 0.0;
    if (const auto &c = now.calibration) {
        increment = c->voltsPerCount * c->probe;
        origin = c->volts(0.0);
    }
    const std::size_t points =
        instrument.scope.recordShown() ? instrument.scope.record().size() : 0;
    return answer(std::to_string(points) + "," + numberText(period) + ",0," +
                  numberText(increment) + "," + numberText(origin));
}

// Entry n of the history, 1 the oldest: shown as stepping back to it shows it.
CommandResult selectEntry(Instrument &instrument, const Parameters &parameters) {
    if (instrument.scope.running())
        return failure(ScpiError::SettingsConflict, "looking back waits for STOP");
    const auto entry = parseWholeNumber(parameters.front());
    if (!entry) return failure(ScpiError::IllegalParameterValue, "not a whole number");
    const auto count = static_cast<long long>(instrument.scope.history().size());
    if (*entry < 1 || *entry > count) return failure(ScpiError::DataOutOfRange, "no such record");
    instrument.scope.showHistoryEntry(static_cast<std::size_t>(*entry - 1));
    return {};
}

CommandResult selectedEntry(Instrument &instrument) {
    const scope::Scope &scope = instrument.scope;
    const std::size_t at = scope.historyPosition();
    return answer(std::to_string(at < scope.history().size() ? at + 1 : 0));
}

}  // namespace

std::vector<ScpiCommand> dataCommands() {
    return {
        {"WAVeform:FORMat", 1, [](Instrument &i) { return answer(i.asciiData ? "ASC" : "WORD"); },
         setFormat},
        {"WAVeform:DATA", -1, waveformData, nullptr},
        {"WAVeform:PREamble", -1, preamble, nullptr},
        {"HISTory:COUNt", -1,
         [](Instrument &i) { return answer(std::to_string(i.scope.history().size())); }, nullptr},
        {"HISTory:SELect", 1, selectedEntry, selectEntry},
    };
}

}  // namespace kalvira::remote
