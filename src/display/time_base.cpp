#include "time_base.h"

#include <cstddef>

#include "drawing_surface.h"
#include "redraw_host.h"

namespace kalvira::display {

namespace {

constexpr std::int16_t kLimit1msec = 64;   // 6400 samples
constexpr std::int16_t kLimit2msec = 128;  // 12800 samples

template <std::size_t Size>
float scaleOf(const float (&table)[Size], int selected) {
    if (selected < 0 || selected >= static_cast<int>(Size)) return 0.0f;
    return table[selected];
}

}  // namespace

void applyRecordLengthLimits(RedrawHost &host) {
    if (host.sampleScrollValue() > kLimit1msec && host.selectedTimeOption() == kTimeOption1msec &&
        host.selectedSampleRate() == kSampleRate200Sps) {
        host.setSampleScrollValue(kLimit1msec);
    }
    if (host.sampleScrollValue() > kLimit2msec && host.selectedTimeOption() == kTimeOption2msec &&
        host.selectedSampleRate() == kSampleRate200Sps) {
        host.setSampleScrollValue(kLimit2msec);
    }
}

Scales selectScales(const RedrawHost &host) {
    return {.timeScale = scaleOf(kTimeScales, host.selectedTimeOption()),
            .rateScale = scaleOf(kRateScales, host.selectedSampleRate())};
}

void printTimeLabel(DrawingSurface &surface, float x, std::int16_t hscrollValue, float timeScale) {
    // Evaluated left to right in single precision, as the labels have always been: at
    // "0,2sec/Div." line 3 this gives exactly 600.
    const float divisions = static_cast<float>(hscrollValue) + (x - 1.0f) / 100.0f;
    const float milliseconds = divisions * timeScale * 1000.0f;
    if (milliseconds < 1000.0f) {
        surface.print(milliseconds, "msec");
    } else {
        surface.print(milliseconds / 1000.0f, "sec");
    }
}

}  // namespace kalvira::display
