#pragma once

#include <optional>
#include <string>

#include "acquisition/protocol.h"
#include "analysis/calibration.h"

namespace kalvira::settings {

// Everything the scope is set to: what the unit is asked for, how the record is shown, and how
// its counts read in volts. The defaults are the window's at start.
struct ScopeSettings {
    int rateCode = 0;         // 0 "25usec/ 40kSPS" .. 7 "5msec/ 200SPS"
    int recordLength = 5000;  // samples, 100..16000 in steps of 100
    int triggerMode = 0;      // 0 "Ext./Single", 1 "Ext./Cont.", 2 "Trig./Single", 3 "Trig./Cont."
    int triggerLevel = 100;   // the trigger level bar, 1..254
    bool fallingEdge = true;  // "Fall" (true) or "Rise"
    int timeBase = 0;         // 0 "5sec/Div." .. 13 "1msec/Div."
    bool halfHeight = false;  // "V/Div 1:2" ticked
    bool dots = false;        // line style "Dot" (true) or "Line"
    bool triggerMarker = false;  // "Visible": the trigger level drawn as a line
    int scrollDivisions = 0;     // whole divisions the view is scrolled from the record's start
    std::optional<analysis::Calibration> calibration;  // none: the record reads in counts
    bool operator==(const ScopeSettings &) const = default;

    // Samples per second of the rate code; 0 for a code out of range.
    int sampleRateSps() const;
    // Blocks of 100 samples the record travels in.
    int blocks() const { return recordLength / kSamplesPerBlock; }
    // Whether the unit takes records one after another until STOP.
    bool continuous() const { return triggerMode == 1 || triggerMode == 3; }
};

// The most a view can be scrolled: a record's length in divisions is never more.
inline constexpr int kMaxScrollDivisions = kMaxRecordLength;

// What is wrong with the settings, in words ("trigger level is not 1..254"), nullopt when every
// field is in its range and the calibration is one makeCalibration accepts.
std::optional<std::string> problemWith(const ScopeSettings &settings);

// The rate code 0..7 of a rate in samples per second; nullopt for any other rate.
std::optional<int> rateCodeForSps(int samplesPerSecond);
// Samples per second of a rate code 0..7; 0 for any other code.
int spsForRateCode(int rateCode);

// The five settings a command frame carries.
acquisition::FrameSettings frameSettings(const ScopeSettings &settings);
// The command frame for the settings; nullopt where the unit cannot serve them.
std::optional<acquisition::CommandFrame> commandFrame(const ScopeSettings &settings);

}  // namespace kalvira::settings
