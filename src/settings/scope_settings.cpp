#include "scope_settings.h"

#include <variant>

#include "common/link_facts.h"
#include "common/time_bases.h"

namespace kalvira::settings {

int ScopeSettings::sampleRateSps() const {
    return spsForRateCode(rateCode);
}

std::optional<int> rateCodeForSps(int samplesPerSecond) {
    for (int code = 0; code < static_cast<int>(kSampleRates.size()); ++code) {
        if (spsForRateCode(code) == samplesPerSecond) return code;
    }
    return {};
}

int spsForRateCode(int rateCode) {
    if (rateCode < 0 || rateCode >= static_cast<int>(kSampleRates.size())) return 0;
    return kSampleRates[static_cast<std::size_t>(rateCode)].samplesPerSecond;
}

std::optional<std::string> problemWith(const ScopeSettings &s) {
    if (spsForRateCode(s.rateCode) == 0) return "sample rate is not one of the unit's";
    if (!isRecordLength(s.recordLength)) return "record length is not 100..16000 in steps of 100";
    if (s.triggerMode < 0 || s.triggerMode > 3) return "trigger mode is not 0..3";
    if (s.triggerLevel < 1 || s.triggerLevel > 254) return "trigger level is not 1..254";
    if (s.timeBase < 0 || s.timeBase >= static_cast<int>(kTimeBases.size()))
        return "no such time base";
    if (s.scrollDivisions < 0 || s.scrollDivisions > kMaxScrollDivisions)
        return "scroll position is not 0..16000 divisions";
    if (const auto &c = s.calibration) {
        const auto made = analysis::makeCalibration(c->voltsPerCount, c->zeroCount, c->probe);
        if (!std::holds_alternative<analysis::Calibration>(made)) return "calibration is not valid";
    }
    return {};
}

acquisition::FrameSettings frameSettings(const ScopeSettings &settings) {
    acquisition::FrameSettings frame;
    frame.triggerMode = settings.triggerMode;
    frame.rateCode = settings.rateCode;
    frame.triggerLevel = static_cast<std::uint8_t>(settings.triggerLevel);
    frame.recordLength = settings.recordLength;
    frame.fallingEdge = settings.fallingEdge;
    return frame;
}

std::optional<acquisition::CommandFrame> commandFrame(const ScopeSettings &settings) {
    return acquisition::buildCommandFrame(frameSettings(settings));
}

}  // namespace kalvira::settings
