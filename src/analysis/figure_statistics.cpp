#include "figure_statistics.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace kalvira::analysis {

namespace {

void appendValue(std::string &text, std::optional<double> value) {
    if (!value || !std::isfinite(*value)) {
        text += "null";
        return;
    }
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, *value, std::chars_format::general, 10).ptr;
    text.append(buffer, end);
}

}  // namespace

void FigureStatistics::add(const FigureValues &values) {
    ++records;
    for (std::size_t i = 0; i < kFigureCount; ++i) {
        if (values[i]) figures[i].add(*values[i]);
    }
}

std::string statisticsJson(const FigureStatistics &statistics) {
    std::string text = "{";
    for (const FigureFacts &facts : kFigures) {
        const RunningStatistics &figure = statistics.of(facts.figure);
        const bool always = indexOf(facts.figure) <= indexOf(Figure::Periods);
        if (!always && figure.count() == 0) continue;
        const bool any = figure.count() > 0;
        if (text.size() > 1) text += ',';
        text.append("\"").append(facts.key).append("\":{\"min\":");
        appendValue(text, any ? std::optional(figure.minimum()) : std::nullopt);
        text += ",\"max\":";
        appendValue(text, any ? std::optional(figure.maximum()) : std::nullopt);
        text += ",\"mean\":";
        appendValue(text, any ? std::optional(figure.mean()) : std::nullopt);
        text += ",\"std\":";
        appendValue(text, figure.standardDeviation());
        text += ",\"count\":" + std::to_string(figure.count()) + "}";
    }
    return text + "}";
}

}  // namespace kalvira::analysis
