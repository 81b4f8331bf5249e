#pragma once

#include <algorithm>
#include <iterator>
#include <ostream>
#include <vector>

#include "display/recording_surface.h"

namespace kalvira::display {

// How a failing test shows a call.
inline void PrintTo(const SurfaceCall &call, std::ostream *out) {
    constexpr const char *kNames[] = {"Clear", "DrawMode", "Line", "Point", "Print"};
    *out << kNames[static_cast<int>(call.kind)] << "(" << call.x1 << ", " << call.y1;
    if (call.kind == SurfaceCall::Kind::Line) *out << ", " << call.x2 << ", " << call.y2;
    if (call.kind == SurfaceCall::Kind::Print) *out << ", " << call.number << " " << call.text;
    *out << ", colour " << std::hex << call.colour << std::dec << ")";
}

}  // namespace kalvira::display

namespace kalvira::display::testing {

// The calls of one kind and colour, in the order they were made.
inline std::vector<SurfaceCall> callsOf(const std::vector<SurfaceCall> &calls,
                                        SurfaceCall::Kind kind, Colour colour) {
    std::vector<SurfaceCall> found;
    std::copy_if(
        calls.begin(), calls.end(), std::back_inserter(found),
        [&](const SurfaceCall &call) { return call.kind == kind && call.colour == colour; });
    return found;
}

inline std::vector<SurfaceCall> printsOf(const std::vector<SurfaceCall> &calls) {
    std::vector<SurfaceCall> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [](const SurfaceCall &call) { return call.kind == SurfaceCall::Kind::Print; });
    return found;
}

inline SurfaceCall lineCall(float x1, float y1, float x2, float y2, Colour colour) {
    SurfaceCall call;
    call.kind = SurfaceCall::Kind::Line;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    return call;
}

inline SurfaceCall pointCall(float x, float y, Colour colour) {
    SurfaceCall call;
    call.kind = SurfaceCall::Kind::Point;
    call.x1 = x;
    call.y1 = y;
    call.colour = colour;
    return call;
}

// Index of the last Clear: what follows it is the picture that stays on screen.
inline std::size_t lastClear(const std::vector<SurfaceCall> &calls) {
    for (std::size_t k = calls.size(); k > 0; --k) {
        if (calls[k - 1].kind == SurfaceCall::Kind::Clear) return k - 1;
    }
    return calls.size();
}

}  // namespace kalvira::display::testing
