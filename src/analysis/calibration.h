#pragma once

#include <string>
#include <variant>

namespace kalvira::analysis {

// How the unit's counts read in volts at the probe's tip:
// volts = (count - zeroCount) * voltsPerCount * probe.
struct Calibration {
    double voltsPerCount = 1.0;  // at the unit's input; finite, not zero, negative if inverting
    double zeroCount = 0.0;      // the count that reads 0 V, 0..32767, not necessarily whole
    int probe = 1;               // the probe's attenuation: 1, 10 or 100
    double volts(double count) const { return (count - zeroCount) * voltsPerCount * probe; }
    bool operator==(const Calibration &) const = default;
};

// Why a calibration cannot be made.
enum class CalibrationProblem {
    EqualCounts,     // the two points are at one count
    NoSlope,         // volts per count zero or not finite: the two points read the same volts
    ZeroOutOfRange,  // 0 V would be at a count outside 0..32767
    NoProbeFactor,   // the probe is not 1, 10 or 100
};
using CalibrationResult = std::variant<Calibration, CalibrationProblem>;

bool isProbeFactor(int probe);

// A calibration from its three figures, checked.
CalibrationResult makeCalibration(double voltsPerCount, double zeroCount, int probe);

// A calibration through two points, each a count and the volts at the unit's input (as with a
// probe of 1) that it stands for; the probe then multiplies every reading.
CalibrationResult calibrationFromPoints(int countA, double voltsA, int countB, double voltsB,
                                        int probe);

// Volts with four significant digits, in V from 1 V and in mV below: "2.500 V", "12.35 V",
// "312.5 mV", "0.1235 mV", "-1.200 V"; zero is "0.000 V", like every other reading with four
// digits. Rounded before the unit is chosen, so 0.99996 V reads "1.000 V". Independent of the
// locale.
std::string formatVolts(double volts);

// A level as a reading shows it, volts and the count beside them: "2.500 V (512)".
std::string levelText(const Calibration &calibration, int count);

}  // namespace kalvira::analysis
