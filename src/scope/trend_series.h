#pragma once

#include <QDateTime>
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "analysis/record_figures.h"

namespace kalvira::scope {

// The figures of each record taken since the statistics were last reset, in the order they came,
// for the trend: the newest kMaxRecords of them (a day of the fastest records).
class TrendSeries {
public:
    static constexpr std::size_t kMaxRecords = 250'000;

    struct Point {
        std::uint64_t record = 0;  // the record's number on the scope
        qint64 takenMs = 0;        // when it was taken, milliseconds since 1970 UTC
        std::array<double, analysis::kFigureCount> values{};  // NaN where not defined
    };

    void add(std::uint64_t record, const QDateTime &taken, const analysis::FigureValues &values);
    void clear() { points_.clear(); }

    std::size_t size() const { return points_.size(); }
    bool empty() const { return points_.empty(); }
    const Point &at(std::size_t index) const { return points_[index]; }
    // Whether any record had the figure defined.
    bool has(analysis::Figure figure) const;

private:
    std::deque<Point> points_;
};

// The trend as CSV that pandas reads with read_csv(path, comment="#"): `# kalvira-trend=1` and
// `# records=K`, then `record,taken,time_s` and a column per figure (frequency_hz .. periods
// always, the levels in volts and delta_ref when defined for a record), one line a record: its
// number, when it was taken (UTC, milliseconds), the seconds since the first, and the figures
// with ten significant digits, empty where not defined.
std::string trendCsv(const TrendSeries &trend);

}  // namespace kalvira::scope
