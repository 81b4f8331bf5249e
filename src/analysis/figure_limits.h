#pragma once

#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "record_figures.h"

namespace kalvira::analysis {

// A range a figure must lie in for a record to pass, both ends included: frequency 195..205 Hz,
// duty cycle 45..55 %. In the figure's own unit (Hz, s, counts, %, V).
struct FigureLimit {
    Figure figure = Figure::Frequency;
    double low = 0.0;
    double high = 0.0;
    bool operator==(const FigureLimit &) const = default;
};

// Why a limit cannot be read.
enum class LimitProblem {
    NoRange,        // not NAME=LOW..HIGH
    UnknownFigure,  // NAME is no figure's key
    NotNumbers,     // LOW or HIGH is not a finite number
    LowAboveHigh,
};
using LimitResult = std::variant<FigureLimit, LimitProblem>;

// "frequency_hz=195..205", "duty_cycle_percent=45..55", "min=-5..1e3": a figure's key, then two
// numbers as C writes them (a point for the decimals).
LimitResult parseLimit(std::string_view text);

// Checks a range read from a dialog's fields.
LimitResult makeLimit(Figure figure, double low, double high);

// The figures whose limits the values break, in the limits' order: outside the range, or not
// defined for the record at all (a frequency without two whole periods cannot be in range).
std::vector<Figure> figuresOutside(std::span<const FigureLimit> limits, const FigureValues &values);

}  // namespace kalvira::analysis
