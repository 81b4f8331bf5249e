#include "capture_reports.h"

#include "analysis/spectrum_levels.h"

#include <QSaveFile>
#include <vector>

#include "analysis/record_measurements.h"
#include "analysis/sine_fit.h"
#include "records/spectrum_settings.h"

namespace kalvira::capture {

std::string measurementLine(std::span<const std::int16_t> record, const SampleRateFacts &rate,
                            const std::optional<analysis::Calibration> &calibration,
                            analysis::SpectrumAnalyser &analyser, std::optional<bool> passed) {
    std::string line =
        analysis::measurementsJson(analysis::measureRecord(record, rate.period, calibration));
    const analysis::Spectrum spectrum =
        analyser.transform(record, rate.samplesPerSecond, analysis::SpectrumWindow::Hann);
    const auto fit = spectrum.fundamentalHz
                         ? analysis::fitSine(record, rate.samplesPerSecond, *spectrum.fundamentalHz)
                         : std::nullopt;
    line.insert(line.size() - 1,
                analysis::spectrumFiguresJsonFields(analysis::spectrumFigures(spectrum)) +
                    analysis::sineFitJsonFields(fit));
    if (passed) line.insert(line.size() - 1, *passed ? ",\"pass\":true" : ",\"pass\":false");
    return line;
}

namespace {

std::optional<std::string> saveText(const QString &path, const std::string &text) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) ||
        out.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !out.commit()) {
        return path.toStdString() + ": " + out.errorString().toStdString();
    }
    return {};
}

}  // namespace

std::optional<std::string> writeSpectra(const QString &path, const records::RecordFile &file,
                                        analysis::SpectrumWindow window,
                                        analysis::SpectrumAnalyser &analyser) {
    std::vector<analysis::Spectrum> spectra;
    for (const auto &record : file.records) {
        spectra.push_back(analyser.transform(record, file.settings.sampleRateSps(), window));
    }
    return saveText(path,
                    analysis::spectrumCsv(spectra, records::spectrumSettings(file),
                                          analysis::SpectrumLevels(file.settings.calibration)));
}

std::optional<std::string> writeAveragedSpectrum(const QString &path,
                                                 const records::RecordFile &file,
                                                 const analysis::SpectrumAverager &averager) {
    if (!averager.result()) return {};
    auto settings = records::spectrumSettings(file);
    settings.emplace_back("averaging", analysis::averagingName(averager.averaging()));
    settings.emplace_back("averaged_records", std::to_string(averager.count()));
    return saveText(path,
                    analysis::spectrumCsv({&*averager.result(), 1}, settings,
                                          analysis::SpectrumLevels(file.settings.calibration)));
}

}  // namespace kalvira::capture
