#include "history_statistics.h"

#include <algorithm>

#include "analysis/record_measurements.h"
#include "analysis/reference_difference.h"
#include "common/link_facts.h"

namespace kalvira::scope {

analysis::FigureValues recordValues(const settings::ScopeSettings &settings,
                                    std::span<const std::int16_t> record,
                                    const records::RecordFile *reference) {
    if (settings.rateCode < 0 || settings.rateCode >= static_cast<int>(kSampleRates.size()))
        return {};
    const double period = kSampleRates[static_cast<std::size_t>(settings.rateCode)].period;
    const analysis::RecordMeasurements measurements =
        analysis::measureRecord(record, period, settings.calibration);
    std::optional<analysis::ReferenceDifference> difference;
    if (reference && !reference->records.empty() &&
        reference->settings.rateCode == settings.rateCode)
        difference =
            analysis::referenceDifference(record, reference->records.front(), settings.calibration);
    return analysis::figureValues(measurements, difference);
}

analysis::FigureStatistics historyStatistics(const records::RecordHistory &history,
                                             std::size_t first, std::size_t last,
                                             const records::RecordFile *reference) {
    analysis::FigureStatistics statistics;
    if (history.empty()) return statistics;
    last = std::min(last, history.size() - 1);
    for (std::size_t i = first; i <= last; ++i) {
        const records::RecordFile &entry = history.at(i);
        if (entry.records.empty()) continue;
        statistics.add(recordValues(entry.settings, entry.records.front(), reference));
    }
    return statistics;
}

}  // namespace kalvira::scope
