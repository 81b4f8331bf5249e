#include "recording_surface.h"

namespace kalvira::display {

void RecordingSurface::clear() { calls_.push_back({.kind = SurfaceCall::Kind::Clear}); }

void RecordingSurface::setDrawMode(int mode) {
    calls_.push_back({.kind = SurfaceCall::Kind::DrawMode, .mode = mode});
}

void RecordingSurface::line(float x1, float y1, float x2, float y2, Colour colour) {
    calls_.push_back(
        {.kind = SurfaceCall::Kind::Line, .x1 = x1, .y1 = y1, .x2 = x2, .y2 = y2, .colour = colour});
}

void RecordingSurface::point(float x, float y, Colour colour) {
    calls_.push_back({.kind = SurfaceCall::Kind::Point, .x1 = x, .y1 = y, .colour = colour});
}

void RecordingSurface::print(float number, std::string_view text) {
    calls_.push_back(
        {.kind = SurfaceCall::Kind::Print, .number = number, .text = std::string(text)});
}

}  // namespace kalvira::display
