#include "trend_series.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace kalvira::scope {

namespace {

void appendNumber(std::string &text, double value, std::chars_format format, int precision) {
    char buffer[64];
    text.append(buffer,
                std::to_chars(buffer, buffer + sizeof buffer, value, format, precision).ptr);
}

}  // namespace

void TrendSeries::add(std::uint64_t record, const QDateTime &taken,
                      const analysis::FigureValues &values) {
    Point point;
    point.record = record;
    point.takenMs = taken.toMSecsSinceEpoch();
    for (std::size_t i = 0; i < analysis::kFigureCount; ++i)
        point.values[i] = values[i].value_or(std::numeric_limits<double>::quiet_NaN());
    points_.push_back(point);
    if (points_.size() > kMaxRecords) points_.pop_front();
}

bool TrendSeries::has(analysis::Figure figure) const {
    const std::size_t index = analysis::indexOf(figure);
    for (const Point &point : points_) {
        if (!std::isnan(point.values[index])) return true;
    }
    return false;
}

std::string trendCsv(const TrendSeries &trend) {
    std::vector<analysis::Figure> columns;
    for (const analysis::FigureFacts &facts : analysis::kFigures) {
        const bool always =
            analysis::indexOf(facts.figure) <= analysis::indexOf(analysis::Figure::Periods);
        if (always || trend.has(facts.figure)) columns.push_back(facts.figure);
    }
    std::string text =
        "# kalvira-trend=1\n# records=" + std::to_string(trend.size()) + "\nrecord,taken,time_s";
    for (const analysis::Figure figure : columns)
        text.append(",").append(analysis::factsOf(figure).key);
    text += '\n';
    const qint64 firstMs = trend.empty() ? 0 : trend.at(0).takenMs;
    for (std::size_t i = 0; i < trend.size(); ++i) {
        const TrendSeries::Point &point = trend.at(i);
        text += std::to_string(point.record) + ',';
        text += QDateTime::fromMSecsSinceEpoch(point.takenMs)
                    .toUTC()
                    .toString(Qt::ISODateWithMs)
                    .toStdString();
        text += ',';
        appendNumber(text, static_cast<double>(point.takenMs - firstMs) / 1000.0,
                     std::chars_format::fixed, 3);
        for (const analysis::Figure figure : columns) {
            text += ',';
            const double value = point.values[analysis::indexOf(figure)];
            if (!std::isnan(value)) appendNumber(text, value, std::chars_format::general, 10);
        }
        text += '\n';
    }
    return text;
}

}  // namespace kalvira::scope
