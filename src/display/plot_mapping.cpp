#include "plot_mapping.h"

#include <algorithm>
#include <cmath>

#include "drawing_surface.h"
#include "redraw_host.h"
#include "time_base.h"
#include "waveform_plot.h"

namespace kalvira::display {

PlotMapping plotMapping(const RedrawHost &host, float width, float height) {
    PlotMapping mapping;
    mapping.samplesPerUnit = samplesPerUnit(selectScales(host));
    mapping.hscrollValue = static_cast<std::int16_t>(host.settings().scrollDivisions);
    mapping.midY = height / 2.0f;
    mapping.koordinataKorrekcio = koordinataKorrekcioFor(mapping.midY);
    mapping.halved = host.settings().halfHeight;
    mapping.plotWidth = width - kControlBandWidth;
    return mapping;
}

std::int32_t sampleX(const PlotMapping &mapping, std::int32_t k) {
    if (!(mapping.samplesPerUnit > 0.0f)) return 0;
    return roundHalfEven(static_cast<float>(k - 1) / mapping.samplesPerUnit -
                         100.0f * static_cast<float>(mapping.hscrollValue));
}

std::int32_t sampleAtX(const PlotMapping &mapping, float x) {
    const float shift = 100.0f * static_cast<float>(mapping.hscrollValue);
    return static_cast<std::int32_t>(std::lround((x + shift) * mapping.samplesPerUnit)) + 1;
}

float levelY(const PlotMapping &mapping, std::int32_t count) {
    const float y = static_cast<float>(count + mapping.koordinataKorrekcio);
    return mapping.halved ? (y + mapping.midY) / 2.0f : y;
}

std::int32_t levelAtY(const PlotMapping &mapping, float y) {
    const float unhalved = mapping.halved ? 2.0f * y - mapping.midY : y;
    return static_cast<std::int32_t>(std::lround(unhalved)) - mapping.koordinataKorrekcio;
}

std::int32_t samplesPerDivision(const PlotMapping &mapping) {
    return std::max<std::int32_t>(
        1, static_cast<std::int32_t>(std::lround(100.0f * mapping.samplesPerUnit)));
}

std::int32_t countsPerDivision(const PlotMapping &mapping) {
    return mapping.halved ? 200 : 100;
}

std::pair<std::int32_t, std::int32_t> visibleSamples(const PlotMapping &mapping, std::int32_t n) {
    const std::int32_t first = std::clamp(sampleAtX(mapping, 0.0f), 1, std::max(n, 1));
    const std::int32_t last =
        std::clamp(sampleAtX(mapping, mapping.plotWidth), first, std::max(n, 1));
    return {first, last};
}

}  // namespace kalvira::display
