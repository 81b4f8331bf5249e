#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <variant>

#include "analysis/spectrum.h"
#include "analysis/spectrum_averager.h"
#include "decode/decoder_info.h"
#include "judge_options.h"
#include "logic/logic_conversion.h"
#include "remote/listen_address.h"
#include "settings/scope_settings.h"

namespace kalvira::capture {

// What one capture asks of the unit, from the command line.
struct CaptureOptions {
    int portIndex = 0;                  // the window's port option: 0 "COM1", 1 "COM2"
    std::optional<std::string> device;  // a device path given instead of COM1 / COM2
    // What the run asks the unit for and the record file says: the rate, the record length, the
    // trigger mode, level and edge, and how the values read in volts (--volts-per-count,
    // --zero-count, --probe; none without them). The rest are the window's defaults.
    settings::ScopeSettings settings;
    int records = 1;  // complete records wanted, 0 for no end; other than 1 runs the continuous
                      // mode, unless an interval is given
    QString output;   // the record file; empty for standard output
    bool measure = false;  // measurements as JSON lines on standard output instead of the CSV
    QString spectrum;      // the spectrum file; empty for none
    analysis::SpectrumWindow window = analysis::SpectrumWindow::Hann;  // the spectrum file's
    // --average: the spectrum file holds the records' averaged spectrum, rewritten as each
    // record completes.
    std::optional<analysis::Averaging> average;

    Judging judging;  // --statistics, --limit and --mask
    // Each record decoded (--decode), its annotations as JSON lines; how records become logic.
    std::optional<decode::DecoderSetup> decode;
    logic::ThresholdChoice threshold;

    std::optional<double> durationS;  // ends the capture after that long
    std::optional<double> intervalS;  // one single run every that long instead of continuous
    // Remote control there instead of a capture (--serve): records only as a client asks.
    std::optional<remote::ListenAddress> serve;

    // Whether the records go to their file one by one as they complete.
    bool appendsRecords() const { return records != 1 || durationS || intervalS; }
};

// The command line ends the program before any capture: the text goes to standard output with
// status 0 (--help) or to standard error with status 2 (a usage error).
struct CommandLineExit {
    int status = 2;
    QString text;
};

// Reads the arguments (the program's name first). No port is opened; a --mask file is read.
std::variant<CaptureOptions, CommandLineExit> parseCommandLine(const QStringList &arguments);

}  // namespace kalvira::capture
