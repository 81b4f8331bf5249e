#include "capture_reports.h"

#include "analysis/spectrum_levels.h"

#include <QSaveFile>
#include <vector>

#include "analysis/record_measurements.h"
#include "records/spectrum_settings.h"

namespace kalvira::capture {

std::string measurementLine(std::span<const std::int16_t> record, const SampleRateFacts &rate,
                            const std::optional<analysis::Calibration> &calibration,
                            analysis::SpectrumAnalyser &analyser, std::optional<bool> passed) {
    std::string line =
        analysis::measurementsJson(analysis::measureRecord(record, rate.period, calibration));
    const analysis::Spectrum spectrum =
        analyser.transform(record, rate.samplesPerSecond, analysis::SpectrumWindow::Hann);
    line.insert(line.size() - 1,
                analysis::spectrumFiguresJsonFields(analysis::spectrumFigures(spectrum)));
    if (passed) line.insert(line.size() - 1, *passed ? ",\"pass\":true" : ",\"pass\":false");
    return line;
}

std::optional<std::string> writeSpectra(const QString &path, const records::RecordFile &file,
                                        analysis::SpectrumWindow window,
                                        analysis::SpectrumAnalyser &analyser) {
    std::vector<analysis::Spectrum> spectra;
    for (const auto &record : file.records) {
        spectra.push_back(analyser.transform(record, file.settings.sampleRateSps(), window));
    }
    const std::string text =
        analysis::spectrumCsv(spectra, records::spectrumSettings(file),
                              analysis::SpectrumLevels(file.settings.calibration));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !out.commit()) {
        return path.toStdString() + ": " + out.errorString().toStdString();
    }
    return {};
}

}  // namespace kalvira::capture
