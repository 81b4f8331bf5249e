#include "calibration.h"

#include <charconv>
#include <cmath>

namespace kalvira::analysis {

namespace {

constexpr double kHighestCount = 32767.0;
constexpr int kHighestProbe = 100;

}  // namespace

bool isProbeFactor(int probe) {
    return probe == 1 || probe == 10 || probe == 100;
}

CalibrationResult makeCalibration(double voltsPerCount, double zeroCount, int probe) {
    if (!isProbeFactor(probe)) return CalibrationProblem::NoProbeFactor;
    // A slope so steep that a reading of the highest count would not be finite is refused too.
    if (voltsPerCount == 0.0 || !std::isfinite(voltsPerCount * kHighestCount * kHighestProbe)) {
        return CalibrationProblem::NoSlope;
    }
    if (!(zeroCount >= 0.0 && zeroCount <= kHighestCount)) {
        return CalibrationProblem::ZeroOutOfRange;
    }
    return Calibration{voltsPerCount, zeroCount, probe};
}

CalibrationResult calibrationFromPoints(int countA, double voltsA, int countB, double voltsB,
                                        int probe) {
    if (countA == countB) return CalibrationProblem::EqualCounts;
    const double voltsPerCount = (voltsB - voltsA) / (countB - countA);
    if (voltsPerCount == 0.0 || !std::isfinite(voltsPerCount)) return CalibrationProblem::NoSlope;
    return makeCalibration(voltsPerCount, countA - voltsA / voltsPerCount, probe);
}

std::string formatVolts(double volts) {
    if (!std::isfinite(volts)) return "\u2013";
    if (volts == 0.0) return "0.000 V";
    // Four significant digits as "d.ddde±x", correctly rounded; then placed in V or mV.
    char buffer[32];
    const char *end = std::to_chars(buffer, buffer + sizeof buffer, std::abs(volts),
                                    std::chars_format::scientific, 3)
                          .ptr;
    const std::string digits{buffer[0], buffer[2], buffer[3], buffer[4]};
    int exponent = 0;
    std::from_chars(buffer + 7, end, exponent);
    if (buffer[6] == '-') exponent = -exponent;
    const bool milli = exponent < 0;
    const int place = milli ? exponent + 3 : exponent;  // of the first digit, in the unit shown
    std::string text = volts < 0 ? "-" : "";
    if (place >= 3) {
        text += digits + std::string(static_cast<std::size_t>(place - 3), '0');
    } else if (place >= 0) {
        const auto whole = static_cast<std::size_t>(place + 1);
        text += digits.substr(0, whole) + "." + digits.substr(whole);
    } else {
        text += "0." + std::string(static_cast<std::size_t>(-place - 1), '0') + digits;
    }
    return text + (milli ? " mV" : " V");
}

std::string levelText(const Calibration &calibration, int count) {
    return formatVolts(calibration.volts(count)) + " (" + std::to_string(count) + ")";
}

}  // namespace kalvira::analysis
