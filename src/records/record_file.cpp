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
#include "record_history.h"
#include "settings/setting_fields.h"

namespace kalvira::records {

namespace {

constexpr long long kMaxRecords = 1000000;
constexpr std::string_view kFormatLine = "# kalvira-record=1";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kTakenKey = "taken";
constexpr std::string_view kRecordsKey = "records";

using settings::kCalibrationKeys;
using settings::parseInteger;
using settings::parseReal;
using settings::realText;

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

std::optional<int> parseInRange(std::string_view text, long long low, long long high) {
    const auto value = parseInteger(text);
    if (!value || *value < low || *value > high) return {};
    return static_cast<int>(*value);
}

bool isKnownKey(std::string_view key) {
    return settings::fieldWithKey(key) || key == kTakenKey || key == kRecordsKey ||
           std::find(kCalibrationKeys.begin(), kCalibrationKeys.end(), key) !=
               kCalibrationKeys.end();
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

std::optional<std::string> checkRecordFile(const RecordFile &file) {
    if (const auto problem = settings::problemWith(file.settings)) return problem;
    if (!file.taken.isValid()) return "no time of taking";
    if (file.records.empty()) return "no record";
    for (const auto &record : file.records) {
        if (record.size() != static_cast<std::size_t>(file.settings.recordLength)) {
            return "a record is not of the record length";
        }
        for (const std::int16_t value : record) {
            if (value < 0) return "a sample is below 0";
        }
    }
    return {};
}

namespace {

// The `# key=value` lines of file's settings: all of them without a record before it, else those
// that differ from before's, and the time of taking in every case.
void appendSettings(std::string &text, const RecordFile &file, const RecordFile *before) {
    const auto setting = [&text](std::string_view key, const std::string &value) {
        text.append("# ").append(key).append("=").append(value).append("\n");
    };
    for (const settings::SettingField &field : settings::kSettingFields) {
        const std::string value = field.text(file.settings);
        // A view at the record's start needs no scroll_divisions line.
        const bool changed = before ? field.text(before->settings) != value
                                    : field.key != "scroll_divisions" || value != "0";
        if (changed) setting(field.key, value);
    }
    // A log's record without the calibration of the one before says so with "none".
    const auto &calibration = file.settings.calibration;
    if (before ? before->settings.calibration != calibration : calibration.has_value()) {
        if (calibration) {
            setting("volts_per_count", realText(calibration->voltsPerCount));
            setting("zero_count", realText(calibration->zeroCount));
            setting("probe", std::to_string(calibration->probe));
        } else {
            setting("volts_per_count", "none");
        }
    }
    setting(kTakenKey, file.taken.toUTC().toString(Qt::ISODate).toStdString());
}

// The rows of one record, with its number first when prefix is not empty.
void appendRows(std::string &text, const RecordFile &file, const std::vector<std::int16_t> &record,
                const std::string &prefix) {
    const int rateCode = file.settings.rateCode;
    for (std::size_t k = 1; k <= record.size(); ++k) {
        text.append(prefix).append(std::to_string(k)).append(",");
        text.append(timeText(rateCode, static_cast<long long>(k))).append(",");
        text.append(std::to_string(record[k - 1])).append("\n");
    }
}

std::optional<std::string> saveWhole(const QString &path, const QByteArray &bytes) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        const std::string reason = out.errorString().toStdString();
        out.cancelWriting();
        return path.toStdString() + ": " + reason;
    }
    return {};
}

}  // namespace

QByteArray formatRecordFile(const RecordFile &file) {
    const bool several = file.records.size() > 1;
    std::string text;
    text.reserve(file.records.size() * static_cast<std::size_t>(file.settings.recordLength) * 24 +
                 400);
    text.append(kFormatLine).append("\n");
    appendSettings(text, file, nullptr);
    if (several) text.append("# records=").append(std::to_string(file.records.size())).append("\n");
    text.append(several ? "record,sample,time_s,value\n" : "sample,time_s,value\n");
    for (std::size_t r = 0; r < file.records.size(); ++r)
        appendRows(text, file, file.records[r], several ? std::to_string(r + 1) + "," : "");
    return QByteArray::fromStdString(text);
}

std::string formatLogEntry(const RecordFile &entry, const RecordFile *before, long long number) {
    std::string text;
    if (!before) text.append(kFormatLine).append("\n");
    appendSettings(text, entry, before);
    if (!before) text.append("record,sample,time_s,value\n");
    for (const auto &record : entry.records)
        appendRows(text, entry, record, std::to_string(number) + ",");
    return text;
}

QByteArray formatRecordLog(std::span<const RecordFile> entries) {
    QByteArray bytes;
    for (std::size_t r = 0; r < entries.size(); ++r)
        bytes.append(formatLogEntry(entries[r], r == 0 ? nullptr : &entries[r - 1],
                                    static_cast<long long>(r + 1)));
    return bytes;
}

std::optional<std::string> writeRecordLog(const QString &path,
                                          std::span<const RecordFile> entries) {
    if (entries.empty()) return "cannot write the records: no record";
    for (const RecordFile &entry : entries) {
        if (const auto problem = checkRecordFile(entry))
            return "cannot write the records: " + *problem;
        if (entry.records.size() != 1) return "cannot write the records: an entry of several";
    }
    // Written entry by entry: a full history is gigabytes of text.
    QSaveFile out(path);
    bool written = out.open(QIODevice::WriteOnly);
    for (std::size_t r = 0; written && r < entries.size(); ++r) {
        const std::string text = formatLogEntry(entries[r], r == 0 ? nullptr : &entries[r - 1],
                                                static_cast<long long>(r + 1));
        written = out.write(text.data(), static_cast<qint64>(text.size())) ==
                  static_cast<qint64>(text.size());
    }
    if (!written || !out.commit()) {
        const std::string reason = out.errorString().toStdString();
        out.cancelWriting();
        return path.toStdString() + ": " + reason;
    }
    return {};
}

std::optional<std::string> writeRecordFile(const QString &path, const RecordFile &file) {
    if (const auto problem = checkRecordFile(file)) return "cannot write the record: " + *problem;
    return saveWhole(path, formatRecordFile(file));
}

namespace {

using Settings = std::map<std::string_view, Setting>;

// Reads the `# key=value` lines from *line on into settings; *line is then the first other line,
// or none at the end of the file.
std::optional<ReadError> readSettingLines(LineReader &lines, std::optional<std::string_view> &line,
                                          Settings &settings) {
    for (; line && line->starts_with("#"); line = lines.next()) {
        const std::size_t equals = line->find('=');
        if (!line->starts_with("# ") || equals == std::string_view::npos) {
            return refuse(lines.number(), "not a `# key=value` line");
        }
        const std::string_view key = line->substr(2, equals - 2);
        if (!isKnownKey(key)) return refuse(lines.number(), "unknown key " + std::string(key));
        if (!settings.emplace(key, Setting{line->substr(equals + 1), lines.number()}).second) {
            return refuse(lines.number(), "duplicate key " + std::string(key));
        }
    }
    return {};
}

ReadError bad(const Settings &settings, std::string_view key) {
    const Setting &found = settings.at(key);
    return refuse(found.line, "bad " + std::string(key) + " " + std::string(found.value));
}

// The calibration the three keys give; "none" alone, in a log's later record, takes it away.
std::optional<ReadError> applyCalibration(const Settings &settings, RecordFile &file, bool whole,
                                          int headerLine) {
    const auto given = [&settings](std::string_view key) { return settings.contains(key); };
    if (!whole && given("volts_per_count") && settings.at("volts_per_count").value == "none" &&
        !given("zero_count") && !given("probe")) {
        file.settings.calibration.reset();
        return {};
    }
    if (std::none_of(kCalibrationKeys.begin(), kCalibrationKeys.end(), given)) return {};
    for (const std::string_view key : kCalibrationKeys) {
        if (!given(key)) return refuse(headerLine, "missing key " + std::string(key));
    }
    using analysis::CalibrationProblem;
    const auto voltsPerCount = parseReal(settings.at("volts_per_count").value);
    const auto zeroCount = parseReal(settings.at("zero_count").value);
    const auto made =
        analysis::makeCalibration(voltsPerCount.value_or(0.0), zeroCount.value_or(-1.0),
                                  parseInRange(settings.at("probe").value, 1, 100).value_or(0));
    if (const auto *problem = std::get_if<CalibrationProblem>(&made)) {
        if (*problem == CalibrationProblem::NoProbeFactor) return bad(settings, "probe");
        return bad(settings,
                   *problem == CalibrationProblem::NoSlope ? "volts_per_count" : "zero_count");
    }
    file.settings.calibration = std::get<analysis::Calibration>(made);
    return {};
}

// Sets what settings state on file; every key but the optional ones must be there when whole.
std::optional<ReadError> applySettings(const Settings &settings, RecordFile &file, bool whole,
                                       int headerLine) {
    if (whole) {
        for (const settings::SettingField &field : settings::kSettingFields) {
            if (field.key != "scroll_divisions" && !settings.contains(field.key))
                return refuse(headerLine, "missing key " + std::string(field.key));
        }
        if (!settings.contains(kTakenKey)) return refuse(headerLine, "missing key taken");
    }
    for (const settings::SettingField &field : settings::kSettingFields) {
        const auto found = settings.find(field.key);
        if (found != settings.end() && !field.read(found->second.value, file.settings))
            return bad(settings, field.key);
    }
    if (auto error = applyCalibration(settings, file, whole, headerLine)) return error;
    if (settings.contains(kTakenKey)) {
        const std::string_view taken = settings.at(kTakenKey).value;
        file.taken = QDateTime::fromString(
            QString::fromUtf8(taken.data(), static_cast<qsizetype>(taken.size())), Qt::ISODate);
        if (taken.size() != 20 || !taken.ends_with('Z') || !file.taken.isValid()) {
            return bad(settings, kTakenKey);
        }
    }
    return {};
}

// How the rows of one record ended: complete, cut off by the end of the file, or refused.
struct Rows {
    std::optional<ReadError> error;
    bool cutOff = false;
};

// Reads the rows of record r, the first of them in *line; *line is then the line after them.
Rows readRows(LineReader &lines, std::optional<std::string_view> &line, const RecordFile &file,
              long long r, bool several, std::vector<std::int16_t> &record) {
    const int rateCode = file.settings.rateCode;
    const std::size_t fieldCount = several ? 4 : 3;
    const int samples = file.settings.recordLength;
    record.reserve(static_cast<std::size_t>(samples));
    for (long long k = 1; k <= samples; ++k, line = lines.next()) {
        const std::string where = (several ? "record " + std::to_string(r) + " " : std::string()) +
                                  "sample " + std::to_string(k);
        if (!line) return {refuse(lines.number() + 1, "missing row for " + where), true};
        std::array<std::string_view, 4> fields;
        std::size_t count = 0;
        std::string_view rest = *line;
        for (; count < fields.size(); ++count) {
            const std::size_t comma = rest.find(',');
            fields[count] = rest.substr(0, comma);
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
        // A last line without its line end is a row being written when the file was cut.
        const bool cut = !lines.terminated();
        if (count + 1 != fieldCount) {
            return {refuse(lines.number(), "expected " + std::to_string(fieldCount) + " fields"),
                    cut};
        }
        const std::size_t first = several ? 1 : 0;
        if ((several && parseInteger(fields[0]) != r) || parseInteger(fields[first]) != k) {
            return {refuse(lines.number(), "expected the row for " + where), cut};
        }
        const std::string time = timeText(rateCode, k);
        if (fields[first + 1] != time)
            return {refuse(lines.number(), "time_s must be " + time), cut};
        const auto value = parseInRange(fields[first + 2], 0, 32767);
        if (!value) return {refuse(lines.number(), "value is not a number in 0..32767"), cut};
        if (cut) return {refuse(lines.number(), "file ends inside a row"), true};
        record.push_back(static_cast<std::int16_t>(*value));
    }
    return {};
}

}  // namespace

LogReadResult parseRecordLog(std::string_view bytes, std::size_t budgetBytes) {
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    LineReader lines(bytes);
    auto line = lines.next();
    if (!line || *line != kFormatLine) {
        if (line && line->starts_with("# kalvira-record=")) {
            return refuse(1, "unsupported record file version");
        }
        return refuse(1, "not a KALVIRA record file");
    }

    Settings settings;
    line = lines.next();
    if (auto error = readSettingLines(lines, line, settings)) return *error;
    const int headerLine = lines.number() + (line ? 0 : 1);
    RecordFile file;
    if (auto error = applySettings(settings, file, true, headerLine)) return *error;
    std::optional<long long> stated;  // the number of records, when the file states it
    if (settings.contains(kRecordsKey)) {
        stated = parseInRange(settings.at(kRecordsKey).value, 2, kMaxRecords);
        if (!stated) {
            const Setting &found = settings.at(kRecordsKey);
            return refuse(found.line, "bad records " + std::string(found.value));
        }
    }

    // Without a stated count, the form with a record column is a log: records until the end,
    // each one's settings changed by the `# key=value` lines before its first row, and a last
    // record cut off by the file's end left out.
    static constexpr std::string_view kSeveral = "record,sample,time_s,value";
    const bool log = !stated && line == kSeveral;
    const bool several = stated || log;
    const std::string_view header = several ? kSeveral : "sample,time_s,value";
    if (!line) return refuse(headerLine, "missing header line");
    if (*line != header) return refuse(headerLine, "header must be " + std::string(header));

    RecordLog result;
    RecordHistory kept(budgetBytes);
    const auto finish = [&result, &kept](int cutOffLine) -> LogReadResult {
        result.cutOffLine = cutOffLine;
        std::deque<RecordFile> entries = kept.takeEntries();
        result.entries.assign(std::make_move_iterator(entries.begin()),
                              std::make_move_iterator(entries.end()));
        return std::move(result);
    };
    line = lines.next();
    for (long long r = 1; stated ? r <= *stated : (r == 1 || line); ++r) {
        const int firstLine = lines.number() + (line ? 0 : 1);
        if (log && r > 1) {
            Settings changes;
            // A settings line without its line end was being written when the file was cut.
            if (auto error = readSettingLines(lines, line, changes))
                return lines.terminated() ? LogReadResult(*error) : finish(firstLine);
            auto error = applySettings(changes, file, false, firstLine);
            if (!error && changes.contains(kRecordsKey))
                error = refuse(changes.at(kRecordsKey).line, "records is stated at the start only");
            // A calibration's three lines are written together: the file ending among them was
            // cut as they were written.
            const auto calibrationLines =
                std::count_if(kCalibrationKeys.begin(), kCalibrationKeys.end(),
                              [&changes](std::string_view key) { return changes.contains(key); });
            const bool cut =
                !lines.terminated() ||
                (calibrationLines > 0 && calibrationLines < std::ssize(kCalibrationKeys));
            if (error) return line || !cut ? LogReadResult(*error) : finish(firstLine);
            if (!line) return finish(firstLine);
        }
        RecordFile entry = file;
        entry.records.emplace_back();
        const Rows rows = readRows(lines, line, file, r, several, entry.records.back());
        if (rows.error) {
            if (log && rows.cutOff) return finish(firstLine);
            return *rows.error;
        }
        result.leftOut += kept.add(std::move(entry));
    }
    if (line) return refuse(lines.number(), "extra line after the last row");
    return finish(0);
}

ReadResult parseRecordFile(std::string_view bytes) {
    LogReadResult read = parseRecordLog(bytes);
    if (auto *error = std::get_if<ReadError>(&read)) return *error;
    RecordLog &log = std::get<RecordLog>(read);
    if (log.cutOffLine > 0) return refuse(log.cutOffLine, "the last record is cut off");
    RecordFile file = std::move(log.entries.front());
    std::vector<std::vector<std::int16_t>> records = std::move(file.records);
    file.records.clear();
    for (std::size_t i = 1; i < log.entries.size(); ++i) {
        RecordFile &entry = log.entries[i];
        records.push_back(std::move(entry.records.front()));
        entry.records.clear();
        entry.taken = file.taken;
        if (entry != file) return refuse(0, "its records differ in their settings");
    }
    file.records = std::move(records);
    return file;
}

LogReadResult readRecordLog(const QString &path, std::size_t budgetBytes, qint64 maxBytes) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        return refuse(0, path.toStdString() + ": " + in.errorString().toStdString());
    }
    const qint64 size = in.size();
    if (size > maxBytes)
        return refuse(0, "file is larger than " + std::to_string(maxBytes) + " bytes");
    if (size == 0) return parseRecordLog({}, budgetBytes);
    // Mapped, so a file of hours of records costs no copy of its own.
    const uchar *mapped = in.map(0, size);
    if (!mapped) return refuse(0, path.toStdString() + ": " + in.errorString().toStdString());
    return parseRecordLog(
        std::string_view(reinterpret_cast<const char *>(mapped), static_cast<std::size_t>(size)),
        budgetBytes);
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
