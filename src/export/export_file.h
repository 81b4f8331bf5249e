#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "logic/logic_conversion.h"
#include "records/record_file.h"

namespace kalvira::exporting {

// The formats the field's tools open, by the file's extension.
enum class ExportFormat {
    SigrokSession,  // .sr: every record in one file
    Wav,            // .wav: one file a record
};

// The format a path's extension (any case) names; none for any other.
std::optional<ExportFormat> exportFormatOf(const QString &path);

// The files a WAV export of count records writes: the path itself for one record; for more,
// the record's number before the extension: rec.wav gives rec-1.wav, rec-2.wav, ...
QStringList wavPaths(const QString &path, std::size_t count);

// Writes the file's records in the format of the path's extension, each file replaced only when
// complete; the reason on failure (no record, an unknown extension, the threshold, the disk).
std::optional<std::string> writeExport(const QString &path, const records::RecordFile &file,
                                       const logic::ThresholdChoice &choice);

}  // namespace kalvira::exporting
