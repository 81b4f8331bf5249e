#pragma once

#include <cstdint>
#include <utility>

#include "common/rounding.h"

namespace kalvira::display {

class RedrawHost;

// The centre line of a picture height sits at 512 sample units: a sample s is drawn at
// y = s + koordinataKorrekcio.
inline std::int16_t koordinataKorrekcioFor(float midY) {
    return static_cast<std::int16_t>(roundHalfEven(midY - 512.0f));
}

// Where the picture puts a record: sample k at x = (k - 1) / spu - 100 h, a level of c counts at
// y = c + koordinataKorrekcio, or halfway to the centre line with "V/Div 1:2". What stands over
// the picture (the cursors) maps through this, so it lines up with the trace.
struct PlotMapping {
    float samplesPerUnit = 0.0f;  // 0 with no time base or no sample rate selected
    std::int16_t hscrollValue = 0;
    std::int16_t koordinataKorrekcio = 0;
    float midY = 0.0f;
    bool halved = false;     // "V/Div 1:2"
    float plotWidth = 0.0f;  // the plot ends at x = plotWidth, where the controls begin
};

// The mapping of the current settings for a picture of width x height pixels.
PlotMapping plotMapping(const RedrawHost &host, float width, float height);

// Screen x of sample k, rounded as the trace's vertices are.
std::int32_t sampleX(const PlotMapping &mapping, std::int32_t k);
// The sample nearest to screen x (not held to the record).
std::int32_t sampleAtX(const PlotMapping &mapping, float x);
// Screen y of a level in counts; the level nearest to screen y.
float levelY(const PlotMapping &mapping, std::int32_t count);
std::int32_t levelAtY(const PlotMapping &mapping, float y);

// One division: 100 units of the picture, in samples (at least 1) and in counts (200 halved).
std::int32_t samplesPerDivision(const PlotMapping &mapping);
std::int32_t countsPerDivision(const PlotMapping &mapping);

// First and last sample of a record of n samples that the plot shows, held to 1..n.
std::pair<std::int32_t, std::int32_t> visibleSamples(const PlotMapping &mapping, std::int32_t n);

}  // namespace kalvira::display
