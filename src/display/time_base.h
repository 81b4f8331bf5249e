#pragma once

#include <cstdint>

#include "common/time_bases.h"

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Scale factors of one redraw, derived from the time base and the sample rate.
struct Scales {
    float timeScale = 0.0f;  // seconds per division; 0 with no time base selected
    float rateScale = 0.0f;  // samples per second / 100; 0 with no sample rate selected
};

// Time bases "1msec/Div." and "2msec/Div.": with "5msec/ 200SPS" they hold the record length at
// 64 and 128 hundreds of samples.
inline constexpr int kTimeOption1msec = 13;
inline constexpr int kTimeOption2msec = 12;

// Most hundreds of samples a record may have at a time base and sample rate: 64 at "1msec/Div."
// and 128 at "2msec/Div." with "5msec/ 200SPS", 160 otherwise.
std::int16_t recordLengthLimit(int timeOption, int sampleRate);

// Holds the record length within what the two slowest combinations can scroll through: at most
// 6400 samples at "1msec/Div." and 12800 at "2msec/Div.", both with "5msec/ 200SPS". Each rule
// reads the record length bar afresh; lowering it runs the bar's change handler (and with it a
// nested redraw) before this returns.
void applyRecordLengthLimits(RedrawHost &host);

// The scale factors of the selected time base and sample rate.
Scales selectScales(const RedrawHost &host);

// Prints the time label of the vertical graticule line at x (1, 101, 201, ...): the time of the
// line, hscrollValue + (x - 1) / 100 divisions after the record's first sample, in "msec" below
// one second and in "sec" from one second on. One print at the current text position.
void printTimeLabel(DrawingSurface &surface, float x, std::int16_t hscrollValue, float timeScale);

}  // namespace kalvira::display
