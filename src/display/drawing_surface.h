#pragma once

#include <cstdint>
#include <string_view>

namespace kalvira::display {

// A colour as 0x00BBGGRR: red in the low byte, blue in the third.
using Colour = std::uint32_t;

inline constexpr Colour kGraticuleColour = 0xFF0000;  // blue
inline constexpr Colour kAxisColour = 0x00FF00;       // green
inline constexpr Colour kTriggerColour = 0x00FFFF;    // yellow
inline constexpr Colour kTraceColour = 0x0000FF;      // red

// Copy pen: a drawn pixel takes the pen colour.
inline constexpr int kDrawModeCopyPen = 13;

// The picture's drawing area, in pixels: x grows to the right, y grows downward.
// Coordinates may be fractional or lie outside the area; the surface clips.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // Fills the whole area with the background colour.
    virtual void clear() = 0;
    virtual void setDrawMode(int mode) = 0;
    // A straight line between two absolute points.
    virtual void line(float x1, float y1, float x2, float y2, Colour colour) = 0;
    // Sets one point and moves the text position to it.
    virtual void point(float x, float y, Colour colour) = 0;
    // Prints a number and then a text at the text position (top-left corner), then a line end.
    // The number is written in the plain form of formatPlainNumber().
    virtual void print(float number, std::string_view text) = 0;
    // Current size of the drawing area in pixels.
    virtual float scaleWidth() const = 0;
    virtual float scaleHeight() const = 0;
};

// The band at the right of the picture where the controls stand: the plot, the graticule and
// the trigger level marker end where it begins, at x = SW - 200.
inline constexpr float kControlBandWidth = 200.0f;
inline float plotRight(const DrawingSurface &surface) {
    return surface.scaleWidth() - kControlBandWidth;
}

}  // namespace kalvira::display
