#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <variant>

#include "analysis/calibration.h"
#include "analysis/spectrum.h"

namespace kalvira::capture {

// What one capture asks of the unit, from the command line.
struct CaptureOptions {
    int portIndex = 0;                  // the window's port option: 0 "COM1", 1 "COM2"
    std::optional<std::string> device;  // a device path given instead of COM1 / COM2
    int rateCode = 0;                   // 0 40000 SPS .. 7 200 SPS
    int samples = 5000;                 // 100..16000 in steps of 100
    bool levelTrigger = false;          // "Trig." (the level) instead of "Ext."
    int triggerLevel = 100;             // 1..254
    bool fallingEdge = true;
    int records = 1;  // complete records wanted, 0 for no end; other than 1 runs the continuous
                      // mode, unless an interval is given
    QString output;   // the record file; empty for standard output
    bool measure = false;  // measurements as JSON lines on standard output instead of the CSV
    QString spectrum;      // the spectrum file; empty for none
    analysis::SpectrumWindow window = analysis::SpectrumWindow::Hann;  // the spectrum file's

    std::optional<double> durationS;  // ends the capture after that long
    std::optional<double> intervalS;  // one single run every that long instead of continuous

    // The window's trigger option 0..3 these options stand for.
    int triggerMode() const {
        return (levelTrigger ? 2 : 0) + (records != 1 && !intervalS ? 1 : 0);
    }
    // Whether the records go to their file one by one as they complete.
    bool appendsRecords() const { return records != 1 || durationS || intervalS; }

    // How the values read in volts (--volts-per-count, --zero-count, --probe); none without them.
    std::optional<analysis::Calibration> calibration;
};

// The command line ends the program before any capture: the text goes to standard output with
// status 0 (--help) or to standard error with status 2 (a usage error).
struct CommandLineExit {
    int status = 2;
    QString text;
};

// Reads the arguments (the program's name first). Nothing is opened.
std::variant<CaptureOptions, CommandLineExit> parseCommandLine(const QStringList &arguments);

}  // namespace kalvira::capture
