#include "record_file.h"

#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <span>

#include "acquisition/protocol.h"
#include "common/link_facts.h"
#include "common/time_bases.h"

namespace kalvira::records {

namespace {

constexpr int kRateCodes = static_cast<int>(kSampleRates.size());
constexpr int kTimeBaseCount = static_cast<int>(kTimeBases.size());
constexpr long long kMaxRecords = 1000000;
constexpr std::string_view kFormatLine = "# kalvira-record=1";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::array<std::string_view, 4> kTriggerNames{"ext-single", "ext-cont", "level-single",
                                                        "level-cont"};
constexpr std::array<std::string_view, 12> kKeys{
    "sample_rate_sps",    "samples",      "trigger",
    "trigger_level",      "trigger_edge", "time_base_index",
    "volts_per_div_half", "line_style",   "trigger_marker",
    "scroll_divisions",   "taken",        "records"};
constexpr std::array<std::string_view, 3> kCalibrationKeys{"volts_per_count", "zero_count",
                                                           "probe"};

// Microseconds between two samples at a rate code 0..7: 25 .. 5000.
long long periodMicroseconds(int rateCode) {
    return std::llround(acquisition::samplePeriod(rateCode) * 1e6);
}

// Seconds from the first sample to sample k (from 1), as exact decimals.
std::string timeText(int rateCode, long long k) {
    const long long micros = (k - 1) * periodMicroseconds(rateCode);
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%lld.%06lld", micros / 1000000, micros % 1000000);
    return text.data();
}

std::optional<long long> parseInteger(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    return value;
}

std::optional<int> parseInRange(std::string_view text, long long low, long long high) {
    const auto value = parseInteger(text);
    if (!value || *value < low || *value > high) return {};
    return static_cast<int>(*value);
}

// A finite number as to_chars writes it; nothing else (no sign +, no space, no "inf").
std::optional<double> parseReal(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
    if (!std::isfinite(value)) return {};
    return value;
}

// The shortest text that reads back as the same number.
std::string realText(double value) {
    std::array<char, 32> text{};
    return {text.data(), std::to_chars(text.data(), text.data() + text.size(), value).ptr};
}

std::optional<int> indexOf(std::string_view text, std::span<const std::string_view> names) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == text) return static_cast<int>(i);
    }
    return {};
}

// The lines of a file one after another, without their line ends ("\n" or "\r\n").
class LineReader {
public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) {}
    std::optional<std::string_view> next() {
        if (rest_.empty()) return {};
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        terminated_ = end != std::string_view::npos;
        rest_ = terminated_ ? rest_.substr(end + 1) : std::string_view();
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++number_;
        return line;
    }
    int number() const { return number_; }
    // Whether the last line read ended with a line end, as every line of a whole file does.
    bool terminated() const { return terminated_; }

private:
    std::string_view rest_;
    bool terminated_ = false;
    int number_ = 0;
};

struct Setting {
    std::string_view value;
    int line = 0;
};

ReadError refuse(int line, std::string message) {
    return ReadError{line, std::move(message)};
}

}  // namespace

std::optional<int> rateCodeForSps(int samplesPerSecond) {
    for (int code = 0; code < kRateCodes; ++code) {
        if (spsForRateCode(code) == samplesPerSecond) return code;
    }
    return {};
}

int spsForRateCode(int rateCode) {
    if (rateCode < 0 || rateCode >= static_cast<int>(kSampleRates.size())) return 0;
    return kSampleRates[static_cast<std::size_t>(rateCode)].samplesPerSecond;
}

std::optional<std::string> checkRecordFile(const RecordFile &file) {
    if (!rateCodeForSps(file.sampleRateSps)) return "sample rate is not one of the unit's";
    if (!isRecordLength(file.samples)) return "record length is not 100..16000 in steps of 100";
    if (file.trigger < 0 || file.trigger > 3) return "trigger mode is not 0..3";
    if (file.triggerLevel < 1 || file.triggerLevel > 254) return "trigger level is not 1..254";
    if (file.timeBaseIndex < 0 || file.timeBaseIndex >= kTimeBaseCount) return "no such time base";
    if (!file.taken.isValid()) return "no time of taking";
    if (file.records.empty()) return "no record";
    if (const auto &c = file.calibration) {
        const auto made = analysis::makeCalibration(c->voltsPerCount, c->zeroCount, c->probe);
        if (!std::holds_alternative<analysis::Calibration>(made)) return "calibration is not valid";
    }
    for (const auto &record : file.records) {
        if (record.size() != static_cast<std::size_t>(file.samples)) {
            return "a record is not of the record length";
        }
        for (const std::int16_t value : record) {
            if (value < 0) return "a sample is below 0";
        }
    }
    return {};
}

QByteArray formatRecordFile(const RecordFile &file) {
    const int rateCode = rateCodeForSps(file.sampleRateSps).value_or(0);
    const bool several = file.records.size() > 1;
    std::string text;
    text.reserve(file.records.size() * static_cast<std::size_t>(file.samples) * 24 + 400);
    auto setting = [&text](std::string_view key, const std::string &value) {
        text.append("# ").append(key).append("=").append(value).append("\n");
    };
    text.append(kFormatLine).append("\n");
    setting("sample_rate_sps", std::to_string(file.sampleRateSps));
    setting("samples", std::to_string(file.samples));
    setting("trigger", std::string(kTriggerNames.at(static_cast<std::size_t>(file.trigger & 3))));
    setting("trigger_level", std::to_string(file.triggerLevel));
    setting("trigger_edge", file.fallingEdge ? "fall" : "rise");
    setting("time_base_index", std::to_string(file.timeBaseIndex));
    setting("volts_per_div_half", file.voltsPerDivHalf ? "1" : "0");
    setting("line_style", file.dots ? "dot" : "line");
    setting("trigger_marker", file.triggerMarker ? "1" : "0");
    if (file.scrolledDivisions != 0) {
        setting("scroll_divisions", std::to_string(file.scrolledDivisions));
    }
    if (const auto &calibration = file.calibration) {
        setting("volts_per_count", realText(calibration->voltsPerCount));
        setting("zero_count", realText(calibration->zeroCount));
        setting("probe", std::to_string(calibration->probe));
    }
    setting("taken", file.taken.toUTC().toString(Qt::ISODate).toStdString());
    if (several) setting("records", std::to_string(file.records.size()));
    text.append(several ? "record,sample,time_s,value\n" : "sample,time_s,value\n");
    for (std::size_t r = 0; r < file.records.size(); ++r) {
        const std::string prefix = several ? std::to_string(r + 1) + "," : std::string();
        const auto &record = file.records[r];
        for (std::size_t k = 1; k <= record.size(); ++k) {
            text.append(prefix).append(std::to_string(k)).append(",");
            text.append(timeText(rateCode, static_cast<long long>(k))).append(",");
            text.append(std::to_string(record[k - 1])).append("\n");
        }
    }
    return QByteArray::fromStdString(text);
}

std::optional<std::string> writeRecordFile(const QString &path, const RecordFile &file) {
    if (const auto problem = checkRecordFile(file)) return "cannot write the record: " + *problem;
    const QByteArray bytes = formatRecordFile(file);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        const std::string reason = out.errorString().toStdString();
        out.cancelWriting();
        return path.toStdString() + ": " + reason;
    }
    return {};
}

ReadResult parseRecordFile(std::string_view bytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    LineReader lines(bytes);
    auto line = lines.next();
    if (!line || *line != kFormatLine) {
        if (line && line->starts_with("# kalvira-record=")) {
            return refuse(1, "unsupported record file version");
        }
        return refuse(1, "not a KALVIRA record file");
    }

    std::map<std::string_view, Setting> settings;
    while ((line = lines.next()) && line->starts_with("#")) {
        const std::size_t equals = line->find('=');
        if (!line->starts_with("# ") || equals == std::string_view::npos) {
            return refuse(lines.number(), "not a `# key=value` line");
        }
        const std::string_view key = line->substr(2, equals - 2);
        if (!indexOf(key, kKeys) && !indexOf(key, kCalibrationKeys))
            return refuse(lines.number(), "unknown key " + std::string(key));
        if (!settings.emplace(key, Setting{line->substr(equals + 1), lines.number()}).second) {
            return refuse(lines.number(), "duplicate key " + std::string(key));
        }
    }
    const int headerLine = lines.number() + (line ? 0 : 1);
    for (const std::string_view key : kKeys) {
        if (key != "records" && key != "scroll_divisions" && !settings.contains(key)) {
            return refuse(headerLine, "missing key " + std::string(key));
        }
    }

    RecordFile file;
    long long recordCount = 1;
    const auto bad = [&settings](std::string_view key) {
        const Setting &found = settings.at(key);
        return refuse(found.line, "bad " + std::string(key) + " " + std::string(found.value));
    };
    const auto number = [&settings](std::string_view key, long long low, long long high) {
        return parseInRange(settings.at(key).value, low, high);
    };
    const auto choice = [&settings](std::string_view key, std::span<const std::string_view> names) {
        return indexOf(settings.at(key).value, names);
    };
    static constexpr std::array<std::string_view, 2> kEdges{"rise", "fall"};
    static constexpr std::array<std::string_view, 2> kStyles{"line", "dot"};
    static constexpr std::array<std::string_view, 2> kFlags{"0", "1"};

    const auto sps = number("sample_rate_sps", 1, 1000000);
    const auto rateCode = sps ? rateCodeForSps(*sps) : std::nullopt;
    if (!rateCode) return bad("sample_rate_sps");
    file.sampleRateSps = *sps;
    const auto samples = number("samples", 100, kMaxRecordLength);
    if (!samples || !isRecordLength(*samples)) return bad("samples");
    file.samples = *samples;
    const auto trigger = choice("trigger", kTriggerNames);
    if (!trigger) return bad("trigger");
    file.trigger = *trigger;
    const auto level = number("trigger_level", 1, 254);
    if (!level) return bad("trigger_level");
    file.triggerLevel = *level;
    const auto edge = choice("trigger_edge", kEdges);
    if (!edge) return bad("trigger_edge");
    file.fallingEdge = *edge == 1;
    const auto timeBase = number("time_base_index", 0, kTimeBaseCount - 1);
    if (!timeBase) return bad("time_base_index");
    file.timeBaseIndex = *timeBase;
    const auto half = choice("volts_per_div_half", kFlags);
    if (!half) return bad("volts_per_div_half");
    file.voltsPerDivHalf = *half == 1;
    const auto style = choice("line_style", kStyles);
    if (!style) return bad("line_style");
    file.dots = *style == 1;
    const auto marker = choice("trigger_marker", kFlags);
    if (!marker) return bad("trigger_marker");
    file.triggerMarker = *marker == 1;
    if (settings.contains("scroll_divisions")) {
        const auto scrolled = number("scroll_divisions", 0, kMaxRecordLength);
        if (!scrolled) return bad("scroll_divisions");
        file.scrolledDivisions = *scrolled;
    }
    const auto given = [&settings](std::string_view key) { return settings.contains(key); };
    if (std::any_of(kCalibrationKeys.begin(), kCalibrationKeys.end(), given)) {
        for (const std::string_view key : kCalibrationKeys) {
            if (!given(key)) return refuse(headerLine, "missing key " + std::string(key));
        }
        using analysis::CalibrationProblem;
        const auto voltsPerCount = parseReal(settings.at("volts_per_count").value);
        const auto zeroCount = parseReal(settings.at("zero_count").value);
        const auto made =
            analysis::makeCalibration(voltsPerCount.value_or(0.0), zeroCount.value_or(-1.0),
                                      number("probe", 1, 100).value_or(0));
        if (const auto *problem = std::get_if<CalibrationProblem>(&made)) {
            if (*problem == CalibrationProblem::NoProbeFactor) return bad("probe");
            return bad(*problem == CalibrationProblem::NoSlope ? "volts_per_count" : "zero_count");
        }
        file.calibration = std::get<analysis::Calibration>(made);
    }
    const std::string_view taken = settings.at("taken").value;
    file.taken = QDateTime::fromString(
        QString::fromUtf8(taken.data(), static_cast<qsizetype>(taken.size())), Qt::ISODate);
    if (taken.size() != 20 || !taken.ends_with('Z') || !file.taken.isValid()) return bad("taken");
    if (settings.contains("records")) {
        const auto count = number("records", 2, kMaxRecords);
        if (!count) return bad("records");
        recordCount = *count;
    }

    const bool several = recordCount > 1;
    const std::string_view header = several ? "record,sample,time_s,value" : "sample,time_s,value";
    if (!line) return refuse(headerLine, "missing header line");
    if (*line != header) return refuse(headerLine, "header must be " + std::string(header));

    const std::size_t fieldCount = several ? 4 : 3;
    for (long long r = 1; r <= recordCount; ++r) {
        std::vector<std::int16_t> &record = file.records.emplace_back();
        record.reserve(static_cast<std::size_t>(file.samples));
        for (long long k = 1; k <= file.samples; ++k) {
            line = lines.next();
            const std::string where =
                (several ? "record " + std::to_string(r) + " " : std::string()) + "sample " +
                std::to_string(k);
            if (!line) return refuse(lines.number() + 1, "missing row for " + where);
            std::array<std::string_view, 4> fields;
            std::size_t count = 0;
            std::string_view rest = *line;
            for (; count < fields.size(); ++count) {
                const std::size_t comma = rest.find(',');
                fields[count] = rest.substr(0, comma);
                if (comma == std::string_view::npos) break;
                rest.remove_prefix(comma + 1);
            }
            if (count + 1 != fieldCount) {
                return refuse(lines.number(), "expected " + std::to_string(fieldCount) + " fields");
            }
            const std::size_t first = several ? 1 : 0;
            if ((several && parseInteger(fields[0]) != r) || parseInteger(fields[first]) != k) {
                return refuse(lines.number(), "expected the row for " + where);
            }
            const std::string time = timeText(*rateCode, k);
            if (fields[first + 1] != time) return refuse(lines.number(), "time_s must be " + time);
            const auto value = parseInRange(fields[first + 2], 0, 32767);
            if (!value) return refuse(lines.number(), "value is not a number in 0..32767");
            if (!lines.terminated()) return refuse(lines.number(), "file ends inside a row");
            record.push_back(static_cast<std::int16_t>(*value));
        }
    }
    if (lines.next()) return refuse(lines.number(), "extra line after the last row");
    return file;
}

ReadResult readRecordFile(const QString &path, qint64 maxBytes) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        return refuse(0, path.toStdString() + ": " + in.errorString().toStdString());
    }
    const std::string tooLarge = "file is larger than " + std::to_string(maxBytes) + " bytes";
    if (in.size() > maxBytes) return refuse(0, tooLarge);
    const QByteArray bytes = in.read(maxBytes + 1);  // a file still growing is caught here
    if (bytes.size() > maxBytes) return refuse(0, tooLarge);
    return parseRecordFile(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace kalvira::records
