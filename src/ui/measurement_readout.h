#pragma once

#include <QLabel>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "analysis/calibration.h"
#include "analysis/figure_statistics.h"
#include "analysis/reference_difference.h"

namespace kalvira::ui {

// What the readout shows beside the record's own measurements.
struct ReadoutExtras {
    // The statistics columns (current, minimum, maximum, mean, standard deviation, count) and
    // what they cover; none: the measurements alone.
    const analysis::FigureStatistics *statistics = nullptr;
    QString statisticsTitle;
    // The record's difference from the reference, when one of its rate stands beside it.
    std::optional<analysis::ReferenceDifference> deltaRef;
    std::vector<analysis::Figure> failed;  // the figures outside their limits, marked ✗
    QString maskNote;                      // what the mask found, e.g. "mask: 3 samples outside"
    std::optional<std::pair<std::int64_t, std::int64_t>> passFail;  // the records' counts
};

// The measurements of the record on screen, grey on a black box in the plot's top left corner.
// A child widget over the picture: hiding it shows the picture beneath exactly as it was.
class MeasurementReadout : public QLabel {
    Q_OBJECT
public:
    explicit MeasurementReadout(QWidget *parent = nullptr);

    // Measures the record, taken one sample every samplePeriodS seconds, and shows the values,
    // the levels in volts beside the counts with a calibration, and the extras; an empty record
    // empties the box.
    void showRecord(std::span<const std::int16_t> record, double samplePeriodS,
                    const std::optional<analysis::Calibration> &calibration = std::nullopt,
                    const ReadoutExtras &extras = {});

    // What the box shows, one "name = value unit" a line: each measurement as its line reads,
    // then with statistics "f min = 199.8 Hz", "f max = ...", "f mean", "f std", "f count", and
    // the counts of pass and fail. Empty while hidden.
    QStringList copyLines() const;

private:
    void showTable(const QStringList &lines, const std::vector<analysis::Figure> &figures,
                   const ReadoutExtras &extras);

    QStringList copyLines_;
};

}  // namespace kalvira::ui
