#pragma once

#include <string>
#include <vector>

#include "drawing_surface.h"

namespace kalvira::display {

// One call made on a RecordingSurface, with its exact arguments.
struct SurfaceCall {
    enum class Kind { Clear, DrawMode, Line, Point, Print };
    Kind kind = Kind::Clear;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Line: both ends; Point: (x1, y1)
    Colour colour = 0;
    int mode = 0;      // DrawMode
    float number = 0;  // Print
    std::string text;  // Print

    bool operator==(const SurfaceCall &) const = default;
};

// A surface of a fixed size that keeps every call, for checking the picture call by call.
class RecordingSurface : public DrawingSurface {
public:
    RecordingSurface(float width, float height) : width_(width), height_(height) {}

    void clear() override;
    void setDrawMode(int mode) override;
    void line(float x1, float y1, float x2, float y2, Colour colour) override;
    void point(float x, float y, Colour colour) override;
    void print(float number, std::string_view text) override;
    float scaleWidth() const override { return width_; }
    float scaleHeight() const override { return height_; }

    void resize(float width, float height) {
        width_ = width;
        height_ = height;
    }
    const std::vector<SurfaceCall> &calls() const { return calls_; }
    void forget() { calls_.clear(); }

private:
    float width_;
    float height_;
    std::vector<SurfaceCall> calls_;
};

}  // namespace kalvira::display
