#pragma once

#include <cstdint>

namespace kalvira::display {

class DrawingSurface;
class RedrawHost;

// Scale factors of one redraw, derived from the time base and the sample rate.
struct Scales {
    float timeScale = 0.0f;  // seconds per division; 0 with no time base selected
    float rateScale = 0.0f;  // samples per second / 100; 0 with no sample rate selected
};

// Seconds per division of each time base, index 0 "5sec/Div." to 13 "1msec/Div.".
inline constexpr float kTimeScales[14] = {5.0f,   2.0f,  1.0f,  0.5f,   0.2f,    0.1f,   0.05f,
                                          0.025f, 0.02f, 0.01f, 0.005f, 0.0025f, 0.002f, 0.001f};
// Samples per second / 100 of each sample rate, index 0 "25usec/ 40kSPS" to 7 "5msec/ 200SPS".
inline constexpr float kRateScales[8] = {400.0f, 200.0f, 100.0f, 50.0f, 20.0f, 10.0f, 5.0f, 2.0f};

// Time base "1msec/Div.", "2msec/Div." and sample rate "5msec/ 200SPS": the two slowest
// combinations, whose record length is held at 64 and 128 hundreds of samples.
inline constexpr int kTimeOption1msec = 13;
inline constexpr int kTimeOption2msec = 12;
inline constexpr int kSampleRate200Sps = 7;

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
