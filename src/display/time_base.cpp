#include "time_base.h"

#include <cstddef>

#include "common/link_facts.h"
#include "drawing_surface.h"
#include "redraw_host.h"

namespace kalvira::display {

namespace {

constexpr std::int16_t kLimit1msec = 64;   // 6400 samples
constexpr std::int16_t kLimit2msec = 128;  // 12800 samples

template <typename Table, typename Scale>
float scaleOf(const Table &table, int selected, Scale scale) {
    if (selected < 0 || selected >= static_cast<int>(table.size())) return 0.0f;
    return scale(table[static_cast<std::size_t>(selected)]);
}

}  // namespace

void applyRecordLengthLimits(RedrawHost &host) {
    const auto blocks = [&host] { return host.settings().recordLength / kSamplesPerBlock; };
    if (blocks() > kLimit1msec && host.settings().timeBase == kTimeOption1msec &&
        host.settings().rateCode == kSampleRate200Sps) {
        host.setRecordBlocks(kLimit1msec);
    }
    if (blocks() > kLimit2msec && host.settings().timeBase == kTimeOption2msec &&
        host.settings().rateCode == kSampleRate200Sps) {
        host.setRecordBlocks(kLimit2msec);
    }
}

std::int16_t recordLengthLimit(int timeOption, int sampleRate) {
    if (sampleRate == kSampleRate200Sps && timeOption == kTimeOption1msec) return kLimit1msec;
    if (sampleRate == kSampleRate200Sps && timeOption == kTimeOption2msec) return kLimit2msec;
    return kMaxBlocks;
}

Scales selectScales(const RedrawHost &host) {
    return {.timeScale = scaleOf(kTimeBases, host.settings().timeBase,
                                 [](const TimeBase &base) { return base.secondsPerDivision; }),
            .rateScale =
                scaleOf(kSampleRates, host.settings().rateCode, [](const SampleRateFacts &rate) {
                    return static_cast<float>(rate.samplesPerSecond) / 100.0f;
                })};
}

void printTimeLabel(DrawingSurface &surface, float x, std::int16_t hscrollValue, float timeScale) {
    // Single precision, with the time base turned into milliseconds first: every time base is then
    // a whole number of milliseconds per division (0.02f * 1000 rounds to exactly 20), and every
    // label reads its exact time. Multiplying by the seconds first would show 5 x 0.02 s as
    // 99,99999 msec and scrolled "1msec/Div." labels as 995,0001.
    const float divisions = static_cast<float>(hscrollValue) + (x - 1.0f) / 100.0f;
    const float millisecondsPerDivision = timeScale * 1000.0f;
    const float milliseconds = divisions * millisecondsPerDivision;
    if (milliseconds < 1000.0f) {
        surface.print(milliseconds, "msec");
    } else {
        surface.print(milliseconds / 1000.0f, "sec");
    }
}

}  // namespace kalvira::display
