#include "waveform_plot.h"

#include <algorithm>
#include <limits>

#include "common/rounding.h"
#include "drawing_surface.h"
#include "redraw_host.h"

namespace kalvira::display {

namespace {

// Screen height of a sample value: one unit per sample step with 512 on the axis, or with
// "V/Div 1:2" half the distance from the centre line.
class TraceHeight {
public:
    TraceHeight(std::int16_t koordinataKorrekcio, float midY, bool halved)
        : koordinataKorrekcio_(koordinataKorrekcio), midY_(midY), halved_(halved) {}

    float operator()(std::int16_t sample) const {
        const float y = add16(sample, koordinataKorrekcio_);
        return halved_ ? (y + midY_) / 2.0f : y;
    }

private:
    std::int16_t koordinataKorrekcio_;
    float midY_;
    bool halved_;
};

// A 2 x 2 dot whose top-left pixel is (x, y), set clockwise from there.
void drawDot(DrawingSurface &surface, float x, float y) {
    surface.point(x, y, kTraceColour);
    surface.point(x + 1.0f, y, kTraceColour);
    surface.point(x + 1.0f, y + 1.0f, kTraceColour);
    surface.point(x, y + 1.0f, kTraceColour);
}

std::int16_t toInt16(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

// Sets up Hscroll for the record; the order of the settings matters, as each change of value or
// maximum may redraw nested.
void setUpHscroll(RedrawHost &host, std::int32_t recordDivs, std::int32_t screenDivs) {
    if (recordDivs <= screenDivs) {
        host.setScrollEnabled(false);
        host.setScrollPosition(0);
        return;
    }
    host.setScrollEnabled(true);
    host.setScrollMaximum(toInt16(recordDivs - screenDivs));
    host.setScrollSmallChange(1);
    host.setScrollLargeChange(toInt16(screenDivs > 1 ? screenDivs : 1));
}

}  // namespace

float samplesPerUnit(Scales scales) {
    const float spu = scales.timeScale * scales.rateScale;
    if (spu > 0.099f && spu < 0.11f) return 0.1f;
    return spu;
}

std::int32_t recordDivisions(std::int16_t n, float spu) {
    const float divisions = static_cast<float>(add16(n, -1)) / spu / 100.0f;
    std::int32_t rounded = roundHalfEven(divisions);
    if (static_cast<float>(rounded) < divisions) ++rounded;
    return rounded;
}

std::int32_t screenDivisions(float plotWidth) {
    const float divisions = plotWidth / 100.0f;
    std::int32_t rounded = roundHalfEven(divisions);
    if (static_cast<float>(rounded) > divisions) --rounded;
    return rounded;
}

void plotWaveform(RedrawHost &host, DrawingSurface &surface, float midY,
                  std::int16_t koordinataKorrekcio, Scales scales) {
    if (!host.recordShown()) return;
    const float spu = samplesPerUnit(scales);
    // Only reachable with an option group left without a selection: nothing sensible to draw.
    if (!(spu > 0.0f)) return;

    const auto n = static_cast<std::int16_t>(host.settings().recordLength);
    const std::int16_t lastSegmentStart = add16(n, -1);  // N - 1
    const float plotWidth = plotRight(surface);
    setUpHscroll(host, recordDivisions(n, spu), screenDivisions(plotWidth));

    const auto h = static_cast<std::int16_t>(host.settings().scrollDivisions);
    const float shift = 100.0f * static_cast<float>(h);  // screen x of the view's left edge
    const SampleRecord &record = host.samples();
    // Samples 1..N belong to the record; anything at N + 1 and beyond is left from an older,
    // longer record or lies outside the store, and is never drawn.
    const std::int32_t lastInRecord = std::min<std::int32_t>(n, kRecordLastPosition);
    const auto inRecord = [lastInRecord](std::int32_t k) { return k >= 1 && k <= lastInRecord; };
    const TraceHeight heightOf(koordinataKorrekcio, midY, host.settings().halfHeight);

    float i = static_cast<float>(h) * (spu * 100.0f) + 1.0f;
    const float firstX = (i - 1.0f) / spu - shift;
    std::int32_t x1 = floorViaRound(firstX);

    if (host.settings().dots) {
        const std::int32_t k = roundHalfEven(i);
        if (inRecord(k)) drawDot(surface, 0.0f, heightOf(record[static_cast<std::size_t>(k)]));
    }

    const float lastStart = lastSegmentStart;
    for (;;) {
        const float nextX = i / spu - shift;
        const std::int32_t x2 = roundHalfEven(nextX);
        const std::int32_t k1 = roundHalfEven(i);
        const std::int32_t k2 = roundHalfEven(i + 1.0f);
        const bool dots = host.settings().dots;
        if (!dots && i < lastStart && inRecord(k1) && inRecord(k2)) {
            surface.line(static_cast<float>(x1), heightOf(record[static_cast<std::size_t>(k1)]),
                         static_cast<float>(x2), heightOf(record[static_cast<std::size_t>(k2)]),
                         kTraceColour);
        }
        if (dots && inRecord(k2)) {
            drawDot(surface, static_cast<float>(x2),
                    heightOf(record[static_cast<std::size_t>(k2)]));
        }
        if (!(i < lastStart && static_cast<float>(x1) < plotWidth)) break;
        i = i + 1.0f;
        x1 = x2;
    }
}

}  // namespace kalvira::display
