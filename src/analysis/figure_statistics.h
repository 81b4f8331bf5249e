#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "record_figures.h"
#include "running_statistics.h"

namespace kalvira::analysis {

// The statistics of every figure over a set of records. A figure not defined for a record is left
// out of that figure's count only.
struct FigureStatistics {
    std::array<RunningStatistics, kFigureCount> figures;
    std::int64_t records = 0;  // records added, whatever their figures

    void add(const FigureValues &values);
    const RunningStatistics &of(Figure figure) const { return figures[indexOf(figure)]; }
};

// One JSON object on one line, without spaces or a line end, a member a figure in kFigures' order:
// {"frequency_hz":{"min":..,"max":..,"mean":..,"std":..,"count":..},...}. The figures of
// measureRecord (frequency_hz to periods) always stand in it, the levels in volts and delta_ref
// only when they were defined for a record. Ten significant digits, independent of the locale;
// null where a value is not defined (no value counted, or "std" below two).
std::string statisticsJson(const FigureStatistics &statistics);

}  // namespace kalvira::analysis
