#pragma once

#include <QDialog>
#include <optional>

#include "analysis/calibration.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace kalvira::ui {

// Asks how the counts read in volts: through two points (a count and the volts at the unit's
// input it stands for, each) or as volts per count and zero count, with the probe's factor; or
// clears the calibration. Window modal, opened with open(), gone once closed.
class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from current when there is one, from two points otherwise.
    explicit CalibrationDialog(const std::optional<analysis::Calibration> &current,
                               QWidget *parent = nullptr);

    // OK with fields that make a calibration, or "Clear calibration": the dialog closes and
    // chosen is emitted. Fields that do not make one leave it open and say why.
    void accept() override;

signals:
    void chosen(const std::optional<kalvira::analysis::Calibration> &calibration);

private:
    QRadioButton *twoPoints_ = nullptr;
    QRadioButton *slope_ = nullptr;
    QSpinBox *countA_ = nullptr;
    QLineEdit *voltsA_ = nullptr;
    QSpinBox *countB_ = nullptr;
    QLineEdit *voltsB_ = nullptr;
    QLineEdit *voltsPerCount_ = nullptr;
    QLineEdit *zeroCount_ = nullptr;
    QComboBox *probe_ = nullptr;
    QLabel *problem_ = nullptr;
};

}  // namespace kalvira::ui
