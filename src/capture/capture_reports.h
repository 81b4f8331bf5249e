#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "analysis/calibration.h"
#include "analysis/spectrum.h"
#include "analysis/spectrum_averager.h"
#include "common/link_facts.h"
#include "records/record_file.h"

namespace kalvira::capture {

// A record's line for --measure: its measurements object with the figures of its Hann spectrum
// (the mean removed) and of its sine fit joined before the closing brace, null where a figure is
// not defined; with a verdict (limits or a mask given) "pass":true or false last.
std::string measurementLine(std::span<const std::int16_t> record, const SampleRateFacts &rate,
                            const std::optional<analysis::Calibration> &calibration,
                            analysis::SpectrumAnalyser &analyser,
                            std::optional<bool> passed = std::nullopt);

// The spectra of the file's records with the window, the mean removed, as the spectrum window
// saves one (several in one file, with a record column), written to path whole or not at all.
// The reason on failure.
std::optional<std::string> writeSpectra(const QString &path, const records::RecordFile &file,
                                        analysis::SpectrumWindow window,
                                        analysis::SpectrumAnalyser &analyser);

// The averaged spectrum so far as one spectrum of the file's settings (its time the first
// record's), with "# averaging=" and "# averaged_records=" lines, written whole or not at all.
// The reason on failure.
std::optional<std::string> writeAveragedSpectrum(const QString &path,
                                                 const records::RecordFile &file,
                                                 const analysis::SpectrumAverager &averager);

}  // namespace kalvira::capture
