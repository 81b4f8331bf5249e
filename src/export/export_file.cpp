#include "export_file.h"

#include <QFileInfo>
#include <QSaveFile>

#include "session_file.h"
#include "wav_file.h"

namespace kalvira::exporting {

namespace {

std::optional<std::string> writeWhole(const QString &path, const std::vector<std::uint8_t> &bytes) {
    QSaveFile out(path);
    const auto size = static_cast<qint64>(bytes.size());
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(reinterpret_cast<const char *>(bytes.data()), size) != size || !out.commit()) {
        return path.toStdString() + ": " + out.errorString().toStdString();
    }
    return std::nullopt;
}

}  // namespace

std::optional<ExportFormat> exportFormatOf(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QStringLiteral("sr")) return ExportFormat::SigrokSession;
    if (suffix == QStringLiteral("wav")) return ExportFormat::Wav;
    return std::nullopt;
}

QStringList wavPaths(const QString &path, std::size_t count) {
    if (count == 1) return {path};
    const QFileInfo info(path);
    const QString stem = path.left(path.size() - info.suffix().size() - 1);
    QStringList paths;
    for (std::size_t k = 1; k <= count; ++k)
        paths << QStringLiteral("%1-%2.%3").arg(stem).arg(k).arg(info.suffix());
    return paths;
}

std::optional<std::string> writeExport(const QString &path, const records::RecordFile &file,
                                       const logic::ThresholdChoice &choice) {
    const auto format = exportFormatOf(path);
    if (!format) return path.toStdString() + ": not a .sr or .wav file";
    if (file.records.empty()) return path.toStdString() + ": no record to write";
    if (*format == ExportFormat::SigrokSession) {
        const auto session = sessionFile(file, choice);
        if (const auto *problem = std::get_if<std::string>(&session))
            return path.toStdString() + ": " + *problem;
        return writeWhole(path, std::get<std::vector<std::uint8_t>>(session));
    }
    const QStringList paths = wavPaths(path, file.records.size());
    for (std::size_t k = 0; k < file.records.size(); ++k) {
        const auto error = writeWhole(paths[qsizetype(k)],
                                      wavFile(file.records[k], file.settings.sampleRateSps()));
        if (error) return error;
    }
    return std::nullopt;
}

}  // namespace kalvira::exporting
