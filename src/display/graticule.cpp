#include "graticule.h"

#include "common/rounding.h"
#include "drawing_surface.h"

namespace kalvira::display {

void drawHorizontalGraticule(DrawingSurface &surface, float midY) {
    for (float y = midY; y >= 0.0f; y -= 100.0f) {
        surface.line(0.0f, y, plotRight(surface), y, kGraticuleColour);
    }
    for (float y = midY; y <= surface.scaleHeight(); y += 100.0f) {
        surface.line(0.0f, y, plotRight(surface), y, kGraticuleColour);
    }
}

void drawVerticalGraticule(DrawingSurface &surface,
                           const std::function<void(float x)> &printLabel) {
    const float limit = plotRight(surface);
    for (float x = 1.0f; x <= limit; x += 100.0f) {
        surface.line(x, 0.0f, x, surface.scaleHeight(), kGraticuleColour);
        surface.point(x, 0.0f, kGraticuleColour);
        printLabel(x);
    }
}

void drawAxisAndTicks(DrawingSurface &surface, float midY, std::int16_t koordinataKorrekcio) {
    const std::int16_t axisY = add16(koordinataKorrekcio, 512);
    surface.line(0.0f, axisY, plotRight(surface), axisY, kAxisColour);

    struct TimeTick {
        float step;
        std::int16_t below;
        std::int16_t above;
    };
    // The short ticks reach 5 below the axis and 6 above it.
    constexpr TimeTick timeTicks[] = {{10.0f, 5, 6}, {50.0f, 10, 10}, {100.0f, 20, 20}};
    for (const TimeTick &tick : timeTicks) {
        const float limit = plotRight(surface);
        const float yBelow = add16(axisY, tick.below);
        const float yAbove = add16(axisY, -tick.above);
        for (float x = 0.0f; x <= limit; x += tick.step) {
            surface.line(x, yBelow, x, yAbove, kAxisColour);
        }
    }

    struct ValueTick {
        float step;
        float length;
    };
    constexpr ValueTick valueTicks[] = {{10.0f, 5.0f}, {50.0f, 10.0f}};
    for (const ValueTick &tick : valueTicks) {
        for (float y = midY; y >= 0.0f; y -= tick.step) {
            surface.line(0.0f, y, tick.length, y, kAxisColour);
        }
    }
    for (const ValueTick &tick : valueTicks) {
        for (float y = midY; y <= surface.scaleHeight(); y += tick.step) {
            surface.line(0.0f, y, tick.length, y, kAxisColour);
        }
    }
}

}  // namespace kalvira::display
