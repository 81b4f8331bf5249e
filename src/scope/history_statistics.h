#pragma once

#include <cstddef>

#include "analysis/figure_statistics.h"
#include "records/record_file.h"
#include "records/record_history.h"

namespace kalvira::scope {

// The figures of one record at its rate, read by its calibration, with its difference from the
// reference when the reference was taken at the same rate.
analysis::FigureValues recordValues(const settings::ScopeSettings &settings,
                                    std::span<const std::int16_t> record,
                                    const records::RecordFile *reference);

// The statistics of entries first..last of the history (both included, held to the history),
// each record measured at its own rate and by its own calibration.
analysis::FigureStatistics historyStatistics(const records::RecordHistory &history,
                                             std::size_t first, std::size_t last,
                                             const records::RecordFile *reference = nullptr);

}  // namespace kalvira::scope
