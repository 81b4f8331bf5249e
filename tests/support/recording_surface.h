#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/drawing_surface.h"

namespace kalvira::testing {

using display::Colour;

// One call with its exact arguments; x1 holds a print's number and a draw mode too.
struct SurfaceCall {
    enum class Kind { Clear, DrawMode, Line, Point, Print } kind = Kind::Clear;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour = 0;
    std::string text = {};
    bool operator==(const SurfaceCall &) const = default;
};

inline SurfaceCall lineCall(float x1, float y1, float x2, float y2, Colour colour) {
    return {SurfaceCall::Kind::Line, x1, y1, x2, y2, colour};
}
inline SurfaceCall pointCall(float x, float y, Colour colour) {
    return {SurfaceCall::Kind::Point, x, y, 0, 0, colour};
}

// A surface of a settable size that keeps every call, to check the picture call by call.
class RecordingSurface : public display::DrawingSurface {
public:
    using Kind = SurfaceCall::Kind;
    RecordingSurface(float w, float h) : width(w), height(h) {}
    void clear() override { calls.push_back({}); }
    void setDrawMode(int mode) override { calls.push_back({Kind::DrawMode, float(mode)}); }
    void line(float x1, float y1, float x2, float y2, Colour colour) override {
        calls.push_back(lineCall(x1, y1, x2, y2, colour));
    }
    void point(float x, float y, Colour c) override { calls.push_back(pointCall(x, y, c)); }
    void print(float number, std::string_view text) override {
        calls.push_back({.kind = Kind::Print, .x1 = number, .text = std::string(text)});
    }
    float scaleWidth() const override { return width; }
    float scaleHeight() const override { return height; }
    // The calls in one colour (prints have colour 0), of one kind or of any, in order.
    std::vector<SurfaceCall> of(Colour colour, std::optional<Kind> kind = {}) const;

    float width, height;
    std::vector<SurfaceCall> calls;
};

}  // namespace kalvira::testing
