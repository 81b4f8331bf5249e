#include "recording_surface.h"

namespace kalvira::display {

namespace {

SurfaceCall callOf(SurfaceCall::Kind kind) {
    SurfaceCall call;
    call.kind = kind;
    return call;
}

}  // namespace

void RecordingSurface::clear() {
    calls_.push_back(callOf(SurfaceCall::Kind::Clear));
}

void RecordingSurface::setDrawMode(int mode) {
    SurfaceCall call = callOf(SurfaceCall::Kind::DrawMode);
    call.mode = mode;
    calls_.push_back(std::move(call));
}

void RecordingSurface::line(float x1, float y1, float x2, float y2, Colour colour) {
    SurfaceCall call = callOf(SurfaceCall::Kind::Line);
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    calls_.push_back(std::move(call));
}

void RecordingSurface::point(float x, float y, Colour colour) {
    SurfaceCall call = callOf(SurfaceCall::Kind::Point);
    call.x1 = x;
    call.y1 = y;
    call.colour = colour;
    calls_.push_back(std::move(call));
}

void RecordingSurface::print(float number, std::string_view text) {
    SurfaceCall call = callOf(SurfaceCall::Kind::Print);
    call.number = number;
    call.text = std::string(text);
    calls_.push_back(std::move(call));
}

}  // namespace kalvira::display
