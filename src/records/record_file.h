#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/scope_settings.h"

namespace kalvira::records {

// One or more complete records of the unit with the settings they were taken with.
//
// On disk it is UTF-8 CSV: `# key=value` lines (`# kalvira-record=1` first, then every setting
// below and `records=K` when K > 1), a header line, and one line per sample:
// `scroll_divisions` appears only when the view is scrolled, `volts_per_count`, `zero_count` and
// `probe` (together, before `taken`) only with a calibration. Then
// `sample,time_s,value` for one record, `record,sample,time_s,value` for several. time_s counts
// from the record's first sample, printed with six decimals, exact for every sample rate.
struct RecordFile {
    settings::ScopeSettings settings;  // what every record was taken with
    QDateTime taken;                   // when the record was taken, UTC, whole seconds
    std::vector<std::vector<std::int16_t>>
        records;  // each of settings.recordLength values, 0..32767
    bool operator==(const RecordFile &) const = default;
};

// Why a file was refused: the 1-based line where reading stopped (0: the file as a whole).
struct ReadError {
    int line = 0;
    std::string message;
    bool operator==(const ReadError &) const = default;
};
using ReadResult = std::variant<RecordFile, ReadError>;

// Larger files are refused before they are read.
inline constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

// What makes the file unwritable (a setting out of range, a record of the wrong length or with
// a value outside 0..32767, no record, no time, a calibration makeCalibration refuses), nullopt
// when it can be written and read back.
std::optional<std::string> checkRecordFile(const RecordFile &file);

// The file's bytes; only meaningful when checkRecordFile finds nothing.
QByteArray formatRecordFile(const RecordFile &file);

// Checks and writes the file through a temporary that replaces path only when it is complete,
// so a crash or a full disk never leaves half a file. The reason on failure.
std::optional<std::string> writeRecordFile(const QString &path, const RecordFile &file);

// A file read as a log: each entry one record with its own settings, oldest first.
struct RecordLog {
    std::vector<RecordFile> entries;  // the newest complete records within the budget
    std::size_t leftOut = 0;          // older complete records the budget left out
    int cutOffLine = 0;  // where a last record cut off by the file's end began; 0: none
};
using LogReadResult = std::variant<RecordLog, ReadError>;

// Files of any size are mapped, not read; this is only a guard against a wrong path.
inline constexpr qint64 kMaxLogBytes = qint64{1} << 40;

// Reads every form of the file. The log form, with a record column and no `records=` count,
// holds records until its end; `# key=value` lines before a record's first row change the
// settings from that record on. A log's last record cut off by the end of the file (a capture
// killed or a power cut) is left out and named; any other damage is refused with its line.
// Only the newest complete records within budgetBytes are kept.
LogReadResult parseRecordLog(std::string_view bytes,
                             std::size_t budgetBytes = static_cast<std::size_t>(-1));
LogReadResult readRecordLog(const QString &path, std::size_t budgetBytes,
                            qint64 maxBytes = kMaxLogBytes);

// The log form of entries, each one record: the first one's settings in full, then before each
// later record the settings that differ from the one before it, and its time of taking.
QByteArray formatRecordLog(std::span<const RecordFile> entries);
// Record number `number` of a log: the whole start of the file when there is no record before
// it, else the settings that changed since before and its time of taking; then its rows.
std::string formatLogEntry(const RecordFile &entry, const RecordFile *before, long long number);
// Checks and writes entries as a log through a temporary, as writeRecordFile does.
std::optional<std::string> writeRecordLog(const QString &path, std::span<const RecordFile> entries);

// Reads a file's bytes strictly: any deviation from the format, a file cut short included (its
// last line has no line end), is refused with its line.
ReadResult parseRecordFile(std::string_view bytes);
// Reads a file of at most maxBytes.
ReadResult readRecordFile(const QString &path, qint64 maxBytes = kMaxFileBytes);

}  // namespace kalvira::records
