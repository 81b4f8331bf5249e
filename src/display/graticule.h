#pragma once

#include <cstdint>
#include <functional>

namespace kalvira::display {

class DrawingSurface;

// Blue lines every 100 units above and below midY, from x = 0 to SW - 200; the centre line
// is drawn twice (once by each pass).
void drawHorizontalGraticule(DrawingSurface &surface, float midY);

// Blue lines at x = 1, 101, 201, ... up to SW - 200, each with a point at its top and the label
// that printLabel prints there (it receives the line's x).
void drawVerticalGraticule(DrawingSurface &surface, const std::function<void(float x)> &printLabel);

// Green axis at y = koordinataKorrekcio + 512, then the time-axis ticks along it and the
// vertical-axis ticks along the left edge.
void drawAxisAndTicks(DrawingSurface &surface, float midY, std::int16_t koordinataKorrekcio);

}  // namespace kalvira::display
