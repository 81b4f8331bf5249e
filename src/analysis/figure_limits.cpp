#include "figure_limits.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

namespace kalvira::analysis {

namespace {

std::optional<double> finiteNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

LimitResult parseLimit(std::string_view text) {
    const std::size_t equals = text.find('=');
    const std::size_t dots = text.find("..", equals == std::string_view::npos ? 0 : equals);
    if (equals == std::string_view::npos || dots == std::string_view::npos)
        return LimitProblem::NoRange;
    const auto figure = figureNamed(text.substr(0, equals));
    if (!figure) return LimitProblem::UnknownFigure;
    const auto low = finiteNumber(text.substr(equals + 1, dots - equals - 1));
    const auto high = finiteNumber(text.substr(dots + 2));
    if (!low || !high) return LimitProblem::NotNumbers;
    return makeLimit(*figure, *low, *high);
}

LimitResult makeLimit(Figure figure, double low, double high) {
    if (!std::isfinite(low) || !std::isfinite(high)) return LimitProblem::NotNumbers;
    if (low > high) return LimitProblem::LowAboveHigh;
    return FigureLimit{figure, low, high};
}

std::vector<Figure> figuresOutside(std::span<const FigureLimit> limits,
                                   const FigureValues &values) {
    std::vector<Figure> outside;
    for (const FigureLimit &limit : limits) {
        const std::optional<double> &value = values[indexOf(limit.figure)];
        if (!value || *value < limit.low || *value > limit.high) outside.push_back(limit.figure);
    }
    return outside;
}

}  // namespace kalvira::analysis
