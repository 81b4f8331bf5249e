#pragma once

#include <QLabel>
#include <cstdint>
#include <optional>
#include <span>

#include "analysis/calibration.h"

namespace kalvira::ui {

// The measurements of the record on screen, grey on a black box in the plot's top left corner.
// A child widget over the picture: hiding it shows the picture beneath exactly as it was.
class MeasurementReadout : public QLabel {
    Q_OBJECT
public:
    explicit MeasurementReadout(QWidget *parent = nullptr);

    // Measures the record, taken one sample every samplePeriodS seconds, and shows the values,
    // the levels in volts beside the counts with a calibration; an empty record empties the box.
    void showRecord(std::span<const std::int16_t> record, double samplePeriodS,
                    const std::optional<analysis::Calibration> &calibration = std::nullopt);
};

}  // namespace kalvira::ui
